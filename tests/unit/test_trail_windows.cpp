#include "LogLines.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace fg {
namespace {

using Kind = TPictureOp::Kind;

constexpr std::uint32_t kOwnPid = 7, kNotepadPid = 9, kOwnThread = 1, kNotepadThread = 20;

class TrailWindows : public ::testing::Test {
  protected:
    TrailWindows() {
        platform.system.processes = {{kOwnPid, L"Farrowglimmer.exe"},
                                     {kNotepadPid, L"notepad.exe"}};
        notepad = platform.desktop.AddWindow(kNotepadThread, kNotepadPid);
        platform.desktop.foreground = notepad;
    }
    // The operations drawn since `from`.
    static std::vector<TPictureOp> Since(const TPicture& picture, std::size_t from) {
        return {picture.ops.begin() + static_cast<std::ptrdiff_t>(from), picture.ops.end()};
    }
    static TPictureOp At(Kind kind, TPoint p, TColor color = 0) {
        return {kind, color, 0, 0, {p.x, p.y, p.x, p.y}, {}};
    }
    static TPictureOp Pen(TColor color, int width) { return {Kind::Pen, color, width, 0, {}, {}}; }
    // What was drawn since `from`, without the pen changes.
    static std::vector<TPictureOp> DrawnSince(const TPicture& picture, std::size_t from) {
        std::vector<TPictureOp> drawn;
        for (const TPictureOp& op : Since(picture, from))
            if (op.kind != Kind::Pen) drawn.push_back(op);
        return drawn;
    }

    fake::FakePlatform platform;
    HWindow notepad = 0;
};

// --- the capture overlay -----------------------------------------------------------------------

TEST_F(TrailWindows, OverlayCoversTheMonitorUnderTheCursorAndNamesTheForegroundProgram) {
    const TRect second{1920, 0, 3200, 1024};
    platform.desktop.monitors = {{0, 0, 1920, 1080}, second};
    platform.input.cursor = {2500, 600};
    TRatTrapPictureView view;
    TFrmRatTrap trap(platform.desktop, platform.input, &view);

    trap.Show();
    EXPECT_TRUE(trap.Visible());
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.covered, second);
    EXPECT_EQ(trap.ExeName(), L"notepad.exe");
    EXPECT_EQ(view.hint, L"      To disable all gestures for [notepad.exe]      \r\n"
                         L"      Double press Left Mouse Button.");

    // The trail is drawn in the overlay's own coordinates.
    const std::size_t mark = view.picture.ops.size();
    trap.ReportMouse({2500, 600}, true);
    EXPECT_EQ(Since(view.picture, mark),
              (std::vector{At(Kind::MoveTo, {580, 600}), At(Kind::Pixel, {580, 600})}));
}

TEST_F(TrailWindows, EveryShowingStartsTransparentAndTheFrameTakesTheCurrentPen) {
    TRatTrapPictureView view;
    TFrmRatTrap trap(platform.desktop, platform.input, &view);
    const TRect whole{0, 0, 1920, 1080};
    const std::vector<TPictureOp> fill = {
        {Kind::Brush, TRatTrapPictureView::kButtonFace, 0, 0, {}, {}},
        {Kind::Rectangle, 0, 0, 0, whole, {}},
        Pen(clBlack, 2),
    };
    // The first showing frames with the canvas's own 1-pixel pen (no pen is set before it).
    trap.Show();
    EXPECT_EQ(view.picture.ops, fill);

    trap.ReportMouse({10, 10}, true);
    trap.ReportMouse({50, 10}, false);
    trap.Hide();
    EXPECT_FALSE(view.shown);
    trap.Show();
    // Later showings start from an empty surface; the pen is the trail's 2-pixel one by now.
    EXPECT_EQ(view.picture.ops, fill);
    EXPECT_EQ(view.canvas.PenPos(), (TPoint{50, 10}));
}

TEST_F(TrailWindows, TheTrailPenScalesWithTheDpiOfTheCoveredMonitor) {
    platform.desktop.monitors = {{0, 0, 1920, 1080}, {1920, 0, 4800, 1620}};
    platform.desktop.monitorDpi = {96, 144};
    TRatTrapPictureView view;
    TFrmRatTrap trap(platform.desktop, platform.input, &view);
    for (const auto& [cursor, width] : {std::pair{TPoint{2500, 600}, 3}, {TPoint{500, 600}, 2}}) {
        platform.input.cursor = cursor;
        trap.Show();
        EXPECT_EQ(view.picture.ops.back(), Pen(clBlack, width));
        trap.Hide();
    }
}

TEST_F(TrailWindows, OverlayHidesItselfFiveSecondsAfterShowing) {
    TFrmRatTrap trap(platform.desktop, platform.input);
    trap.Show();
    platform.clock.Advance(4999);
    EXPECT_TRUE(trap.Visible());
    platform.clock.Advance(1);
    EXPECT_FALSE(trap.Visible());
    EXPECT_FALSE(trap.TimAutoHide.Enabled());

    // Hiding early stops the countdown; the next showing gets its full five seconds.
    trap.Show();
    platform.clock.Advance(3000);
    trap.Hide();
    EXPECT_FALSE(trap.TimAutoHide.Enabled());
    trap.Show();
    platform.clock.Advance(4999);
    EXPECT_TRUE(trap.Visible());
    platform.clock.Advance(1);
    EXPECT_FALSE(trap.Visible());
}

TEST_F(TrailWindows, ReportsDrawLinesOnlyWhereThePenMoves) {
    TRatTrapPictureView view;
    TFrmRatTrap trap(platform.desktop, platform.input, &view);
    trap.Show();
    const std::size_t mark = view.picture.ops.size();
    const TPoint p{300, 200}, q{340, 230};
    trap.ReportMouse(p, true);
    trap.ReportMouse(p, false); // the cursor did not move: one black pixel, no line
    trap.ReportMouse(q, false);
    trap.ReportMouse(q, true); // a new start at the pen's position draws no line either
    EXPECT_EQ(
        Since(view.picture, mark),
        (std::vector{At(Kind::MoveTo, p), At(Kind::Pixel, p, clBlack), At(Kind::Pixel, p, clBlack),
                     At(Kind::LineTo, q), At(Kind::Pixel, q, clBlack), At(Kind::MoveTo, q),
                     At(Kind::Pixel, q, clBlack)}));
}

// What each showing fills the surface with before anything is drawn on it.
TColor BlankFill(const TPicture& picture) {
    for (const TPictureOp& op : picture.ops)
        if (op.kind == Kind::Brush) return op.color;
    return clAqua; // no fill: a colour no scheme here uses
}

// The scheme's button face is the see-through colour, except where the overlay draws in it to be
// seen: the trail and its catching pixel in black, the hint's box in white.
TEST_F(TrailWindows, TheSeeThroughColourFollowsTheSchemeAndIsNeverTheTrails) {
    const struct {
        const char* what;
        TColor face;
        bool faceIsKey;
    } cases[] = {
        {"default", RGB_(240, 240, 240), true},
        {"classic", RGB_(212, 208, 200), true},
        {"high contrast black", clBlack, false},
        {"high contrast white", clWhite, false},
        {"black to a 16-bit display", RGB_(6, 3, 7), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform.desktop.sysColors[SystemColor::ButtonFace] = c.face;
        TRatTrapPictureView view;
        TFrmRatTrap trap(platform.desktop, platform.input, &view);
        trap.Show();
        trap.ReportMouse({300, 200}, true);
        trap.ReportMouse({340, 230}, false);
        EXPECT_EQ(BlankFill(view.picture), view.key);
        if (c.faceIsKey) {
            EXPECT_EQ(view.key, c.face);
        }
        EXPECT_NE(view.key, clBlack);
        EXPECT_NE(view.key, clWhite);
        for (const TPictureOp& op : view.picture.ops) {
            if (op.kind == Kind::Pen || op.kind == Kind::Pixel) {
                EXPECT_NE(op.color, view.key);
            }
        }
    }
}

TEST_F(TrailWindows, ANewSchemeTurnsTheSeeThroughColourAtOnceEvenWhileTheOverlayShows) {
    TRatTrapPictureView view;
    TFrmRatTrap trap(platform.desktop, platform.input, &view);
    trap.Show();
    trap.ReportMouse({300, 200}, true);

    // Windows announces the change to every top-level window; the trail on screen stays.
    platform.desktop.sysColors[SystemColor::ButtonFace] = clBlack;
    trap.SysColorChange();
    EXPECT_NE(view.key, clBlack);
    EXPECT_EQ(view.key, trap.KeyColor());
    EXPECT_TRUE(trap.Visible());

    const TColor classic = RGB_(212, 208, 200);
    platform.desktop.sysColors[SystemColor::ButtonFace] = classic;
    trap.SysColorChange();
    EXPECT_EQ(view.key, classic);
    trap.Hide();
    trap.Show();
    EXPECT_EQ(BlankFill(view.picture), classic);
}

// --- the scratchpad ----------------------------------------------------------------------------

struct PadGeometry {
    TRect primary;
    TRect strip;
    TRect full;
    int dpi = 96; // of the primary monitor
};

TEST_F(TrailWindows, PadSitsHalfwayDownTheRightEdgeOfThePrimaryMonitor) {
    const std::vector<PadGeometry> cases = {
        // 1080 high: 540 - 156 = 384 below the monitor's top.
        {{0, 0, 1920, 1080}, {1915, 384, 1920, 696}, {1660, 384, 1917, 696}},
        {{0, 0, 1920, 1081}, {1915, 384, 1920, 696}, {1660, 384, 1917, 696}},
        {{-1280, 200, 0, 1224}, {-5, 556, 0, 868}, {-260, 556, -3, 868}},
        // At 150 %: strip 8 (7.5), pad 386 x 468, gap 5 (4.5); 810 - 234 = 576.
        {{0, 0, 2880, 1620}, {2872, 576, 2880, 1044}, {2489, 576, 2875, 1044}, 144},
    };
    for (const PadGeometry& c : cases) {
        SCOPED_TRACE(c.primary.top);
        platform.desktop.monitors = {c.primary, {5000, 0, 6920, 1080}};
        platform.desktop.monitorDpi = {c.dpi, 120}; // the other monitor's DPI must not count
        TFrmScratchPad pad(platform.desktop, platform.input);
        EXPECT_FALSE(pad.Visible());
        EXPECT_FALSE(pad.ContainsClientPoint({c.strip.left, c.strip.top}));

        pad.prEnable(true);
        EXPECT_TRUE(pad.Visible());
        EXPECT_EQ(pad.BoundsRect(), c.strip);
        EXPECT_TRUE(pad.Topmost());
        EXPECT_FALSE(pad.ShowingFull());
        EXPECT_TRUE(pad.ContainsClientPoint({c.strip.left, c.strip.bottom - 1}));
        EXPECT_FALSE(pad.ContainsClientPoint({c.strip.left - 1, c.strip.top}));

        pad.FormMouseEnter();
        EXPECT_EQ(pad.BoundsRect(), c.full);
        EXPECT_FALSE(pad.Topmost());
        EXPECT_TRUE(pad.ShowingFull());
        EXPECT_TRUE(pad.ContainsClientPoint({c.full.left, c.full.top}));

        pad.prEnable(false);
        EXPECT_FALSE(pad.Visible());
        EXPECT_FALSE(pad.ContainsClientPoint({c.full.right - 1, c.full.top}));
    }
}

TEST_F(TrailWindows, PadShrinksTheFadeTimeAfterTheMouseLeaves) {
    for (int fade : {800, 150}) {
        SCOPED_TRACE(fade);
        TFrmScratchPad pad(platform.desktop, platform.input);
        pad.prEnable(true);
        pad.prFadeTime(fade);
        pad.FormMouseEnter();
        pad.FormMouseLeave();
        platform.clock.Advance(fade - 1);
        EXPECT_TRUE(pad.ShowingFull());
        platform.clock.Advance(1);
        EXPECT_FALSE(pad.ShowingFull());
        EXPECT_EQ(pad.BoundsRect().Width(), TFrmScratchPad::kStripWidth);
        EXPECT_FALSE(pad.TimCloser.Enabled());

        // Leaving the strip starts nothing.
        pad.FormMouseLeave();
        EXPECT_FALSE(pad.TimCloser.Enabled());
    }
}

TEST_F(TrailWindows, ComingBackKeepsThePadOpenUntilAStrokeHasBeenDrawn) {
    TFrmScratchPad pad(platform.desktop, platform.input);
    pad.prFadeTime(800);
    pad.prEnable(true);
    pad.FormMouseEnter();
    pad.FormMouseLeave();
    platform.clock.Advance(500);
    pad.FormMouseEnter();
    platform.clock.Advance(2000);
    EXPECT_TRUE(pad.ShowingFull());

    // A stroke: coming back no longer stops a shrink that is under way.
    pad.ReportMouseButton(true);
    pad.ReportMouseButton(false);
    pad.FormMouseLeave();
    platform.clock.Advance(500);
    pad.FormMouseEnter();
    EXPECT_TRUE(pad.ShowingFull());
    platform.clock.Advance(300);
    EXPECT_FALSE(pad.ShowingFull());

    // The shrink settles it: the next visit behaves as the first one did.
    EXPECT_FALSE(pad.ForceHide);
    pad.FormMouseEnter();
    pad.FormMouseLeave();
    platform.clock.Advance(500);
    pad.FormMouseEnter();
    platform.clock.Advance(2000);
    EXPECT_TRUE(pad.ShowingFull());
}

TEST_F(TrailWindows, ButtonReportsStartOneDrawingPerStroke) {
    TScratchPadPictureView view;
    TFrmScratchPad pad(platform.desktop, platform.input, &view);
    pad.prEnable(true);
    const TRect area{0, 0, TFrmScratchPad::kDesignedWidth, TFrmScratchPad::kHeight};

    // On the strip nothing is drawn.
    std::size_t mark = view.picture.ops.size();
    pad.ReportMouseButton(true);
    EXPECT_TRUE(pad.FirstDown);
    EXPECT_EQ(view.picture.ops.size(), mark);

    pad.FormMouseEnter(); // the pad is now at 1660,384
    platform.input.cursor = {1700, 500};
    mark = view.picture.ops.size();
    pad.ReportMouseButton(true);
    pad.ReportMouseButton(true); // later reports of the same stroke change nothing
    EXPECT_FALSE(pad.FirstDown);
    pad.ReportPoint({1720, 520});
    const std::vector<TPictureOp> stroke = {
        {Kind::Brush, clWhite, 0, 0, {}, {}},
        {Kind::FillRect, 0, 0, 0, area, {}},
        At(Kind::MoveTo, {40, 116}),
        At(Kind::LineTo, {60, 136}),
    };
    EXPECT_EQ(DrawnSince(view.picture, mark), stroke);
    EXPECT_EQ(view.canvas.PenColor(), clBlack);

    pad.ReportMouseButton(false);
    EXPECT_TRUE(pad.FirstDown);
    EXPECT_TRUE(pad.ForceHide);
    // The next stroke starts on a cleared area.
    mark = view.picture.ops.size();
    pad.ReportMouseButton(true);
    EXPECT_EQ(DrawnSince(view.picture, mark).at(1), stroke[1]);
}

TEST_F(TrailWindows, ThePadsTrailPenScalesWithThePrimaryMonitorsDpi) {
    platform.desktop.monitors = {{0, 0, 2880, 1620}};
    platform.desktop.monitorDpi = {144};
    TScratchPadPictureView view;
    TFrmScratchPad pad(platform.desktop, platform.input, &view);
    pad.prEnable(true);
    pad.FormMouseEnter();
    platform.input.cursor = {2600, 700}; // inside the widened pad at 2489,576
    pad.ReportMouseButton(true);
    pad.ReportPoint({2620, 720});
    EXPECT_EQ(view.picture.ops.back().kind, Kind::LineTo);
    const auto pen = std::find_if(view.picture.ops.rbegin(), view.picture.ops.rend(),
                                  [](const TPictureOp& op) { return op.kind == Kind::Pen; });
    ASSERT_NE(pen, view.picture.ops.rend());
    EXPECT_EQ(*pen, Pen(clBlack, 2)); // 1.5 pixels, rounded up
}

TEST_F(TrailWindows, ReleaseWithoutAStrokeDoesNotMarkThePadDone) {
    TFrmScratchPad pad(platform.desktop, platform.input);
    pad.prEnable(true);
    pad.FormMouseEnter();
    pad.ReportMouseButton(false);
    EXPECT_FALSE(pad.ForceHide);
    EXPECT_TRUE(pad.FirstDown);
}

TEST_F(TrailWindows, RemoveSelfFromFocusStepsOverAtMostFiveOfTheProgramsWindows) {
    struct Case {
        std::uint32_t fifthBelowPid;
        bool noFocus;
    };
    for (const Case c : {Case{kNotepadPid, false}, Case{kOwnPid, false}, Case{kNotepadPid, true}}) {
        SCOPED_TRACE(c.fifthBelowPid * 10 + c.noFocus);
        fake::FakeDesktop& desktop = platform.desktop;
        desktop.zorder.clear();
        desktop.AddWindow(kNotepadThread, kNotepadPid);
        const HWindow fifth = desktop.AddWindow(kNotepadThread, c.fifthBelowPid);
        // A hidden window of someone else is not a step.
        desktop.AddWindow(kNotepadThread, kNotepadPid, /*visible=*/false);
        HWindow own = 0;
        for (int i = 0; i < 5; ++i)
            own = desktop.AddWindow(kOwnThread, kOwnPid);
        desktop.foreground = own;

        TFrmScratchPad pad(platform.desktop, platform.input);
        EXPECT_EQ(pad.RemoveSelfFromFocus(c.noFocus), fifth);
        EXPECT_EQ(desktop.foreground, c.noFocus ? own : fifth);
        EXPECT_TRUE(desktop.attached.empty());
    }
}

TEST_F(TrailWindows, RemoveSelfFromFocusKeepsSomeoneElsesForegroundWindow) {
    platform.desktop.AddWindow(kOwnThread, kOwnPid, true);
    platform.desktop.foreground = notepad;
    TFrmScratchPad pad(platform.desktop, platform.input);
    EXPECT_EQ(pad.RemoveSelfFromFocus(false), notepad);
    EXPECT_EQ(platform.desktop.foreground, notepad);
}

TEST_F(TrailWindows, PadButtonsShrinkThePadAndOpenTheirWindows) {
    TFrmScratchPad pad(platform.desktop, platform.input);
    pad.prEnable(true);

    test::LogMark log;
    pad.FormMouseEnter();
    pad.FormMouseLeave();
    pad.btnGesturesClick();
    pad.FormMouseEnter();
    pad.btnHelpClick();
    EXPECT_FALSE(pad.ShowingFull());
    EXPECT_FALSE(pad.TimCloser.Enabled());
    EXPECT_EQ(log.Messages().size(), 2u); // neither window exists yet

    std::vector<std::wstring> opened;
    pad.ShowEditGestures = [&] {
        // Opened while joined to the foreground program's input.
        opened.push_back(L"gestures attached=" + std::to_wstring(platform.desktop.attached.size()));
    };
    pad.ShowConfigPage = [&](int page) { opened.push_back(L"config " + std::to_wstring(page)); };
    pad.FormMouseEnter();
    pad.btnGesturesClick();
    EXPECT_FALSE(pad.ShowingFull());
    pad.FormMouseEnter();
    pad.btnHelpClick();
    EXPECT_FALSE(pad.ShowingFull());
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"gestures attached=1", L"config 2"}));
    EXPECT_TRUE(platform.desktop.attached.empty());
}

} // namespace
} // namespace fg
