#include "actions/UnitPaste.h"

#include "app/UnitExeList.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

#include <iterator>

namespace fg {

namespace {

constexpr const wchar_t* kListName = L"exepaste.ini";

void Log(const std::wstring& s) {
    AppendLog(L"[Paste] " + s);
}

// One key event with the scan code the layout gives the key.
void Key(std::uint8_t vk, std::uint32_t flags) {
    IInput& input = *Os().input;
    constexpr std::uint32_t kVirtualKeyToScanCode = 0;
    input.KeyEvent(vk, static_cast<std::uint8_t>(input.MapKey(vk, kVirtualKeyToScanCode)), flags);
}

void Pause(std::uint32_t ms) {
    Os().clock->Sleep(ms);
}

// A letter goes to the key that types it in the current layout; a layout that has no key for
// the Latin letter (Cyrillic, Greek) keeps the letter's own code, which its letter keys share.
std::uint8_t MainKey(std::uint16_t key) {
    if (key >= 'A' && key <= 'Z') {
        const std::int16_t typed = Os().input->CharToVirtualKey(static_cast<wchar_t>(key));
        if ((typed & 0xFF) != 0xFF) return static_cast<std::uint8_t>(typed & 0xFF);
    }
    return static_cast<std::uint8_t>(key & 0xFF);
}

// The keys that go with the extended-key flag; UP, DOWN, INSERT and DELETE deliberately go
// without it.
bool IsExtended(std::uint16_t key) {
    return (key >= 33 && key <= 37) || key == 39;
}

void SendKey(std::uint8_t vk, const wchar_t* sending, const wchar_t* sent) {
    if (sending) Log(sending);
    Key(vk, 0);
    Pause(30);
    Key(vk, KEYEVENTF_KEYUP_);
    Pause(10);
    if (sent) Log(sent);
}

// The keys the command script names, each pressed and released on its own, with the lines
// logged around it (none for ENTER and SPACE).
struct TScriptKey {
    const wchar_t* command;
    std::uint8_t vk;
    const wchar_t* sending;
    const wchar_t* sent;
};

constexpr TScriptKey kScriptKeys[] = {
    {L"TAB", 9, L"sending tab", L"sent tab"},
    {L"ENTER", 13, nullptr, nullptr},
    {L"DEL", 46, L"sending del", L"sent del"},
    {L"HOME", 36, L"sending VK_HOME", L"sent VK_HOME"},
    {L"BACK", 8, L"sending back", L"sent back"},
    {L"END", 35, L"sending end", L"sent end"},
    {L"INS", 45, L"sending INSERT", L"sent INSERT"},
    {L"UP", 38, L"sending VK_UP", L"sent VK_UP"},
    {L"DOWN", 40, L"sending VK_DOWN", L"sent VK_DOWN"},
    {L"LEFT", 37, L"sending VK_LEFT", L"sent VK_LEFT"},
    {L"RIGHT", 39, L"sending VK_RIGHT", L"sent VK_RIGHT"},
    {L"SPACE", 32, nullptr, nullptr},
};

const TScriptKey* FindScriptKey(const std::wstring& command) {
    for (const TScriptKey& key : kScriptKeys)
        if (command == key.command) return &key;
    return nullptr;
}

void SendScriptKey(const std::wstring& command) {
    const TScriptKey* key = FindScriptKey(command);
    if (key) SendKey(key->vk, key->sending, key->sent);
}

std::wstring AsciiUpper(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

} // namespace

TPaste::TPaste() : listPath(GetDataPath() + kListName) {
    LoadPasteList();
}

TPaste::~TPaste() {
    SavePasteList();
}

void TPaste::LoadPasteList() {
    IFileSystem& files = *Os().files;
    if (!files.Exists(listPath)) return;
    if (!files.ReadAll(listPath, loadedBytes)) {
        // Written back at exit it would lose what the file holds.
        loadFailed = true;
        loadedBytes.clear();
        Log(L"Unable to read " + listPath + L"; it is left as it is");
        return;
    }
    pasteLines = DecodeListText(loadedBytes).lines;
}

void TPaste::SavePasteList() {
    if (loadFailed) return;
    std::vector<std::uint8_t> bytes = loadedBytes;
    if (listChanged) bytes = EncodeListText({pasteLines, TListEncoding::Utf16Le});
    // The program is ending: the log is all that is left to tell.
    std::wstring error;
    if (!Os().files->WriteAll(listPath, bytes, error))
        Log(L"Unable to write to " + listPath + L": " + error);
}

void TPaste::SendKestroke(const TKeystrokeData& hk) {
    TimingMark(L"sending");
    const struct {
        bool held;
        std::uint8_t vk;
    } modifiers[] = {
        {hk.win, vk::LWIN}, {hk.alt, vk::MENU}, {hk.ctrl, vk::CONTROL}, {hk.shft, vk::SHIFT}};
    for (const auto& m : modifiers) {
        Pause(10);
        if (m.held) Key(m.vk, 0);
    }
    Pause(10);
    const std::uint8_t key = MainKey(hk.key);
    const std::uint32_t extended = IsExtended(hk.key) ? KEYEVENTF_EXTENDEDKEY_ : 0;
    TimingMark(L"key down");
    Key(key, extended);
    Pause(10);
    Key(key, extended | KEYEVENTF_KEYUP_);
    Pause(10);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
        if (m->held) Key(m->vk, KEYEVENTF_KEYUP_);
    Log(L"sent Kestroke");
}

void TPaste::SendTAB() {
    SendScriptKey(L"TAB");
}
void TPaste::SendENTER() {
    SendScriptKey(L"ENTER");
}
void TPaste::SendDELETE() {
    SendScriptKey(L"DEL");
}
void TPaste::SendHOME() {
    SendScriptKey(L"HOME");
}
void TPaste::SendBACKSPACE() {
    SendScriptKey(L"BACK");
}
void TPaste::SendEND() {
    SendScriptKey(L"END");
}
void TPaste::SendINSERT() {
    SendScriptKey(L"INS");
}
void TPaste::SendUP() {
    SendScriptKey(L"UP");
}
void TPaste::SendDOWN() {
    SendScriptKey(L"DOWN");
}
void TPaste::SendLEFT() {
    SendScriptKey(L"LEFT");
}
void TPaste::SendRIGHT() {
    SendScriptKey(L"RIGHT");
}
void TPaste::SendSPACE() {
    SendScriptKey(L"SPACE");
}

void TPaste::SendTextWithKeystrokes(const std::wstring& s) {
    if (s.size() <= 6) return;
    std::wstring rest = s.substr(6);
    while (!rest.empty()) {
        if (rest.find(L'[') == std::wstring::npos || rest.find(L']') == std::wstring::npos) return;
        NextToken(rest, L"[");
        if (rest.empty()) return;
        // The command is what lies between the last "[" before the first "]" and that "]".
        for (;;) {
            const std::size_t open = rest.find(L'['), close = rest.find(L']');
            if (open == std::wstring::npos || close == std::wstring::npos || open > close) break;
            NextToken(rest, L"[");
        }
        RunCommand(AsciiUpper(NextToken(rest, L"]")), rest);
    }
}

void TPaste::RunCommand(const std::wstring& command, std::wstring& rest) {
    if (const TScriptKey* key = FindScriptKey(command)) {
        Pause(60);
        SendKey(key->vk, key->sending, key->sent);
        return;
    }
    if (command == L"WAIT") {
        Pause(100);
    } else if (command.starts_with(L"CLEAR")) {
        Pause(60);
        if (!Os().desktop->ClearClipboard()) throw TUserError(L"Cannot open clipboard");
    } else if (command == L"RUN") {
        // The rest of the script is the program or file, brackets and all.
        ShellRun(RunOwner, rest);
        const std::size_t next = rest.find(L'[');
        rest = next == std::wstring::npos ? std::wstring() : rest.substr(next);
    }
    // "CLIPBRD" and "DATE..." stand for text (the clipboard's, the date's), and the sender types
    // no text, so like unknown commands they do nothing.
}

void TPaste::ClearMethods() {
    UseKeyboardMimic = UsePastingSI = UsePastingCV = UseClipboardOnly = false;
}

void TPaste::SetMimicTyping() {
    ClearMethods();
    UseKeyboardMimic = true;
}

void TPaste::SetUsePasteSI() {
    ClearMethods();
    UsePastingSI = true;
}

void TPaste::SetUsePaste() {
    ClearMethods();
    UsePastingCV = true;
}

void TPaste::SetClipboardOnly() {
    ClearMethods();
    UseClipboardOnly = true;
}

void TPaste::ClearOnceFlags() {
    PasteCVOnce = PasteSIOnce = ClipboardOnlyOnce = KeyboardMimicOnce = false;
}

void TPaste::AssignPaste(const std::wstring& EXEName, TPasteMethod method) {
    const std::wstring line = EXEName + L"=" + std::to_wstring(static_cast<int>(method));
    listChanged = true;
    const std::size_t at = FindExeLine(pasteLines, EXEName);
    if (at < pasteLines.size())
        pasteLines[at] = line;
    else
        pasteLines.push_back(line);
}

TPasteMethod TPaste::GetPasteMethod(const std::wstring& EXEName) const {
    const std::size_t at = FindExeLine(pasteLines, EXEName);
    if (at == pasteLines.size()) return PASTE_DEFAULT;
    // A hand-edited entry that names no method counts as none.
    const std::wstring& entry = pasteLines[at];
    const std::wstring value = entry.substr(entry.find(L'=') + 1);
    if (value.empty() || value.size() > 9) return PASTE_DEFAULT;
    int number = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return PASTE_DEFAULT;
        number = number * 10 + (c - L'0');
    }
    return number <= PASTE_DISABLED ? static_cast<TPasteMethod>(number) : PASTE_DEFAULT;
}

TPasteMethod TPaste::GetDefaultPasteMethod() const {
    if (UseKeyboardMimic) return PASTE_MIMIC;
    if (UsePastingSI) return PASTE_SHIFT_INS;
    if (UsePastingCV) return PASTE_CTRL_V;
    if (UseClipboardOnly) return PASTE_CLIPBOARD;
    return PASTE_DEFAULT;
}

} // namespace fg
