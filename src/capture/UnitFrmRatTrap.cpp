#include "capture/UnitFrmRatTrap.h"

#include "app/UnitMisc.h"
#include "platform/Dpi.h"
#include "platform/IDesktop.h"
#include "platform/IInput.h"

namespace fg {

namespace {
constexpr std::uint32_t kAutoHideMs = 5000;
constexpr int kTrailWidth = 2;
// What the overlay shows in a key colour of its own when the button face cannot be the key:
// a grey as far from the trail's black as from the hint's white.
constexpr TColor kSubstituteKey = RGB_(128, 128, 128);

// Colours a 16-bit display cannot tell apart (5 bits of red and blue) are one colour to the key.
bool SameOnScreen(TColor a, TColor b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d >= 8 || d <= -8) return false;
    }
    return true;
}
} // namespace

TColor OverlayKeyColor(TColor buttonFace) {
    // Black: the trail, its catching pixel and the hint's text; white: the hint's box.
    if (SameOnScreen(buttonFace, clBlack) || SameOnScreen(buttonFace, clWhite))
        return kSubstituteKey;
    return buttonFace;
}

void TRatTrapPictureView::CoverMonitor(const TRect& monitor) {
    covered = monitor;
    // A new showing is drawn from scratch; only the pen carries over, as on a real surface.
    picture = TPicture(monitor.Width(), monitor.Height());
}

TFrmRatTrap::TFrmRatTrap(IDesktop& d, IInput& i, IRatTrapView* nativeView)
    : TimAutoHide(kAutoHideMs, false, [this] { TimAutoHideTimer(); }), desktop(d), input(i),
      ownView(nativeView ? nullptr : std::make_unique<TRatTrapPictureView>()),
      view(nativeView ? nativeView : ownView.get()) {
    // Set before the first showing, so the surface is never made in another colour than the key.
    keyColor = OverlayKeyColor(desktop.SysColor(SystemColor::ButtonFace));
    view->SetKeyColor(keyColor);
}

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

void TFrmRatTrap::SysColorChange() {
    FollowColorScheme();
}

void TFrmRatTrap::FollowColorScheme() {
    const TColor key = OverlayKeyColor(desktop.SysColor(SystemColor::ButtonFace));
    if (key == keyColor) return;
    keyColor = key;
    view->SetKeyColor(keyColor);
}

void TFrmRatTrap::FormShow() {
    // A scheme changed while no notice came through still shows see-through.
    FollowColorScheme();
    exeName = GetWindowEXEName(GetForegroundHandle());
    view->SetHintText(L"      To disable all gestures for [" + exeName + L"]      \r\n" +
                      L"      Double press Left Mouse Button.");

    const TPoint cursor = input.CursorPos();
    TRect monitor;
    if (desktop.MonitorNearest(cursor, monitor)) view->CoverMonitor(monitor);
    TimAutoHide.SetEnabled(true);

    // The frame comes from whatever pen is current: 1 pixel the first time, the trail's later.
    ICanvas& canvas = view->Surface();
    canvas.SetBrush(keyColor, BrushStyle::Solid);
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
