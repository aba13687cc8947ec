// Designed pixels at a display's DPI, and the movement analysis at 150 %: a gesture drawn with the
// same hand movement gives the same strokes as at 100 %.
#include "app/UnitFrmDebug.h"
#include "capture/UnitFrmMouseMovements.h"
#include "fakes/FakePlatform.h"
#include "platform/Dpi.h"
#include "unit/SettingDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace fg {
namespace {

TEST(ScaleByDpi, RoundsToTheNearestPixelLikeMulDiv) {
    struct Row {
        int px96, dpi, expected;
    };
    const Row rows[] = {
        {30, 96, 30},    {30, 144, 45}, {25, 144, 38}, // 37.5: halves round away from zero
        {-25, 144, -38}, {25, 120, 31}, {1, 168, 2},
        {542, 144, 813}, {7, 0, 7},     {7, -1, 7}, // no DPI known: designed pixels
    };
    for (const Row& r : rows)
        EXPECT_EQ(ScaleByDpi(r.px96, r.dpi), r.expected) << r.px96 << " at " << r.dpi;
    // The product is taken in 64 bits: no overflow on the way.
    EXPECT_EQ(ScaleByDpi(1000000000, 192), 2000000000);
}

TEST(FakeDesktop, MonitorDpiIsThatOfTheNearestMonitorAnd96ByDefault) {
    fake::FakePlatform os;
    EXPECT_EQ(os.desktop.MonitorDpi({500, 500}), 96);
    os.desktop.monitors = {{0, 0, 1920, 1080}, {1920, 0, 4800, 1620}};
    os.desktop.monitorDpi = {120, 144};
    EXPECT_EQ(os.desktop.MonitorDpi({500, 500}), 120);
    EXPECT_EQ(os.desktop.MonitorDpi({2000, 100}), 144);
    EXPECT_EQ(os.desktop.MonitorDpi({9000, 100}), 144); // beyond every monitor: the nearest
    os.desktop.monitorDpi = {120};
    EXPECT_EQ(os.desktop.MonitorDpi({2000, 100}), 96);
}

TEST(BesideCursor, ScalesTheOffsetByTheMonitorUnderTheCursor) {
    fake::FakePlatform os;
    os.desktop.monitors = {{0, 0, 1920, 1080}, {1920, 0, 4800, 1620}};
    os.desktop.monitorDpi = {96, 144};
    EXPECT_EQ(BesideCursor({100, 100}, {11, 0}), (TPoint{111, 100}));
    EXPECT_EQ(BesideCursor({2000, 100}, {11, 0}), (TPoint{2017, 100}));
    EXPECT_EQ(BesideCursor({2000, 100}, {-90, 5}), (TPoint{1865, 108}));
}

// A polyline in 96-DPI pixels, sampled every 8 pixels along each segment (as a hand moving at a
// steady pace is sampled every 20 ms), then placed at origin and stretched by scale.
std::vector<TPoint> Samples(const std::vector<TPoint>& line, TPoint origin, double scale) {
    std::vector<TPoint> out;
    auto place = [&](double x, double y) {
        out.push_back({origin.x + static_cast<int>(x * scale + 0.5),
                       origin.y + static_cast<int>(y * scale + 0.5)});
    };
    place(line.front().x, line.front().y);
    for (std::size_t i = 1; i < line.size(); ++i) {
        const TPoint a = line[i - 1], b = line[i];
        const int steps = std::max(1, (std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 7) / 8);
        for (int k = 1; k <= steps; ++k)
            place(a.x + (b.x - a.x) * static_cast<double>(k) / steps,
                  a.y + (b.y - a.y) * static_cast<double>(k) / steps);
    }
    return out;
}

std::wstring Strokes(const std::vector<TPoint>& samples, bool diagonals) {
    TMovementSettings settings = test::DefaultMovementSettings();
    settings.EnableDiagonals = diagonals;
    TfrmMouseMovements mm(settings);
    std::vector<TMouseDirection> answers;
    for (const TPoint p : samples)
        answers.push_back(test::Sample(mm, p, true));
    test::Sample(mm, samples.back(), false);
    return TMouseMovement::ToGestureString(answers);
}

struct GestureRow {
    const char* name;
    std::vector<TPoint> line; // 96-DPI pixels, relative to the start
    bool diagonals;
    std::wstring strokes;
};

// The short rows lie between the thresholds at 96 DPI and the same thresholds counted in physical
// pixels at 144: unscaled thresholds would find a stroke in them there.
const std::vector<GestureRow> kGestures = {
    {"UpThenRight", {{0, 0}, {0, -96}, {160, -96}}, false, L"03"},
    {"LeftThenDown", {{0, 0}, {-96, 0}, {-96, 160}}, false, L"21"},
    {"DownRightUp", {{0, 0}, {4, 120}, {200, 126}, {206, -80}}, false, L"130"},
    {"ShortFlickRight", {{0, 0}, {24, 0}}, false, L""},
    {"ShortFlickUp", {{0, 0}, {0, -22}}, false, L""},
    {"DiagonalUpRight", {{0, 0}, {80, -80}}, true, L"4"},
    {"ShortDiagonal", {{0, 0}, {14, -14}}, true, L""},
};

void PrintTo(const GestureRow& row, std::ostream* os) {
    *os << row.name;
}

class GestureAtDpi : public testing::TestWithParam<GestureRow> {};

TEST_P(GestureAtDpi, SameStrokesAt96AndAt144WithTheSameHandMovement) {
    const GestureRow& row = GetParam();
    fake::FakePlatform os;
    // A 96-DPI monitor and, to its right, one of the same size in inches at 150 %.
    os.desktop.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1920 + 2880, 1620}};
    os.desktop.monitorDpi = {96, 144};
    EXPECT_EQ(Strokes(Samples(row.line, {500, 500}, 1.0), row.diagonals), row.strokes);
    EXPECT_EQ(Strokes(Samples(row.line, {1920 + 750, 750}, 1.5), row.diagonals), row.strokes);
}

INSTANTIATE_TEST_SUITE_P(Dpi, GestureAtDpi, testing::ValuesIn(kGestures),
                         [](const testing::TestParamInfo<GestureRow>& row) {
                             return std::string(row.param.name);
                         });

// The thresholds follow the monitor where the gesture starts, and the log says so; at 96 DPI the
// log is what it always was.
TEST(GestureAtDpi, ThresholdsComeFromTheMonitorWhereTheGestureStarts) {
    fake::FakePlatform os;
    os.desktop.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1920 + 2880, 1620}};
    os.desktop.monitorDpi = {96, 144};
    TfrmMouseMovements mm(test::DefaultMovementSettings());
    test::Sample(mm, {2500, 500}, true);
    ASSERT_GE(DebugHistory().size(), 2u); // newest first: after the thresholds, the first down
    EXPECT_TRUE(DebugHistory()[1].ends_with(L"[FMMovements] DPI 144: pixel thresholds 45,38"));
    EXPECT_EQ(test::Sample(mm, {2500 + 45, 500}, true), TMouseDirection::mdNone);
    EXPECT_EQ(test::Sample(mm, {2500 + 46, 500}, true), TMouseDirection::mdRight);
    EXPECT_TRUE(mm.IsMoving());
    test::Sample(mm, {2546, 500}, false);

    // The next gesture starts on the 96-DPI monitor: its own thresholds, whatever came before.
    test::Sample(mm, {500, 500}, true);
    EXPECT_EQ(test::Sample(mm, {531, 500}, true), TMouseDirection::mdRight);
}

} // namespace
} // namespace fg
