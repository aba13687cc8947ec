#include "ui/UnitDrawGesture.h"

#include "vocabulary/UnitMouseMovement.h"

#include <algorithm>

namespace fg {

namespace {

using MD = TMouseDirection;

// The layout pass works on a square of this many units with the start in its centre.
constexpr int kCentre = 250;
constexpr int kUnitStroke = 50;
// Two strokes in a row on one axis are drawn this far apart, so up-then-down shows two lines.
constexpr int kSideShift = 8;

bool IsVertical(MD d) {
    return d == MD::mdUp || d == MD::mdDown;
}
bool IsHorizontal(MD d) {
    return d == MD::mdLeft || d == MD::mdRight;
}

// The walk shared by both passes: where each stroke ends for a given stroke length.
struct TStrokeWalk {
    TPoint at;
    MD previous = MD::mdNone;
    MD lastVertical = MD::mdNone;
    MD lastHorizontal = MD::mdNone;

    enum class Shift { None, Across, Along };
    // Moves by one stroke of length len; answers which side shift (if any) the stroke took.
    Shift Step(MD d, int len) {
        switch (d) {
        case MD::mdUp:
            at.y -= len;
            lastVertical = d;
            break;
        case MD::mdDown:
            at.y += len;
            lastVertical = d;
            break;
        case MD::mdLeft:
            at.x -= len;
            lastHorizontal = d;
            break;
        case MD::mdRight:
            at.x += len;
            lastHorizontal = d;
            break;
        default:
            break;
        }
        Shift shift = Shift::None;
        if (previous != MD::mdNone) {
            if (IsVertical(d) && IsVertical(previous)) {
                at.x += lastHorizontal == MD::mdLeft ? -kSideShift : kSideShift;
                shift = Shift::Across;
            } else if (IsHorizontal(d) && IsHorizontal(previous)) {
                at.y += lastVertical == MD::mdUp ? -kSideShift : kSideShift;
                shift = Shift::Along;
            }
        }
        previous = d;
        return shift;
    }
};

std::vector<MD> Strokes(const std::wstring& gesture) {
    std::vector<MD> out;
    for (wchar_t ch : gesture) {
        const MD d = TMouseMovement::CharToDirection(ch);
        if (!TMouseMovement::IsMonitorPosition(d)) out.push_back(d);
    }
    return out;
}

TRect LayoutBox(const std::vector<MD>& strokes) {
    TStrokeWalk walk{{kCentre, kCentre}};
    TRect box{kCentre, kCentre, kCentre, kCentre};
    for (MD d : strokes) {
        walk.Step(d, kUnitStroke);
        box.left = std::min(box.left, walk.at.x);
        box.right = std::max(box.right, walk.at.x);
        box.top = std::min(box.top, walk.at.y);
        box.bottom = std::max(box.bottom, walk.at.y);
    }
    return box;
}

// Where the first stroke starts along one axis: far enough in to leave room for the strokes that
// go back past the start.
int StartOnAxis(int size, int boxLow, int boxExtent, int steps, int margin) {
    if (boxExtent == 0 || steps == 0) return size / 2;
    const int v = boxLow < kCentre ? kCentre - boxLow - margin : margin;
    return size * v / boxExtent;
}

// The start is placed in layout units scaled to the whole image, the strokes in stroke lengths,
// and the short side is centred on top of that: when a gesture goes back past its start across
// the short side (up, right, right) the drawing can end up partly off the image. Such a drawing
// is centred on that axis instead; one that fits stays exactly where it was placed.
void KeepInside(const std::vector<MD>& strokes, int L, int W, int H, int& x0, int& y0) {
    TStrokeWalk walk{{x0, y0}};
    TRect reach{x0, y0, x0, y0};
    for (MD d : strokes) {
        walk.Step(d, L);
        reach.left = std::min(reach.left, walk.at.x);
        reach.right = std::max(reach.right, walk.at.x);
        reach.top = std::min(reach.top, walk.at.y);
        reach.bottom = std::max(reach.bottom, walk.at.y);
    }
    if (reach.left < 0 || reach.right > W) x0 += (W - reach.left - reach.right) / 2;
    if (reach.top < 0 || reach.bottom > H) y0 += (H - reach.top - reach.bottom) / 2;
}

void DrawMonitorBar(wchar_t first, ICanvas& c, int W, int H) {
    const int cx = W / 2;
    const int cy = H / 2;
    TRect bar;
    switch (TMouseMovement::CharToDirection(first)) {
    case MD::mdMonTop:
        bar = {cx - 10, 0, cx + 10, 5};
        break;
    case MD::mdMonBottom:
        bar = {cx - 10, H - 5, cx + 10, H};
        break;
    case MD::mdMonLeft:
        bar = {0, cy - 10, 5, cy + 10};
        break;
    case MD::mdMonRight:
        bar = {W - 5, cy - 10, W, cy + 10};
        break;
    default:
        return;
    }
    c.SetPen(clBlack, 1, PenStyle::Solid);
    c.SetBrush(clAqua, BrushStyle::Solid);
    c.Rectangle(bar);
}

void DrawArrowhead(ICanvas& c, MD d, TPoint p) {
    const int x = p.x;
    const int y = p.y;
    std::vector<TPoint> head;
    switch (d) {
    case MD::mdUp:
        head = {{x - 3, y + 5}, {x + 3, y + 5}, {x, y - 1}};
        break;
    case MD::mdDown:
        head = {{x - 3, y - 5}, {x + 3, y - 5}, {x, y + 1}};
        break;
    case MD::mdLeft:
        head = {{x + 5, y - 3}, {x + 5, y + 3}, {x - 1, y}};
        break;
    case MD::mdRight:
        head = {{x - 5, y - 3}, {x - 5, y + 3}, {x + 1, y}};
        break;
    default:
        return;
    }
    c.SetBrush(clBlack, BrushStyle::Solid);
    c.Polygon(head);
}

} // namespace

void TFrmDrawGesture::ClearImage(ICanvas& c) {
    c.SetPen(c.PenColor(), 1, PenStyle::Solid);
    c.SetBrush(clWhite, BrushStyle::Solid);
    c.Rectangle(c.ClipRect());
}

void TFrmDrawGesture::GetImage(const std::wstring& gesture, ICanvas& c, int wd, int ht) {
    ClearImage(c);
    c.SetPen(clBlack, 1, PenStyle::Solid);
    const int W = wd - 1;
    const int H = ht - 1;

    const std::vector<MD> strokes = Strokes(gesture);
    const TRect box = LayoutBox(strokes);
    if (box.Width() + box.Height() == 0) return;

    const int nx = box.Width() / kUnitStroke;
    const int ny = box.Height() / kUnitStroke;
    const int steps = std::max(nx, ny);
    if (steps == 0) return; // cannot happen for a box reached by strokes; no division by it
    const int m = static_cast<int>(std::min(W, H) * 0.07);
    const int L = (std::min(W, H) - 4 * m) / steps;

    int x0 = StartOnAxis(W, box.left, box.Width(), nx, m);
    int y0 = StartOnAxis(H, box.top, box.Height(), ny, m);
    if (nx > 0 && ny > 0) {
        if (ny > nx) x0 += (W - nx * L) / 2 - m;
        if (nx > ny) y0 += (H - ny * L) / 2 - m;
    }
    KeepInside(strokes, L, W, H, x0, y0);

    if (!gesture.empty()) DrawMonitorBar(gesture.front(), c, W, H);

    TStrokeWalk walk{{x0, y0}};
    TPoint previousEnd = walk.at;
    c.MoveTo(x0, y0);
    for (MD d : strokes) {
        const TPoint from = walk.at;
        const auto shift = walk.Step(d, L);
        // A diagonal (or anything that is no stroke) neither moves nor draws.
        if (walk.at == from) continue;
        c.SetPen(clBlack, 1, PenStyle::Dot);
        c.SetBrush(clWhite, BrushStyle::Solid);
        if (shift == TStrokeWalk::Shift::Across) c.LineTo(walk.at.x, previousEnd.y);
        if (shift == TStrokeWalk::Shift::Along) c.LineTo(previousEnd.x, walk.at.y);
        c.LineTo(walk.at.x, walk.at.y);
        previousEnd = walk.at;
        DrawArrowhead(c, d, walk.at);
        c.MoveTo(walk.at.x, walk.at.y);
    }
}

} // namespace fg
