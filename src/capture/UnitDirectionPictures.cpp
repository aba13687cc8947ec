#include "capture/UnitDirectionPictures.h"

#include <vector>

namespace fg {

namespace {

using MD = TMouseDirection;

constexpr TColor kBackground = clWhite;
constexpr TColor kArrowFill = RGB_(28, 78, 196);
constexpr TColor kArrowEdge = RGB_(10, 30, 110);

// Two outlines on whole pixels, every edge straight or at 45 degrees, so that the arrows stay
// crisp and symmetric without anti-aliasing; the other six are exact quarter turns of these.
// Up: tip at the top, a 7-pixel shaft, a 21-pixel head; centred on pixel (20, 19).
const std::vector<TPoint> kUpArrow = {{20, 4},  {30, 14}, {23, 14}, {23, 34},
                                      {17, 34}, {17, 14}, {10, 14}};
// North-east: the head's legs run along the axes; the same shaft width and head size measured
// across the stroke; centred between pixels at (20.5, 19.5).
const std::vector<TPoint> kNorthEastArrow = {{33, 7}, {33, 22}, {28, 17}, {13, 32},
                                             {8, 27}, {23, 12}, {18, 7}};

// Turns the outline clockwise (on screen) by quarter turns about a centre given in half pixels.
std::vector<TPoint> Turned(const std::vector<TPoint>& outline, int quarterTurns, TPoint centre2) {
    std::vector<TPoint> out;
    for (TPoint p : outline) {
        int dx = 2 * p.x - centre2.x;
        int dy = 2 * p.y - centre2.y;
        for (int i = 0; i < quarterTurns; ++i) {
            const int t = dx;
            dx = -dy;
            dy = t;
        }
        out.push_back({(dx + centre2.x) / 2, (dy + centre2.y) / 2});
    }
    return out;
}

std::vector<TPoint> ArrowOutline(MD md) {
    constexpr TPoint kStraightCentre2{40, 38};
    constexpr TPoint kDiagonalCentre2{41, 39};
    switch (md) {
    case MD::mdUp:
        return kUpArrow;
    case MD::mdRight:
        return Turned(kUpArrow, 1, kStraightCentre2);
    case MD::mdDown:
        return Turned(kUpArrow, 2, kStraightCentre2);
    case MD::mdLeft:
        return Turned(kUpArrow, 3, kStraightCentre2);
    case MD::mdNE:
        return kNorthEastArrow;
    case MD::mdSE:
        return Turned(kNorthEastArrow, 1, kDiagonalCentre2);
    case MD::mdSW:
        return Turned(kNorthEastArrow, 2, kDiagonalCentre2);
    case MD::mdNW:
        return Turned(kNorthEastArrow, 3, kDiagonalCentre2);
    default:
        return {};
    }
}

} // namespace

TPicture DirectionPicture(TMouseDirection md) {
    TPicture pic(kDirectionPictureWidth, kDirectionPictureHeight);
    TRecordingCanvas c(pic);
    c.SetBrush(kBackground, BrushStyle::Solid);
    c.FillRect({0, 0, pic.Width, pic.Height});
    const std::vector<TPoint> outline = ArrowOutline(md);
    if (outline.empty()) return pic;
    c.SetPen(kArrowEdge, 1, PenStyle::Solid);
    c.SetBrush(kArrowFill, BrushStyle::Solid);
    c.Polygon(outline);
    return pic;
}

} // namespace fg
