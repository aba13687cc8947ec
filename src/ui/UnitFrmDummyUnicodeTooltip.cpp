#include "ui/UnitFrmDummyUnicodeTooltip.h"

#include "app/UnitFrmDebug.h"
#include "platform/Dpi.h"
#include "platform/Platform.h"
#include "ui/UnitTooltipRecord.h"

#include <algorithm>

namespace fg {

TFrmDummyUnicodeTooltip* FrmDummyUnicodeTooltip = nullptr;

namespace {

constexpr int kMaxWidth = 200;
constexpr int kMaxHeight = 80;
constexpr int kGapFromPos = 10;  // a tooltip pushed over Pos moves this far off it
constexpr int kMeasureBox = 300; // text is laid out in, and pictures shrunk to, this square
constexpr int kMinPictureSide = 20;
constexpr int kPictureFontPoints = 8;

TooltipViewFactory& InstalledFactory() {
    static TooltipViewFactory factory;
    return factory;
}

bool PtInRect(const TRect& r, TPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void Offset(TRect& r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

} // namespace

void SetTooltipViewFactory(TooltipViewFactory factory) {
    InstalledFactory() = std::move(factory);
}

TTooltipWindow::TTooltipWindow(TooltipViewFactory viewFactory) : views(std::move(viewFactory)) {
    if (!FrmDummyUnicodeTooltip) return;
    owner = FrmDummyUnicodeTooltip;
    owner->owned.push_back(this);
}

TTooltipWindow::~TTooltipWindow() {
    view.reset();
    if (owner) std::erase(owner->owned, this);
}

ITooltipView& TTooltipWindow::OpenView() {
    const HWindow ownerHandle = owner ? owner->Handle() : 0;
    const TooltipViewFactory& factory = views ? views : InstalledFactory();
    if (factory) view = factory(*this, ownerHandle);
    if (!view) {
        // Headless: the showing is recorded into a record nobody reads.
        static TTooltipRecord discarded;
        view = RecordingTooltipViews(discarded)(*this, ownerHandle);
    }
    return *view;
}

// The limits and the distance from Pos are 96-DPI pixels, scaled to the monitor under Pos: the
// text's font grows with the DPI, and the tooltip must grow with it to hold as much text.
// The tooltip stays within the work area of the monitor under Pos. The virtual screen's size,
// counted from 0, lets a tooltip run off the far right or bottom edge as soon as a monitor lies
// left of or above the primary, and past one monitor's edge onto another or under the taskbar.
void TTooltipWindow::AdjustTooltipRect(TRect& R, TPoint Pos) {
    const int dpi = DpiAt(Pos);
    const int maxWidth = ScaleByDpi(kMaxWidth, dpi);
    const int maxHeight = ScaleByDpi(kMaxHeight, dpi);
    const int gap = ScaleByDpi(kGapFromPos, dpi);
    if (R.Width() > maxWidth) R.right = R.left + maxWidth;
    if (R.Height() > maxHeight) R.bottom = R.top + maxHeight;
    Offset(R, Pos.x, Pos.y);

    TRect work;
    if (!Os().desktop->MonitorWorkArea(Pos, work)) return;
    if (R.right > work.right) Offset(R, work.right - R.right, 0);
    // Pos on a taskbar docked at the left or top edge.
    if (R.left < work.left) Offset(R, work.left - R.left, 0);
    if (R.bottom > work.bottom) {
        Offset(R, 0, work.bottom - R.bottom);
        if (PtInRect(R, Pos)) Offset(R, 0, Pos.y - gap - R.bottom);
        return;
    }
    if (R.top < work.top) Offset(R, 0, work.top - R.top);
    if (PtInRect(R, Pos) && R.top != Pos.y) Offset(R, 0, Pos.y + gap - R.top);
}

void TTooltipWindow::ShowTooltip(const std::wstring& s, TPoint Pos, bool UseHelpString,
                                 const std::wstring& header) {
    TWideChar wc;
    wc.AppendUnicode(s);
    ShowTooltip(wc, Pos, UseHelpString, header);
    wc.Clear();
}

// Every caller shows plain text: UseHelpString and header have no use here.
void TTooltipWindow::ShowTooltip(const TWideChar& inwc, TPoint Pos, bool, const std::wstring&) {
    if (ShowingHint) return;
    ShowingHint = true;
    // The system draws the text up to its terminating NUL; measuring and drawing see the same.
    const std::wstring text = inwc.str.substr(0, inwc.str.find(L'\0'));
    AppendLog(L"ShowTooltip(wc,pos)");

    ITooltipView& v = OpenView();
    // The margins around the measured text are 96-DPI pixels, like the font's points.
    auto px = [dpi = DpiAt(Pos)](int px96) { return ScaleByDpi(px96, dpi); };
    const TPoint size = v.MeasureText(text, fontPoints);
    TRect r{0, 0, size.x + px(7), size.y + px(4)};
    AdjustTooltipRect(r, Pos);
    r.bottom += px(3);
    position = {r.left, r.top};
    v.ShowAt(r);
    v.PaintText(text, {1, 0, size.x + px(5), size.y + px(14)}, fontPoints);
}

void TTooltipWindow::ShowTooltip(const TPicture& pic, TPoint Pos, const std::wstring& header) {
    if (ShowingHint) return;
    ShowingHint = true;
    fontPoints = kPictureFontPoints;
    // A picture without area shows nothing, yet the tooltip counts as showing until closed.
    if (pic.Width <= 0 || pic.Height <= 0) return;

    const double s = std::min({static_cast<double>(kMeasureBox) / pic.Width,
                               static_cast<double>(kMeasureBox) / pic.Height, 1.0});
    const int w = std::max(kMinPictureSide, static_cast<int>(pic.Width * s));
    int h = std::max(kMinPictureSide, static_cast<int>(pic.Height * s));
    const int shownWidth = std::min(w, pic.Width);
    TRect r{0, 0, shownWidth + 2, h + 2};
    AdjustTooltipRect(r, Pos);

    ITooltipView& v = OpenView();
    int hh = 0;
    int hw = 0;
    if (!header.empty()) {
        hh = v.TextExtent(L"AZ", fontPoints).y;
        hw = v.TextExtent(header, fontPoints).x;
        h += hh;
    }
    position = {r.left, r.top};
    v.ShowAt({r.left, r.top, r.left + std::max(w, hw) + 4, r.top + h});
    v.PaintPicture(pic, {1, 1 + hh, 1 + shownWidth, h - 3}, header, fontPoints);
    // Painted at once, not when the caller next returns to the message loop.
    if (Os().desktop) Os().desktop->ProcessMessages();
}

void TTooltipWindow::CloseTooltip(bool) {
    view.reset();
    ShowingHint = false;
}

bool TTooltipWindow::IsHit(TPoint Pos) const {
    TRect r;
    return view && view->WindowRect(r) && PtInRect(r, Pos);
}

bool TTooltipWindow::HitTestClient(std::intptr_t lParam) const {
    const auto packed = static_cast<std::uint32_t>(lParam);
    const TPoint p{static_cast<std::int16_t>(packed & 0xFFFF),
                   static_cast<std::int16_t>(packed >> 16)};
    return IsHit(p);
}

TFrmDummyUnicodeTooltip::TFrmDummyUnicodeTooltip(HWindow nativeHandle) : handle(nativeHandle) {
    FrmDummyUnicodeTooltip = this;
    FormCreate();
}

TFrmDummyUnicodeTooltip::~TFrmDummyUnicodeTooltip() {
    if (FrmDummyUnicodeTooltip == this) FrmDummyUnicodeTooltip = nullptr;
    // The owned tooltips outlive their windows: they stay usable, now without an owner.
    for (TTooltipWindow* t : owned) {
        t->view.reset();
        t->ShowingHint = false;
        t->owner = nullptr;
    }
}

void TFrmDummyUnicodeTooltip::FormCreate() {
    AppendLog(L"FrmDummyUnicodeTooltip - creating");
}

} // namespace fg
