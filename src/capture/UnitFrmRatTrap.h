// The capture overlay: a see-through, topmost, never-activated window over the monitor under the
// cursor that shows the trail and takes the button release away from the program beneath.
#pragma once

#include "platform/ICanvas.h"
#include "platform/Picture.h"
#include "platform/Timer.h"
#include "platform/Types.h"

#include <memory>
#include <string>

namespace fg {

class IDesktop;
class IInput;

// What the overlay asks of its native window.
class IRatTrapView {
  public:
    virtual ~IRatTrapView() = default;
    // Visible on top of everything without taking activation; hidden.
    virtual void ShowOverlay() = 0;
    virtual void HideOverlay() = 0;
    // Restores the window, puts its top-left corner on the monitor's and maximises it there.
    virtual void CoverMonitor(const TRect& monitor) = 0;
    virtual TPoint ClientFromScreen(TPoint screen) = 0;
    virtual void SetHintText(const std::wstring& text) = 0;
    // Makes key the colour the window is see-through in and the colour its surface is blank in,
    // both at once: apart, the blank surface would cover the monitor. The trail drawn so far stays.
    virtual void SetKeyColor(TColor key) = 0;
    // What the trail is drawn on; it keeps its pen from one showing to the next.
    virtual ICanvas& Surface() = 0;
};

// The overlay without a window: it remembers where it was put and records what is drawn. Used
// when no native window is given.
class TRatTrapPictureView : public IRatTrapView {
  public:
    void ShowOverlay() override { shown = true; }
    void HideOverlay() override { shown = false; }
    void CoverMonitor(const TRect& monitor) override;
    TPoint ClientFromScreen(TPoint screen) override {
        return {screen.x - covered.left, screen.y - covered.top};
    }
    void SetHintText(const std::wstring& text) override { hint = text; }
    void SetKeyColor(TColor c) override { key = c; }
    ICanvas& Surface() override { return canvas; }

    // The button face of the system's default colour scheme.
    static constexpr TColor kButtonFace = RGB_(240, 240, 240);
    bool shown = false;
    TColor key = kButtonFace; // see-through, and the blank surface's colour
    TRect covered;
    std::wstring hint;
    TPicture picture;
    TRecordingCanvas canvas{picture};
};

// The colour the overlay is see-through in for the scheme's button face: the button face itself,
// unless the overlay needs that colour to be seen. High Contrast Black makes the button face the
// trail's black, which would make the trail and the pixel that catches the release see-through;
// High Contrast White makes it the hint's white box.
TColor OverlayKeyColor(TColor buttonFace);

class TFrmRatTrap {
  public:
    // The desktop gives the colour scheme and the monitors, the input the cursor. view: the native
    // window, or null for one without a window.
    TFrmRatTrap(IDesktop& desktop, IInput& input, IRatTrapView* view = nullptr);
    virtual ~TFrmRatTrap();
    TFrmRatTrap(const TFrmRatTrap&) = delete;
    TFrmRatTrap& operator=(const TFrmRatTrap&) = delete;

    virtual void Show(); // FormShow
    virtual void Hide(); // FormHide
    virtual bool Visible() const { return visible; }
    // pt in screen coordinates; a starting point only moves the pen.
    virtual void ReportMouse(TPoint pt, bool startingPoint);

    void TimAutoHideTimer();
    // The colour scheme changed (WM_SYSCOLORCHANGE): the see-through colour and the blank surface
    // follow it, also while the overlay shows.
    void SysColorChange();
    TColor KeyColor() const { return keyColor; }
    // The foreground program's executable when the overlay was last shown.
    const std::wstring& ExeName() const { return exeName; }

    TTimer TimAutoHide;

  protected:
    bool visible = false;

  private:
    void FormShow();
    void FormHide();
    void FollowColorScheme();

    IDesktop& desktop;
    IInput& input;
    std::unique_ptr<IRatTrapView> ownView;
    IRatTrapView* view;
    std::wstring exeName;
    TColor keyColor = TRatTrapPictureView::kButtonFace;
};

} // namespace fg
