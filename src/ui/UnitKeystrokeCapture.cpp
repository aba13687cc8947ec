#include "ui/UnitKeystrokeCapture.h"

#include "platform/Dpi.h"
#include "platform/Platform.h"

#include <array>

namespace fg {

namespace {

struct Example {
    const wchar_t* caption;
    const wchar_t* hint; // null: the entry does nothing
};

constexpr Example kExamples[] = {
    {L"Close Window [Alt+F4]", L"100073"},
    {L"Next Program [Alt+Tab]", L"100009"},
    {L"Select all   [CTRL+A]", nullptr},
    {L"Minimize All [Winkey+M]", L"00014D"},
    {L"Task Manager [Ctrl+Shift+Escape]", L"01101B"},
};

constexpr TPoint kExamplesMenuOffset{5, 7};

} // namespace

void TKeystrokeCapture::SetView(IKeystrokeEditView* v) {
    view = v;
    Mirror();
}

void TKeystrokeCapture::Mirror() {
    if (view) view->Mirror();
}

void TKeystrokeCapture::FocusFieldIfShown() {
    if (view && view->CanFocusField()) view->FocusField();
}

void TKeystrokeCapture::txtHotkeyKeyDown(std::uint16_t key) {
    bSetEnabled = false;
    std::array<std::uint8_t, 256> state{};
    if (Os().input && Os().input->GetKeyboardState(state)) {
        auto down = [&state](std::uint16_t vk) { return (state[vk] & 0x80) != 0; };
        if (down(capturekey::LWin) || down(capturekey::RWin)) Hotkey_Winkey = true;
        if (down(capturekey::Ctrl)) Hotkey_Ctrl = true;
        if (down(capturekey::Shift)) Hotkey_Shift = true;
        if (down(capturekey::Alt)) Hotkey_Alt = true;
    }
    // The Tab and Winkey buttons and the examples press no real key: the key itself counts.
    if (key == capturekey::Shift) Hotkey_Shift = true;
    if (key == capturekey::Ctrl) Hotkey_Ctrl = true;
    if (key == capturekey::Alt) Hotkey_Alt = true;
    if (key == capturekey::LWin) Hotkey_Winkey = true;
    bool valid = false;
    txtHotkey = GetHumanReadable(Hotkey_Alt, Hotkey_Shift, Hotkey_Ctrl, Hotkey_Winkey, key, valid);
    bSetEnabled = true;
    btnClearEnabled = true;
    Hotkey_Key = key;
    Mirror();
}

void TKeystrokeCapture::btnClearClick() {
    Hotkey_Ctrl = Hotkey_Alt = Hotkey_Winkey = Hotkey_Shift = false;
    Hotkey_Key = 0;
    txtHotkey.clear();
    // Nothing to set: a keystroke of key 0 would show as a blank row and send nothing useful.
    bSetEnabled = false;
    Mirror();
    FocusFieldIfShown();
}

void TKeystrokeCapture::btnTabClick() {
    // Tab cannot be pressed into the field: it moves the focus.
    txtHotkeyKeyDown(capturekey::Tab);
}

void TKeystrokeCapture::CloseAltF41Click(const std::wstring& hint) {
    const TKeystrokeData k = FromString(hint);
    btnClearClick();
    if (k.win) txtHotkeyKeyDown(capturekey::LWin);
    if (k.alt) txtHotkeyKeyDown(capturekey::Alt);
    if (k.ctrl) txtHotkeyKeyDown(capturekey::Ctrl);
    if (k.shft) txtHotkeyKeyDown(capturekey::Shift);
    txtHotkeyKeyDown(k.key);
}

TPopupMenu TKeystrokeCapture::pmKeys() {
    TPopupMenu menu;
    menu.push_back({.caption = L"Clear Keystroke", .onClick = [this] { Clear1Click(); }});
    menu.push_back({.caption = L"-"});
    for (const Example& e : kExamples) {
        TMenuEntry entry{.caption = e.caption, .hint = e.hint ? e.hint : L""};
        if (e.hint) entry.onClick = [this, hint = std::wstring(e.hint)] { CloseAltF41Click(hint); };
        menu.push_back(std::move(entry));
    }
    return menu;
}

void TKeystrokeCapture::SpeedButton1Click() {
    if (!Os().desktop || !Os().input) return;
    const TPoint at = BesideCursor(Os().input->CursorPos(), kExamplesMenuOffset);
    Os().desktop->PopupMenu(pmKeys(), at, view ? view->Handle() : 0);
}

TKeystrokeData TKeystrokeCapture::Captured() const {
    TKeystrokeData k;
    CopyCapture(k.alt, k.shft, k.ctrl, k.win, k.key, k.name);
    return k;
}

void TKeystrokeCapture::CopyCapture(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey,
                                    std::uint16_t& VKCode, std::wstring& ReadableName) const {
    kAlt = Hotkey_Alt;
    kShift = Hotkey_Shift;
    kCtrl = Hotkey_Ctrl;
    kWinkey = Hotkey_Winkey;
    VKCode = Hotkey_Key;
    bool valid = false;
    ReadableName = GetHumanReadable(kAlt, kShift, kCtrl, kWinkey, VKCode, valid);
}

} // namespace fg
