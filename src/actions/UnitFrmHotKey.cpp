#include "actions/UnitFrmHotKey.h"

#include "platform/Errors.h"

namespace fg {

namespace {

// The conversions hold no state, so they are usable from the first moment; the keystroke
// editor window, once it exists, may point FrmKeystrokeEdit at itself.
constinit TFrmKeystrokeEdit conversions;

struct KeyName {
    std::uint16_t code;
    const wchar_t* name;
};

constexpr KeyName kNamedKeys[] = {
    {8, L"BACKSPACE"}, {9, L"TAB"},      {13, L"ENTER"},     {19, L"PAUSE"}, {27, L"ESCAPE"},
    {32, L"SPACE"},    {33, L"PAGEUP"},  {34, L"PAGEDOWN"},  {35, L"END"},   {36, L"HOME"},
    {37, L"LEFT"},     {38, L"UP"},      {39, L"RIGHT"},     {40, L"DOWN"},  {42, L"PRINT"},
    {45, L"INSERT"},   {46, L"DELETE"},  {106, L"MULTIPLY"}, {107, L"ADD"},  {109, L"SUBTRACT"},
    {110, L"DECIMAL"}, {111, L"DIVIDE"}, {144, L"NUMLOCK"},
};

// The punctuation keys are named by their United States characters whatever the layout.
constexpr const wchar_t* kOemFirst = L";=,-./`"; // 186 to 192
constexpr const wchar_t* kOemSecond = L"[\\]'";  // 219 to 222

std::wstring NameOfKey(std::uint16_t vk) {
    for (const KeyName& k : kNamedKeys)
        if (k.code == vk) return k.name;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(vk));
    if (vk >= 96 && vk <= 105) return L"NUMPAD " + std::to_wstring(vk - 96);
    if (vk >= 112 && vk <= 123) return L"F" + std::to_wstring(vk - 111);
    if (vk >= 186 && vk <= 192) return std::wstring(1, kOemFirst[vk - 186]);
    if (vk >= 219 && vk <= 222) return std::wstring(1, kOemSecond[vk - 219]);
    return {};
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

[[noreturn]] void ConversionError(const std::wstring& field, const wchar_t* what,
                                  const std::wstring& stored) {
    throw TUserError(L"'" + field + L"' is not a valid " + what + L" value in the keystroke \"" +
                     stored + L"\"");
}

} // namespace

TFrmKeystrokeEdit* FrmKeystrokeEdit = &conversions;

std::wstring TFrmKeystrokeEdit::ToString(const TKeystrokeData& hkd) const {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring s;
    for (bool flag : {hkd.alt, hkd.ctrl, hkd.shft, hkd.win})
        s += flag ? L'1' : L'0';
    std::wstring hex;
    for (std::uint16_t k = hkd.key; k != 0; k = static_cast<std::uint16_t>(k >> 4))
        hex.insert(hex.begin(), kHex[k & 0xF]);
    while (hex.size() < 2)
        hex.insert(hex.begin(), L'0');
    return s + hex + hkd.name;
}

TKeystrokeData TFrmKeystrokeEdit::FromString(const std::wstring& s) const {
    TKeystrokeData k;
    if (s.size() < 6) return k;
    bool* flags[] = {&k.alt, &k.ctrl, &k.shft, &k.win};
    for (std::size_t i = 0; i < 4; ++i) {
        if (s[i] < L'0' || s[i] > L'9') ConversionError(s.substr(i, 1), L"integer", s);
        *flags[i] = s[i] != L'0';
    }
    const int high = HexDigit(s[4]), low = HexDigit(s[5]);
    if (high < 0 || low < 0) ConversionError(s.substr(4, 2), L"hexadecimal", s);
    k.key = static_cast<std::uint16_t>(high * 16 + low);
    k.name = s.substr(6);
    return k;
}

std::wstring TFrmKeystrokeEdit::GetHumanReadable(bool kAlt, bool kShift, bool kCtrl, bool kWinkey,
                                                 std::uint16_t VKCode, bool& Valid) const {
    std::wstring s;
    if (kWinkey) s += L"WINKEY+";
    if (kCtrl) s += L"CTRL+";
    if (kShift) s += L"SHIFT+";
    if (kAlt) s += L"ALT+";
    const bool modifier = !s.empty();
    const std::wstring key = NameOfKey(VKCode);
    Valid = modifier && !key.empty();
    return s + key;
}

std::wstring TFrmKeystrokeEdit::GetHumanReadable(const TKeystrokeData& keydata, bool& valid) const {
    return GetHumanReadable(keydata.alt, keydata.shft, keydata.ctrl, keydata.win, keydata.key,
                            valid);
}

// The keystroke editor's conversions keep no state; FrmKeystrokeEdit is never null.
TKeystrokeData TKeystrokeConversions::FromString(const std::wstring& s) const {
    return FrmKeystrokeEdit->FromString(s);
}

std::wstring TKeystrokeConversions::ToString(const TKeystrokeData& k) const {
    return FrmKeystrokeEdit->ToString(k);
}

const TKeystrokeConversions& TKeystrokeConversions::Default() {
    static const TKeystrokeConversions conversions{};
    return conversions;
}

} // namespace fg
