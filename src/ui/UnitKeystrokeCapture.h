// The capture behind both keystroke editors (the modal window and the wizard's panel): a keystroke
// built from the key presses in the editor's field, the Tab and Winkey buttons and the examples
// menu. Flags are only ever added; only clearing takes them away.
#pragma once

#include "actions/UnitFrmHotKey.h"
#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>

namespace fg {

// What an editor's logic asks of its native window or panel.
class IKeystrokeEditView {
  public:
    virtual ~IKeystrokeEditView() = default;
    // The field's text and the buttons' states as the logic holds them now.
    virtual void Mirror() = 0;
    // Whether the field is on screen and can take the focus, and giving it the focus.
    virtual bool CanFocusField() = 0;
    virtual void FocusField() = 0;
    // The window that owns the examples menu.
    virtual HWindow Handle() = 0;
};

// Virtual-key codes the capture treats specially.
namespace capturekey {
constexpr std::uint16_t Tab = 9, Shift = 16, Ctrl = 17, Alt = 18, LWin = 91, RWin = 92;
}

class TKeystrokeCapture : public TFrmKeystrokeEdit {
  public:
    // The view is attached later, once the native window exists; it may stay null.
    void SetView(IKeystrokeEditView* v);

    // A key went down in the field: the whole keyboard's state adds its modifiers.
    void txtHotkeyKeyDown(std::uint16_t key);
    void btnClearClick();
    virtual void btnTabClick();
    void Clear1Click() { btnClearClick(); }
    // An example entry: its hint is a stored keystroke, replayed as if its keys were pressed.
    void CloseAltF41Click(const std::wstring& hint);
    // Opens pmKeys beside the cursor.
    void SpeedButton1Click();
    // The examples menu, its entries wired to this capture.
    TPopupMenu pmKeys();

    // The state the native side mirrors.
    const std::wstring& Text() const { return txtHotkey; }
    bool SetEnabled() const { return bSetEnabled; }
    // No key captured since the last clear.
    bool CaptureEmpty() const { return Hotkey_Key == 0; }
    bool ClearEnabled() const { return btnClearEnabled; }
    // The captured flags and key, with the display name worked out from them.
    TKeystrokeData Captured() const;
    // The flag form both editors answer with.
    void CopyCapture(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey, std::uint16_t& VKCode,
                     std::wstring& ReadableName) const;

  protected:
    void Mirror();
    void FocusFieldIfShown();

    bool Hotkey_Ctrl = false;
    bool Hotkey_Alt = false;
    bool Hotkey_Winkey = false;
    bool Hotkey_Shift = false;
    std::uint16_t Hotkey_Key = 0;
    bool ClearPressed = false; // nothing sets it; kept so the state reads as the editor's
    bool SetPressed = false;

    std::wstring txtHotkey;
    bool bSetEnabled = false; // disabled while the capture is empty
    bool btnClearEnabled = false;
    IKeystrokeEditView* view = nullptr;
};

} // namespace fg
