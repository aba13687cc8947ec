// Gesture pictures as the primitives they are drawn with, on a 105 x 100 image as the Edit
// Gestures window and the gesture editor use.
#include "capture/UnitDirectionPictures.h"
#include "platform/Picture.h"
#include "ui/UnitDrawGesture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace fg {
namespace {

using Kind = TPictureOp::Kind;

struct Line {
    TPoint from, to;
    bool operator==(const Line&) const = default;
};
struct Shape {
    TColor fill;
    bool dottedOutline;
    std::vector<TPoint> points;
    bool operator==(const Shape&) const = default;
};
struct Box {
    TColor fill;
    TRect rect;
    bool operator==(const Box&) const = default;
};

// What a recorded picture draws: its lines (all of which must be dotted and black), its filled
// triangles and its rectangles.
struct Drawn {
    std::vector<Line> lines;
    std::vector<Shape> shapes;
    std::vector<Box> boxes;
};

Drawn Replay(const TPicture& pic) {
    Drawn d;
    TPoint pen;
    TColor penColor = clBlack, brush = clWhite;
    bool dotted = false;
    for (const TPictureOp& op : pic.ops) {
        switch (op.kind) {
        case Kind::Pen:
            penColor = op.color;
            dotted = static_cast<PenStyle>(op.style) == PenStyle::Dot;
            break;
        case Kind::Brush:
            brush = op.color;
            break;
        case Kind::MoveTo:
            pen = {op.rect.left, op.rect.top};
            break;
        case Kind::LineTo:
            EXPECT_TRUE(dotted);
            EXPECT_EQ(penColor, clBlack);
            d.lines.push_back({pen, {op.rect.left, op.rect.top}});
            pen = {op.rect.left, op.rect.top};
            break;
        case Kind::Polygon:
            d.shapes.push_back({brush, dotted, op.points});
            break;
        case Kind::Rectangle:
            EXPECT_FALSE(dotted);
            d.boxes.push_back({brush, op.rect});
            break;
        default:
            ADD_FAILURE() << "unexpected primitive";
        }
    }
    return d;
}

Drawn Draw(const std::wstring& gesture, int wd = 105, int ht = 100) {
    TPicture pic(wd, ht);
    TRecordingCanvas canvas(pic);
    TFrmDrawGesture::GetImage(gesture, canvas, wd, ht);
    return Replay(pic);
}

Shape Head(std::vector<TPoint> p) {
    return {clBlack, true, std::move(p)};
}
Shape Up(int x, int y) {
    return Head({{x - 3, y + 5}, {x + 3, y + 5}, {x, y - 1}});
}
Shape Down(int x, int y) {
    return Head({{x - 3, y - 5}, {x + 3, y - 5}, {x, y + 1}});
}
Shape Left(int x, int y) {
    return Head({{x + 5, y - 3}, {x + 5, y + 3}, {x - 1, y}});
}
Shape Right(int x, int y) {
    return Head({{x - 5, y - 3}, {x - 5, y + 3}, {x + 1, y}});
}

const Box kFrame{clWhite, {0, 0, 105, 100}};

struct Case {
    const wchar_t* gesture;
    std::vector<Line> lines;
    std::vector<Shape> heads;
    std::vector<Box> boxes;
};

TEST(GesturePicture, StrokesConnectorsAndArrowheadsLandOnTheirPixels) {
    const std::vector<Case> cases = {
        // Up then right: start bottom-left, both strokes 75 pixels.
        {L"03",
         {{{12, 87}, {12, 12}}, {{12, 12}, {87, 12}}},
         {Up(12, 12), Right(87, 12)},
         {kFrame}},
        // Up then down: a connector keeps the second line 8 pixels to the side.
        {L"01",
         {{{52, 87}, {52, 12}}, {{52, 12}, {60, 12}}, {{60, 12}, {60, 87}}},
         {Up(52, 12), Down(60, 87)},
         {kFrame}},
        // A start at the top edge: the cyan bar at the top centre, then the stroke.
        {L"A1", {{{52, 11}, {52, 86}}}, {Down(52, 86)}, {kFrame, {clAqua, {42, 0, 62, 5}}}},
        // Up, left, down, right: the start sits right so the square fits.
        {L"0213",
         {{{91, 87}, {91, 12}}, {{91, 12}, {16, 12}}, {{16, 12}, {16, 87}}, {{16, 87}, {91, 87}}},
         {Up(91, 12), Left(16, 12), Down(16, 87), Right(91, 87)},
         {kFrame}},
        // Left then right: shifted down, since no vertical stroke came first.
        {L"23",
         {{{91, 49}, {16, 49}}, {{16, 49}, {16, 57}}, {{16, 57}, {91, 57}}},
         {Left(16, 49), Right(91, 57)},
         {kFrame}},
        // A diagonal draws nothing but breaks the pair: the down stroke takes no side shift.
        {L"041",
         {{{52, 87}, {52, 12}}, {{52, 12}, {52, 87}}},
         {Up(52, 12), Down(52, 87)},
         {kFrame}},
        // A monitor position after the start draws no bar.
        {L"1A", {{{52, 11}, {52, 86}}}, {Down(52, 86)}, {kFrame}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gesture " << c.gesture);
        const Drawn d = Draw(c.gesture);
        EXPECT_EQ(d.lines, c.lines);
        EXPECT_EQ(d.shapes, c.heads);
        EXPECT_EQ(d.boxes, c.boxes);
    }
}

TEST(GesturePicture, NothingToDrawLeavesTheFramedWhiteCanvas) {
    for (const wchar_t* gesture : {L"", L"4567", L"A", L"D46", L"88"}) {
        const Drawn d = Draw(gesture);
        EXPECT_TRUE(d.lines.empty());
        EXPECT_TRUE(d.shapes.empty());
        EXPECT_EQ(d.boxes, std::vector<Box>{kFrame});
    }
}

TEST(GesturePicture, MonitorBarsSitCentredOnTheirEdge) {
    const std::vector<std::pair<const wchar_t*, TRect>> bars = {
        {L"A1", {42, 0, 62, 5}},
        {L"B0", {42, 94, 62, 99}},
        {L"C3", {0, 39, 5, 59}},
        {L"D2", {99, 39, 104, 59}},
    };
    for (const auto& [gesture, rect] : bars) {
        const Drawn d = Draw(gesture);
        ASSERT_EQ(d.boxes.size(), 2u);
        EXPECT_EQ(d.boxes[1], (Box{clAqua, rect}));
    }
}

TEST(GesturePicture, ClearImageFramesTheClipRectInThePenColour) {
    TPicture pic(30, 20);
    TRecordingCanvas canvas(pic);
    canvas.SetPen(RGB_(200, 0, 0), 3, PenStyle::Dot);
    pic.ops.clear();
    TFrmDrawGesture::ClearImage(canvas);
    ASSERT_EQ(pic.ops.size(), 3u);
    EXPECT_EQ(pic.ops[0].color, RGB_(200, 0, 0));
    EXPECT_EQ(static_cast<PenStyle>(pic.ops[0].style), PenStyle::Solid);
    EXPECT_EQ(pic.ops[1].color, clWhite);
    EXPECT_EQ(pic.ops[2].rect, (TRect{0, 0, 30, 20}));
}

// Where the proportional start and the centring on the short side would push strokes off the
// image (up, right, right; left, down, down), the drawing is moved back inside.
TEST(GesturePicture, LongerGesturesStayInsideTheImage) {
    for (const wchar_t* gesture : {L"033", L"211", L"200", L"122", L"0303", L"31313", L"2020"}) {
        SCOPED_TRACE(testing::Message() << "gesture " << gesture);
        const Drawn d = Draw(gesture);
        ASSERT_FALSE(d.lines.empty());
        for (const Line& l : d.lines)
            for (TPoint p : {l.from, l.to}) {
                EXPECT_GE(p.x, 0);
                EXPECT_LE(p.x, 104);
                EXPECT_GE(p.y, 0);
                EXPECT_LE(p.y, 99);
            }
    }
}

// The arrow's outline mirrored across the stroke's axis through its tip.
std::vector<TPoint> Mirrored(const std::vector<TPoint>& outline, TPoint tip, TPoint way) {
    const int n = way.x * way.x + way.y * way.y; // 1 or 2
    std::vector<TPoint> out;
    for (TPoint p : outline) {
        const int dx = p.x - tip.x, dy = p.y - tip.y;
        const int along = dx * way.x + dy * way.y;
        out.push_back({tip.x + 2 * along * way.x / n - dx, tip.y + 2 * along * way.y / n - dy});
    }
    return out;
}

TEST(DirectionPictures, EachStrokeHasASymmetricArrowPointingItsWay) {
    using MD = TMouseDirection;
    const std::vector<std::pair<MD, TPoint>> ways = {
        {MD::mdUp, {0, -1}}, {MD::mdDown, {0, 1}}, {MD::mdLeft, {-1, 0}}, {MD::mdRight, {1, 0}},
        {MD::mdNE, {1, -1}}, {MD::mdNW, {-1, -1}}, {MD::mdSE, {1, 1}},    {MD::mdSW, {-1, 1}},
    };
    for (const auto& [md, way] : ways) {
        SCOPED_TRACE(static_cast<int>(md));
        const TPicture pic = DirectionPicture(md);
        EXPECT_EQ(pic.Width, 42);
        EXPECT_EQ(pic.Height, 39);
        ASSERT_EQ(pic.ops.size(), 5u);
        EXPECT_EQ(pic.ops[0].color, clWhite);
        EXPECT_EQ(pic.ops[1].rect, (TRect{0, 0, 42, 39}));
        const std::vector<TPoint>& outline = pic.ops[4].points;
        ASSERT_EQ(pic.ops[4].kind, Kind::Polygon);

        auto along = [&](TPoint p) { return (p.x - 20) * way.x + (p.y - 19) * way.y; };
        const auto [tail, tip] =
            std::minmax_element(outline.begin(), outline.end(),
                                [&](TPoint a, TPoint b) { return along(a) < along(b); });
        EXPECT_EQ(std::count_if(outline.begin(), outline.end(),
                                [&](TPoint p) { return along(p) == along(*tip); }),
                  1); // a single point
        EXPECT_GE(along(*tip), 14);
        EXPECT_LE(along(*tail), -14); // the shaft runs back across the centre
        for (TPoint p : outline) {
            EXPECT_TRUE(p.x >= 0 && p.x < 42 && p.y >= 0 && p.y < 39) << p.x << "," << p.y;
        }
        std::vector<TPoint> mirrored = Mirrored(outline, *tip, way), sorted = outline;
        auto byXY = [](TPoint a, TPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; };
        std::sort(mirrored.begin(), mirrored.end(), byXY);
        std::sort(sorted.begin(), sorted.end(), byXY);
        EXPECT_EQ(mirrored, sorted);
    }
    EXPECT_EQ(DirectionPicture(TMouseDirection::mdNone).ops.back().kind, Kind::FillRect);
}

} // namespace
} // namespace fg
