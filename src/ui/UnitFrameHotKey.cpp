#include "ui/UnitFrameHotKey.h"

namespace fg {

void TFrameKeystrokeEdit::Init() {
    btnClearClick();
}

void TFrameKeystrokeEdit::SetKeystroke(const std::wstring& s) {
    const TKeystrokeData k = FromString(s);
    Hotkey_Alt = k.alt;
    Hotkey_Ctrl = k.ctrl;
    Hotkey_Shift = k.shft;
    Hotkey_Winkey = k.win;
    Hotkey_Key = k.key;
    // The stored name is shown as it was saved, not worked out again.
    txtHotkey = k.name;
    Mirror();
}

bool TFrameKeystrokeEdit::GetHotKey(TKeystrokeData& keydata, bool ShowClearButton) {
    return GetHotKey(keydata.alt, keydata.shft, keydata.ctrl, keydata.win, keydata.key,
                     keydata.name, ShowClearButton);
}

bool TFrameKeystrokeEdit::GetHotKey(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey,
                                    std::uint16_t& VKCode, std::wstring& ReadableName,
                                    bool /*ShowClearButton*/) {
    CopyCapture(kAlt, kShift, kCtrl, kWinkey, VKCode, ReadableName);
    return !ReadableName.empty();
}

void TFrameKeystrokeEdit::btnTabClick() {
    TKeystrokeCapture::btnTabClick();
    FocusFieldIfShown();
}

void TFrameKeystrokeEdit::btnWinkeyClick() {
    txtHotkeyKeyDown(capturekey::LWin);
    FocusFieldIfShown();
}

} // namespace fg
