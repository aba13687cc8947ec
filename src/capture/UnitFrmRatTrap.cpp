#include "capture/UnitFrmRatTrap.h"

#include "app/UnitMisc.h"
#include "platform/Dpi.h"
#include "platform/Platform.h"

namespace fg {

TFrmRatTrap* FrmRatTrap = nullptr;

namespace {
constexpr std::uint32_t kAutoHideMs = 5000;
constexpr int kTrailWidth = 2;
} // namespace

void TRatTrapPictureView::CoverMonitor(const TRect& monitor) {
    covered = monitor;
    // A new showing is drawn from scratch; only the pen carries over, as on a real surface.
    picture = TPicture(monitor.Width(), monitor.Height());
}

TFrmRatTrap::TFrmRatTrap(IRatTrapView* nativeView)
    : TimAutoHide(kAutoHideMs, false, [this] { TimAutoHideTimer(); }),
      ownView(nativeView ? nullptr : std::make_unique<TRatTrapPictureView>()),
      view(nativeView ? nativeView : ownView.get()) {}

TFrmRatTrap::~TFrmRatTrap() = default;

void TFrmRatTrap::Show() {
    if (visible) return;
    // Everything is in place before the window appears, so no stale trail flashes up.
    FormShow();
    visible = true;
    view->ShowOverlay();
}

void TFrmRatTrap::Hide() {
    if (!visible) return;
    visible = false;
    view->HideOverlay();
    FormHide();
}

void TFrmRatTrap::FormShow() {
    exeName = GetWindowEXEName(GetForegroundHandle());
    view->SetHintText(L"      To disable all gestures for [" + exeName + L"]      \r\n" +
                      L"      Double press Left Mouse Button.");

    const TPoint cursor = Os().input->CursorPos();
    TRect monitor;
    if (Os().desktop->MonitorNearest(cursor, monitor)) view->CoverMonitor(monitor);
    TimAutoHide.SetEnabled(true);

    // The frame comes from whatever pen is current: 1 pixel the first time, the trail's later.
    ICanvas& canvas = view->Surface();
    canvas.SetBrush(view->TransparentColor(), BrushStyle::Solid);
    canvas.Rectangle(canvas.ClipRect());
    // As thick to the eye at every scale: 2 pixels at 96 DPI, 3 at 144.
    canvas.SetPen(clBlack, ScaleByDpi(kTrailWidth, DpiAt(cursor)), PenStyle::Solid);
}

void TFrmRatTrap::FormHide() {
    TimAutoHide.SetEnabled(false);
}

void TFrmRatTrap::TimAutoHideTimer() {
    Hide();
    TimAutoHide.SetEnabled(false);
}

void TFrmRatTrap::ReportMouse(TPoint pt, bool startingPoint) {
    const TPoint p = view->ClientFromScreen(pt);
    ICanvas& canvas = view->Surface();
    if (startingPoint) canvas.MoveTo(p.x, p.y);
    if (!(canvas.PenPos() == p)) canvas.LineTo(p.x, p.y);
    // A line leaves its end point out, and the window beneath the cursor must be an opaque
    // pixel of ours for the button's release to come to us.
    canvas.SetPixel(p.x, p.y, clBlack);
}

} // namespace fg
