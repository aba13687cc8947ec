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
    // The colour the window is see-through in (the system's button face).
    virtual TColor TransparentColor() = 0;
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
    TColor TransparentColor() override { return kButtonFace; }
    ICanvas& Surface() override { return canvas; }

    static constexpr TColor kButtonFace = RGB_(240, 240, 240);
    bool shown = false;
    TRect covered;
    std::wstring hint;
    TPicture picture;
    TRecordingCanvas canvas{picture};
};

class TFrmRatTrap {
  public:
    // view: the native window, or null for one without a window.
    explicit TFrmRatTrap(IRatTrapView* view = nullptr);
    virtual ~TFrmRatTrap();
    TFrmRatTrap(const TFrmRatTrap&) = delete;
    TFrmRatTrap& operator=(const TFrmRatTrap&) = delete;

    virtual void Show(); // FormShow
    virtual void Hide(); // FormHide
    virtual bool Visible() const { return visible; }
    // pt in screen coordinates; a starting point only moves the pen.
    virtual void ReportMouse(TPoint pt, bool startingPoint);

    void TimAutoHideTimer();
    // The foreground program's executable when the overlay was last shown.
    const std::wstring& ExeName() const { return exeName; }

    TTimer TimAutoHide;

  protected:
    bool visible = false;

  private:
    void FormShow();
    void FormHide();

    std::unique_ptr<IRatTrapView> ownView;
    IRatTrapView* view;
    std::wstring exeName;
};

// The program's one overlay; null until its window is created.
extern TFrmRatTrap* FrmRatTrap;

} // namespace fg
