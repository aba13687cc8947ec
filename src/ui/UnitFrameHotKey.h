// The keystroke editor: captures one keystroke (main key and modifiers) from the key presses in
// its field. The same capture serves the modal keystroke window and the panel that the gesture
// wizard places on its "Single Keystroke" page.
#pragma once

#include "actions/UnitFrmHotKey.h"
#include "ui/UnitKeystrokeCapture.h"

#include <cstdint>
#include <string>

namespace fg {

// The panel's logic. Its native panel mirrors the state into the real controls. Like the window,
// it also answers the keystroke conversions.
class TFrameKeystrokeEdit : public TKeystrokeCapture {
  public:
    virtual ~TFrameKeystrokeEdit() = default;
    // Clears the capture (the wizard calls it when a new binding starts).
    void Init();
    // Loads a stored keystroke (an existing keystroke action being edited).
    void SetKeystroke(const std::wstring& s);
    // The current capture; false when its display name is empty.
    bool GetHotKey(TKeystrokeData& keydata, bool ShowClearButton);
    bool GetHotKey(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey, std::uint16_t& VKCode,
                   std::wstring& ReadableName, bool ShowClearButton);

    // Events of the panel's controls; Set and Cancel are hidden.
    void btnTabClick() override;
    void btnWinkeyClick();
    void bSetClick() { SetPressed = true; }
    void bCancelClick() {}
};

} // namespace fg
