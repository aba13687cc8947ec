// The tooltip's geometry, its one-show-at-a-time rule, its font and its owner, on a recording view
// with a measuring hook in place of the system's text layout.
#include "ui/UnitFrmDummyUnicodeTooltip.h"

#include "LogLines.h"
#include "fakes/FakePlatform.h"
#include "ui/UnitTooltipRecord.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fg {
namespace {

class TooltipTest : public ::testing::Test {
  protected:
    fake::FakePlatform os;
    TTooltipRecord record;
    TTooltipWindow tt{RecordingTooltipViews(record)};

    // A rectangle as the tooltip's text gives it, moved to its place beside Pos.
    struct AdjustCase {
        const char* what;
        TRect r;
        TPoint pos;
        TRect expected;
    };
    template <std::size_t N> void Adjusts(const AdjustCase (&cases)[N]) {
        for (const AdjustCase& c : cases) {
            SCOPED_TRACE(c.what);
            TRect r = c.r;
            tt.AdjustTooltipRect(r, c.pos);
            EXPECT_EQ(r, c.expected);
        }
    }

    // The next text measures w x h whatever it says.
    void MeasureAs(int w, int h) {
        record.measure = [w, h](const std::wstring&, int) { return TPoint{w, h}; };
    }
};

TEST_F(TooltipTest, AdjustTooltipRectLimitsAndKeepsOnTheMonitor) {
    const AdjustCase cases[] = {
        {"normal: placed at Pos, unmoved", {0, 0, 100, 20}, {500, 400}, {500, 400, 600, 420}},
        {"clamped to 200 x 80", {0, 0, 300, 120}, {500, 400}, {500, 400, 700, 480}},
        {"past the right edge", {0, 0, 150, 20}, {1850, 400}, {1770, 400, 1920, 420}},
        {"past the bottom, covering Pos", {0, 0, 100, 30}, {500, 1070}, {500, 1030, 600, 1060}},
        {"past the bottom, beside Pos", {10, 10, 60, 30}, {500, 1060}, {510, 1060, 560, 1080}},
        {"covering Pos below its top", {-5, -5, 50, 20}, {500, 400}, {495, 410, 550, 435}},
        {"clamped, then past both ends", {0, 0, 400, 400}, {1900, 1050}, {1720, 960, 1920, 1040}},
    };
    Adjusts(cases);
}

TEST_F(TooltipTest, AdjustTooltipRectKeepsWithinTheWorkAreaOfTheMonitorUnderPos) {
    // A monitor left of the primary and one above it (negative coordinates), a monitor right of
    // it, and the taskbar along the primary's bottom edge.
    os.desktop.monitors = {
        {0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {0, -1080, 1920, 0}, {1920, 0, 3840, 1080}};
    os.desktop.workAreas = {{0, 0, 1920, 1040}};
    const AdjustCase cases[] = {
        {"primary, right edge", {0, 0, 150, 20}, {1850, 400}, {1770, 400, 1920, 420}},
        {"primary, above the taskbar", {0, 0, 100, 30}, {500, 1030}, {500, 990, 600, 1020}},
        {"left monitor, its right edge", {0, 0, 150, 20}, {-60, 300}, {-150, 300, 0, 320}},
        {"left monitor, its bottom", {0, 0, 100, 30}, {-700, 815}, {-700, 775, -600, 805}},
        {"upper monitor, its bottom", {0, 0, 100, 30}, {500, -15}, {500, -55, 600, -25}},
        {"upper monitor, room enough", {0, 0, 100, 30}, {500, -500}, {500, -500, 600, -470}},
        {"right monitor, its right edge", {0, 0, 150, 20}, {3800, 400}, {3690, 400, 3840, 420}},
    };
    Adjusts(cases);
}

TEST_F(TooltipTest, TextWindowIsTheMeasuredTextPlusMarginsWithinTheLimits) {
    struct Case {
        TPoint measured;
        TRect window;
        int dpi = 96; // of the monitor under the position
        TPoint textMargins{5, 14};
    };
    const Case cases[] = {
        {{150, 13}, {300, 200, 457, 220}},    // 157 wide, 13 + 4 + 3 high
        {{400, 13}, {300, 200, 500, 220}},    // cut at 200
        {{60, 6 * 16}, {300, 200, 367, 283}}, // six tall lines: 80 + 3
        // At 150 % the margins (7, 4, 3; 5, 14) and the limits (200 x 80) grow by half.
        {{150, 20}, {300, 200, 461, 231}, 144, {8, 21}},
        {{400, 20}, {300, 200, 600, 231}, 144, {8, 21}},
        {{60, 6 * 24}, {300, 200, 371, 325}, 144, {8, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.measured.x << " x " << c.measured.y << " at " << c.dpi);
        os.desktop.monitorDpi = {c.dpi};
        MeasureAs(c.measured.x, c.measured.y);
        tt.ShowTooltip(L"text", {300, 200}, false, L"");
        EXPECT_EQ(record.windowRect, c.window);
        // The text is drawn at its full measured size; the window cuts it off.
        EXPECT_EQ(record.textRect,
                  (TRect{1, 0, c.measured.x + c.textMargins.x, c.measured.y + c.textMargins.y}));
        EXPECT_EQ(tt.Position(), (TPoint{300, 200}));
        tt.CloseTooltip(false);
    }
}

TEST_F(TooltipTest, ShowsOneTextAtATimeAndLogsOnlyTheShowThatHappens) {
    test::LogMark mark;
    tt.ShowTooltip(L"Gestures ENABLED for program.", {10, 10}, false, L"");
    tt.ShowTooltip(L"    Disabled    ", {50, 50}, false, L"");
    tt.ShowTooltip(TPicture(42, 39), {50, 50}, L"");
    EXPECT_EQ(mark.Messages(), std::vector<std::wstring>{L"ShowTooltip(wc,pos)"});
    EXPECT_EQ(record.text, L"Gestures ENABLED for program.");
    EXPECT_EQ(record.created, 1);
    EXPECT_EQ(tt.FontPoints(), 0); // the refused picture changed nothing
    EXPECT_TRUE(tt.IsShowing());

    tt.CloseTooltip(true);
    EXPECT_FALSE(tt.IsShowing());
    EXPECT_EQ(record.destroyed, 1);
    tt.ShowTooltip(L"next", {50, 50}, false, L"");
    EXPECT_EQ(record.text, L"next");
    EXPECT_EQ(record.created, 2);
}

TEST_F(TooltipTest, TextStopsAtItsFirstNul) {
    std::vector<std::wstring> measured;
    record.measure = [&](const std::wstring& t, int) {
        measured.push_back(t);
        return TPoint{10, 10};
    };
    TWideChar wc;
    wc.AppendUnicode(std::wstring(L"shown\0hidden", 12));
    tt.ShowTooltip(wc, {0, 0}, false, L"");
    EXPECT_EQ(measured, std::vector<std::wstring>{L"shown"});
    EXPECT_EQ(record.text, L"shown");
}

TEST_F(TooltipTest, PictureWindowFramesTheScaledPicture) {
    struct Case {
        int w, h;
        TRect window;  // at Pos (100, 100)
        TRect picture; // client coordinates
    };
    const Case cases[] = {
        {42, 39, {100, 100, 146, 139}, {1, 1, 43, 36}},     // unscaled; drawn 42 x 35
        {600, 300, {100, 100, 404, 250}, {1, 1, 301, 147}}, // halved
        {300, 900, {100, 100, 204, 400}, {1, 1, 101, 297}}, // a third
        {10, 5, {100, 100, 124, 120}, {1, 1, 11, 17}},      // never enlarged; at least 20 x 20
    };
    for (const Case& c : cases) {
        tt.ShowTooltip(TPicture(c.w, c.h), {100, 100}, L"");
        EXPECT_EQ(record.windowRect, c.window) << c.w << " x " << c.h;
        EXPECT_EQ(record.pictureRect, c.picture) << c.w << " x " << c.h;
        EXPECT_EQ(record.picture.Width, c.w);
        tt.CloseTooltip(false);
    }
}

TEST_F(TooltipTest, PicturePlacementUsesOnlyTheAdjustedCorner) {
    // Near the bottom-right corner: pushed back by the clamped 200 x 80 rectangle's overhang, so
    // a picture taller than 80 still ends past the screen's bottom.
    tt.ShowTooltip(TPicture(250, 120), {1900, 1050}, L"");
    EXPECT_EQ(record.windowRect, (TRect{1720, 960, 1974, 1080}));
    EXPECT_EQ(tt.Position(), (TPoint{1720, 960}));
}

TEST_F(TooltipTest, HeaderAddsALineAboveThePicture) {
    record.measure = [](const std::wstring& t, int) {
        return TPoint{static_cast<int>(t.size()) * 10, 14};
    };
    tt.ShowTooltip(TPicture(42, 39), {100, 100}, L"A wide header");
    EXPECT_EQ(record.windowRect, (TRect{100, 100, 100 + 130 + 4, 100 + 39 + 14}));
    EXPECT_EQ(record.pictureRect, (TRect{1, 15, 43, 50}));
    EXPECT_EQ(record.header, L"A wide header");
}

TEST_F(TooltipTest, AfterAPictureTextsAreEightPoint) {
    tt.ShowTooltip(L"before", {0, 0}, false, L"");
    EXPECT_EQ(record.fontPoints, 0);
    tt.CloseTooltip(false);
    tt.ShowTooltip(TPicture(42, 39), {0, 0}, L"");
    tt.CloseTooltip(false);
    tt.ShowTooltip(L"after", {0, 0}, false, L"");
    EXPECT_EQ(record.fontPoints, 8);
    EXPECT_EQ(tt.FontPoints(), 8);
}

TEST_F(TooltipTest, PictureWithoutAreaShowsNothingAndBlocksUntilClosed) {
    test::LogMark mark;
    tt.ShowTooltip(TPicture(0, 39), {0, 0}, L"");
    EXPECT_EQ(record.created, 0);
    EXPECT_TRUE(tt.IsShowing());
    EXPECT_FALSE(tt.IsHit({0, 0}));
    tt.ShowTooltip(L"refused", {0, 0}, false, L"");
    EXPECT_EQ(record.created, 0);
    EXPECT_TRUE(mark.Messages().empty());
    EXPECT_EQ(tt.FontPoints(), 8);

    tt.CloseTooltip(false);
    tt.ShowTooltip(L"shown", {0, 0}, false, L"");
    EXPECT_EQ(record.created, 1);
}

TEST_F(TooltipTest, ClosingAHiddenTooltipChangesNothing) {
    tt.CloseTooltip(false);
    tt.CloseTooltip(true);
    EXPECT_FALSE(tt.IsShowing());
    EXPECT_EQ(record.created, 0);
    EXPECT_EQ(record.destroyed, 0);
}

TEST_F(TooltipTest, HitTestFollowsTheWindowRectangleLikePtInRect) {
    // On a monitor above and left of the primary, where both coordinates are negative.
    os.desktop.monitors.push_back({-1920, -1080, 0, 0});
    MeasureAs(93, 13); // window (-140, -35) to (-40, -15)
    EXPECT_FALSE(tt.IsHit({0, 0}));
    tt.ShowTooltip(L"x", {-140, -35}, false, L"");
    ASSERT_EQ(record.windowRect, (TRect{-140, -35, -40, -15}));
    const struct {
        TPoint p;
        bool hit;
    } points[] = {{{-140, -35}, true},  {{-41, -16}, true},   {{-40, -20}, false},
                  {{-100, -15}, false}, {{-141, -20}, false}, {{-100, -36}, false}};
    for (const auto& c : points) {
        EXPECT_EQ(tt.IsHit(c.p), c.hit) << c.p.x << "," << c.p.y;
        // The system packs the point as two signed 16-bit words.
        const auto packed = static_cast<std::intptr_t>((static_cast<std::uint16_t>(c.p.y) << 16) |
                                                       static_cast<std::uint16_t>(c.p.x));
        EXPECT_EQ(tt.HitTestClient(packed), c.hit) << c.p.x << "," << c.p.y;
    }
    tt.CloseTooltip(false);
    EXPECT_FALSE(tt.IsHit({0, 0}));
}

TEST(TooltipOwner, OwnsTheTooltipsMadeAfterItAndClosesThemWithIt) {
    fake::FakePlatform os;
    TTooltipRecord early, late;
    TTooltipWindow before{RecordingTooltipViews(early)};
    std::unique_ptr<TTooltipWindow> after;
    {
        test::LogMark mark;
        TFrmDummyUnicodeTooltip owner(0x4242);
        EXPECT_EQ(mark.Messages(), std::vector<std::wstring>{L"FrmDummyUnicodeTooltip - creating"});
        EXPECT_EQ(FrmDummyUnicodeTooltip, &owner);
        after = std::make_unique<TTooltipWindow>(RecordingTooltipViews(late));
        {
            TTooltipWindow shortLived;
            EXPECT_EQ(owner.OwnedCount(), 2u);
        }
        EXPECT_EQ(owner.OwnedCount(), 1u);

        before.ShowTooltip(L"a", {0, 0}, false, L"");
        after->ShowTooltip(L"b", {0, 0}, false, L"");
        EXPECT_EQ(early.owner, 0u);
        EXPECT_EQ(late.owner, 0x4242u);
    }
    EXPECT_EQ(FrmDummyUnicodeTooltip, nullptr);
    EXPECT_TRUE(before.IsShowing());
    EXPECT_FALSE(after->IsShowing());
    EXPECT_EQ(late.destroyed, 1);
    // Still usable, now without an owner.
    after->ShowTooltip(L"c", {0, 0}, false, L"");
    EXPECT_EQ(late.owner, 0u);
    EXPECT_EQ(late.created, 2);
}

TEST(TooltipViews, TheInstalledFactoryServesTooltipsMadeWithoutOne) {
    fake::FakePlatform os;
    TTooltipRecord record;
    SetTooltipViewFactory(RecordingTooltipViews(record));
    TTooltipWindow tt;
    tt.ShowTooltip(L"x", {5, 5}, false, L"");
    EXPECT_EQ(record.created, 1);
    SetTooltipViewFactory({});

    // Headless, a tooltip still goes through its states.
    TTooltipWindow headless;
    headless.ShowTooltip(TPicture(42, 39), {5, 5}, L"");
    EXPECT_TRUE(headless.IsShowing());
    EXPECT_TRUE(headless.IsHit({5, 5}));
    headless.CloseTooltip(false);
    EXPECT_FALSE(headless.IsShowing());
    EXPECT_EQ(record.created, 1);
}

} // namespace
} // namespace fg
