// The modal keystroke window's logic: the program's one keystroke editor window, which the
// keystroke list editors run to capture each keystroke. It is also the object on which the rest
// of the program calls the keystroke conversions.
#pragma once

#include "ui/UnitKeystrokeCapture.h"

#include <cstdint>
#include <string>

namespace fg {

// What the list editors ask of the modal keystroke window.
class IModalKeystrokeEditor {
  public:
    virtual ~IModalKeystrokeEditor() = default;
    // Runs the editor modally; true (and keydata filled) when the user left it with Set.
    virtual bool GetHotKey(TKeystrokeData& keydata, bool ShowClearButton) = 0;
    // Places the editor's top-left corner at a screen point for its next showing.
    virtual void MoveTo(TPoint topLeft) = 0;
};

// What the window's logic asks of its native window, besides the field.
class IKeystrokeWindowView : public IKeystrokeEditView {
  public:
    // Shows the window modally; returns once it has closed.
    virtual void ShowModal() = 0;
    virtual void CloseModal() = 0;
    virtual void MoveTo(TPoint topLeft) = 0;
};

class TFrmKeystrokeEditor : public TKeystrokeCapture, public IModalKeystrokeEditor {
  public:
    void SetWindowView(IKeystrokeWindowView* v);

    // Both forms clear the capture and run the window; when the user pressed Set they give the
    // capture, its display name worked out afresh, and answer true. Set does nothing while the
    // capture is empty; with Cancel the outputs stay as they were.
    bool GetHotKey(TKeystrokeData& keydata, bool ShowClearButton) override;
    bool GetHotKey(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey, std::uint16_t& VKCode,
                   std::wstring& ReadableName, bool ShowClearButton);
    void MoveTo(TPoint topLeft) override;

    void bSetClick();
    void bCancelClick();
    // The window came to the front: its field takes the keys.
    void FormActivate();
    void FormKeyUp() {}

    bool WasSetPressed() const { return SetPressed; }

  private:
    IKeystrokeWindowView* windowView = nullptr;
};

// The program's one keystroke window; null until it exists.
extern TFrmKeystrokeEditor* FrmKeystrokeEditor;

} // namespace fg
