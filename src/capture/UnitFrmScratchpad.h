// The scratchpad: a strip at the right edge of the primary monitor that widens into a small pad
// to draw gestures in, when that drawing method is chosen.
#pragma once

#include "platform/ICanvas.h"
#include "platform/Picture.h"
#include "platform/Timer.h"
#include "platform/Types.h"
#include "vocabulary/IDrawingPad.h"

#include <functional>
#include <memory>

namespace fg {

class IDesktop;
class IInput;

// What the pad asks of its native window; the window mirrors the pad's state.
class IScratchPadView {
  public:
    virtual ~IScratchPadView() = default;
    virtual void PlacePad(const TRect& bounds) = 0; // screen coordinates, z-order unchanged
    virtual void SetTopmost(bool topmost) = 0;      // no move, no size
    virtual void AddToolWindowStyle() = 0;
    virtual void ShowPad(bool show) = 0; // never activates
    virtual void EnablePad(bool enable) = 0;
    // The drawing area, in the pad's client coordinates, at its full size.
    virtual ICanvas& DrawingArea() = 0;
};

// The pad without a window: it records what is drawn. Used when no native window is given.
class TScratchPadPictureView : public IScratchPadView {
  public:
    TScratchPadPictureView();
    void PlacePad(const TRect&) override {}
    void SetTopmost(bool) override {}
    void AddToolWindowStyle() override {}
    void ShowPad(bool) override {}
    void EnablePad(bool) override {}
    ICanvas& DrawingArea() override { return canvas; }

    TPicture picture;
    TRecordingCanvas canvas{picture};
};

class TFrmScratchPad : public IDrawingPad {
  public:
    // The desktop gives the primary monitor and the foreground, the input the cursor. view: the
    // native window, or null for one without a window. Creates the pad hidden, as a strip.
    TFrmScratchPad(IDesktop& desktop, IInput& input, IScratchPadView* view = nullptr);
    ~TFrmScratchPad() override;
    TFrmScratchPad(const TFrmScratchPad&) = delete;
    TFrmScratchPad& operator=(const TFrmScratchPad&) = delete;

    virtual void ReportMouseButton(bool down);
    virtual void ReportPoint(TPoint p);
    // Finds the window the user works in, skipping the program's own; gives it the foreground
    // unless NoFocus.
    HWindow RemoveSelfFromFocus(bool NoFocus) override;
    // Whether the pad takes input (the monitor turns it off while a gesture drawn in it runs).
    virtual bool Enabled() const { return enabled; }
    virtual void SetEnabled(bool on);
    // Whether a screen point lies in the pad's client area (only while it is shown).
    virtual bool ContainsClientPoint(TPoint screen) const;

    bool Visible() const override { return visible; }
    void SetVisible(bool on) override;
    // Shows the pad as a strip, or hides it.
    void prEnable(bool on);
    void prFadeTime(int ms);

    // Events of the window.
    void FormMouseEnter(); // the pad, its drawing area, its title or a button
    void FormMouseLeave();
    void TimCloserTimer();
    void btnGesturesClick();
    void btnHelpClick();
    void FormActivate();

    // Set by start-up once those windows exist; until then the buttons only shrink the pad.
    std::function<void()> ShowEditGestures;
    std::function<void(int page)> ShowConfigPage;

    // Where the pad belongs now, after the display's scale or size changed.
    void PlaceAgain();
    TRect BoundsRect() const { return bounds; }
    bool ShowingFull() const { return showingfull; }
    bool Topmost() const { return topmost; }
    bool FirstDown = true;
    bool ForceHide = false;

    // Designed in pixels at 96 DPI; the pad scales them by its monitor's DPI.
    static constexpr int kDesignedWidth = 257;
    static constexpr int kHeight = 312;
    static constexpr int kStripWidth = 5;
    static constexpr int kEdgeGap = 3; // between the full pad and the monitor's right edge

    TTimer TimCloser;

  protected:
    bool enabled = true;

  private:
    void Widen();
    void Shrink();
    void PlaceAtRightEdge(int width, int gap);
    void SetTopmost(bool on);
    void ClearDrawingArea();
    int TrailWidth() const;

    IDesktop& desktop;
    IInput& input;
    std::unique_ptr<IScratchPadView> ownView;
    IScratchPadView* view;
    int dpi = 96; // of the primary monitor, where the pad sits
    int storedWidth = kDesignedWidth;
    TRect bounds{0, 0, kDesignedWidth, kHeight};
    bool showingfull = true;
    bool topmost = false;
    bool visible = false;
};

} // namespace fg
