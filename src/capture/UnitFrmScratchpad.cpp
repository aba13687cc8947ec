#include "capture/UnitFrmScratchpad.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Dpi.h"
#include "platform/IDesktop.h"
#include "platform/IInput.h"

#include <algorithm>

namespace fg {

namespace {
// Stepping over more of the program's own windows than this means something else is wrong.
constexpr int kMaxOwnWindowsSkipped = 5;
constexpr int kConfigHelpPage = 2;
} // namespace

TScratchPadPictureView::TScratchPadPictureView()
    : picture(TFrmScratchPad::kDesignedWidth, TFrmScratchPad::kHeight) {}

TFrmScratchPad::TFrmScratchPad(IDesktop& d, IInput& i, IScratchPadView* nativeView)
    : TimCloser(0, false, [this] { TimCloserTimer(); }), desktop(d), input(i),
      ownView(nativeView ? nullptr : std::make_unique<TScratchPadPictureView>()),
      view(nativeView ? nativeView : ownView.get()) {
    ICanvas& canvas = view->DrawingArea();
    canvas.SetBrush(clWhite, BrushStyle::Solid);
    canvas.SetPen(clWhite, 1, PenStyle::Solid);
    // Widening first puts the pad where it belongs before it becomes the strip.
    Widen();
    Shrink();
}

TFrmScratchPad::~TFrmScratchPad() = default;

void TFrmScratchPad::SetEnabled(bool on) {
    enabled = on;
    view->EnablePad(on);
}

void TFrmScratchPad::SetVisible(bool on) {
    visible = on;
    view->ShowPad(on);
}

void TFrmScratchPad::prEnable(bool on) {
    SetVisible(on);
    if (on) Shrink();
}

void TFrmScratchPad::prFadeTime(int ms) {
    TimCloser.SetInterval(static_cast<std::uint32_t>(std::max(ms, 0)));
}

bool TFrmScratchPad::ContainsClientPoint(TPoint p) const {
    return visible && p.x >= bounds.left && p.x < bounds.right && p.y >= bounds.top &&
           p.y < bounds.bottom;
}

// Widths, gap and height are designed at 96 DPI and scaled by the primary monitor's DPI.
void TFrmScratchPad::PlaceAtRightEdge(int width96, int gap96) {
    const TRect monitor = desktop.PrimaryMonitor();
    dpi = DpiAt({monitor.left + monitor.Width() / 2, monitor.top + monitor.Height() / 2});
    const int width = ScaleByDpi(width96, dpi);
    const int gap = ScaleByDpi(gap96, dpi);
    const int height = ScaleByDpi(kHeight, dpi);
    const int top = monitor.top + monitor.Height() / 2 - height / 2;
    const int left = monitor.left + monitor.Width() - gap - width;
    bounds = {left, top, left + width, top + height};
    view->PlacePad(bounds);
}

void TFrmScratchPad::PlaceAgain() {
    if (showingfull)
        PlaceAtRightEdge(storedWidth, kEdgeGap);
    else
        PlaceAtRightEdge(kStripWidth, 0);
}

void TFrmScratchPad::SetTopmost(bool on) {
    topmost = on;
    view->SetTopmost(on);
}

void TFrmScratchPad::Widen() {
    view->AddToolWindowStyle();
    showingfull = true;
    // Out of the topmost band, so the pad does not cover the windows the user opens from it.
    SetTopmost(false);
    PlaceAtRightEdge(storedWidth, kEdgeGap);
}

void TFrmScratchPad::Shrink() {
    TimCloser.SetEnabled(false);
    SetTopmost(true);
    PlaceAtRightEdge(kStripWidth, 0);
    showingfull = false;
    ClearDrawingArea();
}

void TFrmScratchPad::ClearDrawingArea() {
    ICanvas& canvas = view->DrawingArea();
    canvas.SetBrush(clWhite, BrushStyle::Solid);
    canvas.FillRect(canvas.ClipRect());
}

void TFrmScratchPad::ReportMouseButton(bool down) {
    if (!showingfull) {
        FirstDown = true;
        return;
    }
    if (!down) {
        // A stroke has ended: the user is done with the pad, so coming back to it must not
        // keep it open.
        if (!FirstDown) ForceHide = true;
        FirstDown = true;
        return;
    }
    if (!FirstDown) return;
    ClearDrawingArea();
    view->DrawingArea().SetPen(clBlack, TrailWidth(), PenStyle::Solid);
    ReportPoint(input.CursorPos());
    FirstDown = false;
}

// One pixel at 96 DPI, as thick to the eye at every scale.
int TFrmScratchPad::TrailWidth() const {
    return ScaleByDpi(1, dpi);
}

void TFrmScratchPad::ReportPoint(TPoint p) {
    ICanvas& canvas = view->DrawingArea();
    canvas.SetPen(clBlack, TrailWidth(), PenStyle::Solid);
    const int x = p.x - bounds.left, y = p.y - bounds.top;
    if (FirstDown)
        canvas.MoveTo(x, y);
    else
        canvas.LineTo(x, y);
}

HWindow TFrmScratchPad::RemoveSelfFromFocus(bool NoFocus) {
    HWindow h = GetForegroundHandle();
    for (int step = 0;
         step < kMaxOwnWindowsSkipped && AsciiLower(GetWindowEXEName(h)) == kOwnExeLower; ++step)
        h = GetNextVisibleWindow(h);
    if (!NoFocus && AttachToWindowThread(GetForegroundHandle())) {
        desktop.SetForeground(h);
        DetachFromWindowThread();
    }
    return h;
}

void TFrmScratchPad::FormMouseEnter() {
    Widen();
    if (!ForceHide) TimCloser.SetEnabled(false);
}

void TFrmScratchPad::FormMouseLeave() {
    if (showingfull) TimCloser.SetEnabled(true);
}

void TFrmScratchPad::TimCloserTimer() {
    TimCloser.SetEnabled(false);
    ForceHide = false;
    Shrink();
}

void TFrmScratchPad::btnGesturesClick() {
    Shrink();
    TimCloser.SetEnabled(false);
    if (!ShowEditGestures) {
        AppendLog(L"Scratchpad: the Edit Gestures window is not available");
        return;
    }
    // The window opens on top of the program the user works in, with that program's input.
    if (AttachToWindowThread(GetForegroundHandle())) {
        ShowEditGestures();
        DetachFromWindowThread();
    }
}

void TFrmScratchPad::btnHelpClick() {
    Shrink();
    TimCloser.SetEnabled(false);
    if (!ShowConfigPage) {
        AppendLog(L"Scratchpad: the Configuration window is not available");
        return;
    }
    ShowConfigPage(kConfigHelpPage);
}

void TFrmScratchPad::FormActivate() {
    FocusNextWindow();
}

} // namespace fg
