// The mouse monitor driven tick by tick on virtual time: a scripted mouse, the real movement
// analysis, and recording stand-ins for the windows it talks to.
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitTWideChar.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitKeyboardQuery.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "unit/SettingDefaults.h"
#include "vocabulary/IGestureReceiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fg {
namespace {

using enum TMouseDirection;

std::wstring At(TPoint p) {
    return std::to_wstring(p.x) + L"," + std::to_wstring(p.y);
}

// Every call the monitor makes into its neighbours, in order, as one list of short texts.
using Calls = std::vector<std::wstring>;

Calls Starting(const Calls& calls, const std::wstring& prefix) {
    Calls out;
    for (const std::wstring& c : calls)
        if (c.starts_with(prefix)) out.push_back(c);
    return out;
}

// Each direction's picture is marked with its ordinal, so the tooltip can tell which it got.
TPicture MarkedPicture(TMouseDirection md) {
    TPicture p(42, 39);
    p.ops.push_back({TPictureOp::Kind::Pixel, static_cast<TColor>(md)});
    return p;
}

// Behaves like the real tooltip in what the monitor relies on: a show while one is up is ignored.
class RecTooltip : public TTooltipWindow {
  public:
    explicit RecTooltip(Calls& c) : calls(c) {}
    void ShowTooltip(const std::wstring& s, TPoint pos, bool, const std::wstring&) override {
        if (Show(pos)) calls.push_back(L"tt.text " + s + L" @" + At(pos));
    }
    void ShowTooltip(const TWideChar&, TPoint, bool, const std::wstring&) override {}
    void ShowTooltip(const TPicture& pic, TPoint pos, const std::wstring&) override {
        const auto md = static_cast<TMouseDirection>(pic.ops.at(0).color);
        if (Show(pos))
            calls.push_back(L"tt.picture " + TMouseMovement::ToString(md) + L" @" + At(pos));
    }
    void CloseTooltip(bool) override {
        if (ShowingHint) calls.push_back(L"tt.close");
        ShowingHint = false;
    }

  private:
    bool Show(TPoint pos) {
        if (ShowingHint) return false;
        ShowingHint = true;
        position = pos;
        return true;
    }
    Calls& calls;
};

class RecRatTrap : public TFrmRatTrap {
  public:
    RecRatTrap(Calls& c, IDesktop& d, IInput& i) : TFrmRatTrap(d, i), calls(c) {}
    void Show() override {
        if (!visible) calls.push_back(L"trap.show");
        visible = true;
    }
    void Hide() override {
        if (visible) calls.push_back(L"trap.hide");
        visible = false;
    }
    void ReportMouse(TPoint pt, bool start) override {
        calls.push_back((start ? L"trap.start " : L"trap.to ") + At(pt));
    }
    Calls& calls;
};

class RecScratchPad : public TFrmScratchPad {
  public:
    RecScratchPad(Calls& c, IDesktop& d, IInput& i) : TFrmScratchPad(d, i), calls(c) {}
    void ReportMouseButton(bool down) override { calls.push_back(down ? L"pad.down" : L"pad.up"); }
    void ReportPoint(TPoint p) override { calls.push_back(L"pad.point " + At(p)); }
    HWindow RemoveSelfFromFocus(bool NoFocus) override {
        calls.push_back(NoFocus ? L"pad.find" : L"pad.unfocus");
        return 0;
    }
    void SetEnabled(bool on) override {
        enabled = on;
        calls.push_back(on ? L"pad.enable" : L"pad.disable");
    }
    bool ContainsClientPoint(TPoint p) const override {
        return p.x >= area.left && p.x < area.right && p.y >= area.top && p.y < area.bottom;
    }
    TRect area{1600, 0, 1900, 400};
    Calls& calls;
};

// The dispatcher as the monitor sees it; the disable flag lives per executable, as in the files.
class RecGestures : public IGestureReceiver {
  public:
    explicit RecGestures(Calls& c) : calls(c) {}
    bool ProgramIsDisabled() override { return disabledExes.count(ForegroundExe()) != 0; }
    bool ReportGestures(const std::wstring& g, bool noTooltip) override {
        calls.push_back(L"report " + g + (noTooltip ? L" quiet" : L""));
        if (onReport) onReport(g);
        return false;
    }
    bool ReportGesturesDiagonal(const std::wstring& g) override {
        calls.push_back(L"report-diagonal " + g);
        if (onReport) onReport(g);
        return false;
    }
    void ReportDisableGestures() override {
        calls.push_back(L"disable");
        disabledExes.insert(ForegroundExe());
    }
    void ReportEnableGestures() override {
        calls.push_back(L"enable");
        disabledExes.erase(ForegroundExe());
    }
    void ReportFirstDirection(TMouseDirection md) override {
        calls.push_back(L"help " + TMouseMovement::ToString(md));
        if (onHelp) onHelp();
    }
    static std::wstring ForegroundExe() { return GetWindowEXEName(GetForegroundHandle()); }

    std::set<std::wstring> disabledExes;
    std::function<void(const std::wstring&)> onReport;
    std::function<void()> onHelp;
    Calls& calls;
};

// The monitor's log lines since it was made, oldest first, without time and tag. A marker line
// rather than a count, because the history drops its oldest lines once it is full.
class MonitorLog {
  public:
    MonitorLog() { AppendLog(kMarker); }
    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (const std::wstring& line : DebugHistory()) {
            if (line.ends_with(kMarker)) break;
            const std::size_t at = line.find(kTag);
            if (at != std::wstring::npos)
                lines.insert(lines.begin(), line.substr(at + kTag.size()));
        }
        return lines;
    }
    bool Has(const std::wstring& text) const {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }

  private:
    static constexpr const wchar_t* kMarker = L"--- mouse monitor test marker ---";
    inline static const std::wstring kTag = L"[FMMonitor] ";
};

// One poll's worth of the user: the buttons and where the cursor is.
struct Step {
    bool right;
    TPoint at;
    bool left = false;
};

struct Segment {
    int dx, dy, steps; // pixels per 20 ms, for so many polls
};

// Press at start, move along the segments, and release where the last one ended.
std::vector<Step> Gesture(TPoint start, std::vector<Segment> segments, bool release = true) {
    std::vector<Step> path{{true, start}};
    TPoint p = start;
    for (const Segment& s : segments)
        for (int i = 0; i < s.steps; ++i) {
            p = {p.x + s.dx, p.y + s.dy};
            path.push_back({true, p});
        }
    if (release) path.push_back({false, p});
    return path;
}

// Holding the right button still while the left one is clicked `clicks` times.
std::vector<Step> LeftClicks(TPoint at, int clicks) {
    std::vector<Step> path;
    for (int i = 0; i < clicks; ++i) {
        path.push_back({true, at, true});
        path.push_back({true, at, false});
    }
    return path;
}

class MouseMonitor : public ::testing::Test {
  protected:
    MouseMonitor() {
        Platform p = Os();
        p.input = &mouse;
        InstallPlatform(p);
        os.system.processes = {{70, L"notepad.exe"}, {80, L"Explorer.EXE"}, {90, L"game.exe"}};
        app = os.desktop.AddWindow(7, 70);
        os.desktop.foreground = app;
        monitor = MakeMonitor();
        test::UseDefaultSettings(*monitor);
        os.clock.Advance(70); // the first poll, with the button up
    }

    std::unique_ptr<TFrmMouseMonitor> MakeMonitor() {
        auto made = std::make_unique<TFrmMouseMonitor>(
            mouse, os.desktop, os.clock,
            TMouseMonitorParts{.target = target,
                               .gestures = gestures,
                               .gate = gate,
                               .ratTrap = trap,
                               .scratchpad = pad,
                               .tooltip = &tt,
                               .directionPicture = MarkedPicture});
        return made;
    }

    // One poll per step: the state is set, then time runs to the monitor's next poll. A step's
    // "right" is the secondary button and its "left" the primary one, whichever physical button
    // the user's setting makes them.
    void Play(const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            mouse.cursor = s.at;
            s.right ? mouse.Press(mouse.SecondaryKey()) : mouse.Release(mouse.SecondaryKey());
            s.left ? mouse.Press(mouse.PrimaryKey()) : mouse.Release(mouse.PrimaryKey());
            const TTimer& t = monitor->timMouse;
            os.clock.Advance(t.Enabled() ? t.Interval() : 60);
        }
    }
    Calls Reports() const { return Starting(calls, L"report"); }
    // The foreground window, given to another process and placed.
    void Foreground(std::uint32_t pid, TRect rect, bool maximized) {
        os.desktop.Find(app)->processId = pid;
        os.desktop.Find(app)->rect = rect;
        os.desktop.Find(app)->maximized = maximized;
    }

    fake::FakePlatform os;
    fake::FakeInput mouse{os.clock};
    HWindow app = 0;
    Calls calls;
    RecTooltip tt{calls};
    RecRatTrap trap{calls, os.desktop, mouse};
    RecScratchPad pad{calls, os.desktop, mouse};
    RecGestures gestures{calls};
    TTargetFocus target;
    TRightButtonGate gate{TRightButtonGate::OnPlatform(
        os.desktop, mouse, {}, [](bool) {}, [] {})};
    MonitorLog log;
    std::unique_ptr<TFrmMouseMonitor> monitor;
};

// Up 100 pixels, then right 160: clear of every sector border.
const std::vector<Segment> kUpThenRight = {{0, -10, 10}, {16, 0, 10}};

// --- what is sent ------------------------------------------------------------------------------

TEST_F(MouseMonitor, SendsTheStrokesAsAGestureString) {
    struct Case {
        const char* name;
        TPoint start;
        std::vector<Segment> segments;
        Calls reports;
    };
    const std::vector<Case> cases = {
        {"up then right", {500, 500}, kUpThenRight, {L"report 03"}},
        {"down from the top thirtieth", {500, 35}, {{0, 10, 10}}, {L"report A1"}},
        {"just below the top thirtieth", {500, 36}, {{0, 10, 10}}, {L"report 1"}},
        {"down from the top-left corner", {10, 10}, {{0, 10, 10}}, {L"report A1"}},
        {"up from the bottom-right corner", {1910, 1070}, {{0, -10, 10}}, {L"report B0"}},
        {"right from the left edge", {63, 500}, {{10, 0, 10}}, {L"report C3"}},
        {"left from the right edge", {1857, 500}, {{-10, 0, 10}}, {L"report D2"}},
        {"an edge press released unmoved", {500, 10}, {}, {}},
        {"a right click without movement", {500, 500}, {}, {}},
        {"a stroke too short to count", {500, 500}, {{0, -4, 5}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        Play(Gesture(c.start, c.segments));
        EXPECT_EQ(Reports(), c.reports);
        EXPECT_TRUE(monitor->DirectionList().empty());
    }
}

TEST_F(MouseMonitor, LogsTheGestureFromPressToRelease) {
    Play(Gesture({500, 500}, kUpThenRight));
    const std::wstring handle = L"  HANDLE=" + std::to_wstring(app);
    const std::vector<std::wstring> expected = {
        L"DISABLED=0" + handle,
        L"Init",
        L"First Down Event ... lastEXE=notepad.exe",
        L"First Direction Reported=Up",
        L"EXEName=notepad.exe disabled=0",
        L"Starting Point",
        L"First Release Event ... directionCout=2",
        L"Creating Possible Gesture-------",
        L"Direction UP",
        L"Direction RIGHT",
        L"Sending GESTURE=03",
        L"Deinit",
    };
    EXPECT_EQ(log.Lines(), expected);
}

TEST_F(MouseMonitor, LogsAMonitorPositionAndSendsNothingForItAlone) {
    Play(Gesture({10, 10}, {}));
    const auto lines = log.Lines();
    const std::vector<std::wstring> tail(lines.end() - 5, lines.end());
    EXPECT_EQ(tail, (std::vector<std::wstring>{L"Adding Monitor Position: [Top]",
                                               L"First Release Event ... directionCout=1",
                                               L"Creating Possible Gesture-------", L"Position TOP",
                                               L"Deinit"}));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(MouseMonitor, WithDiagonalsTheDiagonalReportGetsTheGesture) {
    monitor->prEnableDiagonals(true);
    EXPECT_TRUE(monitor->MovementSettings().EnableDiagonals);
    Play(Gesture({500, 500}, {{10, -10, 8}, {0, -12, 10}}));
    EXPECT_EQ(Reports(), Calls{L"report-diagonal 40"});
}

TEST_F(MouseMonitor, TheListNeverHoldsADirectionTwiceInARow) {
    // Down, back up, down again: three strokes, each once, however long each lasts. (A slight
    // drift to the right, as a hand has: the analysis sees a reversal only when both axes move.)
    Play(Gesture({500, 300}, {{1, 10, 12}, {1, -10, 8}, {1, 10, 8}}, false));
    EXPECT_EQ(monitor->DirectionList(), (std::vector<TMouseDirection>{mdDown, mdUp, mdDown}));
    Play({{false, {528, 420}}});
    EXPECT_EQ(Reports(), Calls{L"report 101"});
}

TEST_F(MouseMonitor, AnglesAreAskedByPositionOfTheGestureString) {
    std::vector<int> angles;
    gestures.onReport = [&](const std::wstring&) {
        for (int i = 0; i < 3; ++i)
            angles.push_back(monitor->GetDirectionAngle(i));
    };
    Play(Gesture({500, 20}, {{0, 10, 10}, {12, 0, 12}}));
    ASSERT_EQ(Reports(), Calls{L"report A13"});
    // The edge has no angle; the strokes follow it.
    ASSERT_EQ(angles.size(), 3u);
    EXPECT_EQ(angles[0], -1);
    EXPECT_TRUE(angles[1] >= 45 && angles[1] < 135) << angles[1];
    EXPECT_TRUE(angles[2] >= 315 || angles[2] < 45) << angles[2];

    angles.clear();
    Play(Gesture({500, 500}, kUpThenRight));
    ASSERT_EQ(angles.size(), 3u);
    EXPECT_TRUE(angles[0] >= 225 && angles[0] < 315) << angles[0];
    EXPECT_TRUE(angles[1] >= 315 || angles[1] < 45) << angles[1];
    EXPECT_EQ(angles[2], -1);
}

// Right drifting down, down, left: without a reversal of the averages the classic analysis reads
// the down stroke as more of the right one. With precise corners each stroke has its arrow and its
// angle, after an edge too.
TEST_F(MouseMonitor, WithPreciseCornersEveryStrokeHasItsArrowAndItsAngle) {
    const std::vector<Segment> drifting = {{12, 2, 10}, {1, 12, 8}, {-12, 2, 10}};
    std::vector<int> angles;
    gestures.onReport = [&](const std::wstring&) {
        for (int i = 0; i < 5; ++i)
            angles.push_back(monitor->GetDirectionAngle(i));
    };
    Play(Gesture({500, 20}, drifting));
    EXPECT_EQ(Reports(), Calls{L"report A32"});

    monitor->MovementSettings().PreciseCorners = true;
    calls.clear();
    angles.clear();
    Play(Gesture({500, 20}, drifting));
    EXPECT_EQ(Reports(), Calls{L"report A312"});
    Calls arrows;
    for (const std::wstring& c : Starting(calls, L"tt.picture"))
        arrows.push_back(c.substr(0, c.find(L" @")));
    EXPECT_EQ(arrows, (Calls{L"tt.picture Right", L"tt.picture Down", L"tt.picture Left"}));
    ASSERT_EQ(angles.size(), 5u);
    EXPECT_EQ(angles[0], -1); // the edge
    EXPECT_EQ(angles[1], 9);
    EXPECT_EQ(angles[2], 85);
    EXPECT_TRUE(angles[3] > 160 && angles[3] < 180) << angles[3];
    EXPECT_EQ(angles[4], -1);
}

// --- timers ------------------------------------------------------------------------------------

TEST_F(MouseMonitor, PollsEvery60msIdleAnd20msWhileTheButtonIsHeld) {
    {
        const std::unique_ptr<TFrmMouseMonitor> fresh = MakeMonitor();
        EXPECT_TRUE(fresh->timMouse.Enabled());
        EXPECT_EQ(fresh->timMouse.Interval(), 70u);
        EXPECT_FALSE(fresh->timPaused.Enabled());
    }

    EXPECT_EQ(monitor->timMouse.Interval(), 60u);
    Play(Gesture({500, 500}, {{0, -10, 3}}, false));
    EXPECT_EQ(monitor->timMouse.Interval(), 20u);
    EXPECT_TRUE(monitor->timMouse.Enabled());
    Play({{false, {500, 470}}});
    EXPECT_EQ(monitor->timMouse.Interval(), 60u);
    EXPECT_TRUE(monitor->timMouse.Enabled());
}

TEST_F(MouseMonitor, SwitchedOffItStopsPollingUntilSwitchedOnAgain) {
    monitor->SetMonitorEnabled(false);
    EXPECT_FALSE(monitor->timMouse.Enabled());
    EXPECT_TRUE(monitor->Disabled());
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(log.Lines().empty());

    monitor->SetMonitorEnabled(true);
    EXPECT_FALSE(monitor->Disabled());
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Reports(), Calls{L"report 03"});
}

// --- the help pause ----------------------------------------------------------------------------

TEST_F(MouseMonitor, HoldingTheFirstStrokeOpensTheHelpAfterThePause) {
    Play(Gesture({500, 500}, {{0, -10, 3}}, false));
    ASSERT_EQ(monitor->FirstDirection(), mdUp);
    ASSERT_TRUE(monitor->timPaused.Enabled());
    const std::uint32_t firstReport = os.clock.now;
    std::uint32_t helpAt = 0;
    gestures.onHelp = [&] { helpAt = os.clock.now; };

    // Keep still: every poll reports the same stroke.
    Play(std::vector<Step>(45, {true, {500, 470}}));
    EXPECT_EQ(Starting(calls, L"help"), Calls{L"help Up"});
    EXPECT_EQ(helpAt, firstReport + 800);
    EXPECT_FALSE(monitor->timPaused.Enabled());
    EXPECT_TRUE(monitor->timMouse.Enabled());
    EXPECT_TRUE(log.Has(L" Pause Trigger "));
    EXPECT_TRUE(log.Has(L"Restarting timMouse timer"));

    // Nothing listed: the gesture is sent on release as usual.
    Play({{false, {500, 470}}});
    EXPECT_EQ(Reports(), Calls{L"report 0"});
}

// From a hand-edited settings file: a pause of no time (or less) never fires, and the longest one
// is a timer like any other, beyond any hold.
TEST_F(MouseMonitor, AHelpPauseOfNoTimeOrOfTheLongestNeverOpensTheHelp) {
    for (const int pause : {INT_MIN, -1, 0, INT_MAX}) {
        monitor->prHelpPause(pause);
        EXPECT_EQ(monitor->timPaused.Interval(), static_cast<std::uint32_t>(std::max(pause, 0)));
        Play(Gesture({500, 500}, {{0, -10, 3}}, false));
        Play(std::vector<Step>(500, {true, {500, 470}})); // ten seconds still
        Play({{false, {500, 470}}});
        EXPECT_TRUE(Starting(calls, L"help").empty()) << pause;
        EXPECT_EQ(Reports(), Calls{L"report 0"}) << pause;
        calls.clear();
    }
}

TEST_F(MouseMonitor, ASecondStrokeCancelsTheHelpForTheRestOfTheGesture) {
    Play(Gesture({500, 500}, kUpThenRight, false));
    EXPECT_FALSE(monitor->timPaused.Enabled());
    Play(std::vector<Step>(60, {true, {660, 400}}));
    EXPECT_TRUE(Starting(calls, L"help").empty());

    monitor->prEnableHelpPause(false);
    Play({{false, {660, 400}}});
    Play(Gesture({500, 500}, {{0, -10, 3}}, false));
    EXPECT_FALSE(monitor->timPaused.Enabled());
}

TEST_F(MouseMonitor, AHelpThatListedGesturesDropsTheGestureAndTheNextStartsAfresh) {
    gestures.onHelp = [&] {
        // As the pop-up does: wait for the release (handling messages), then drop the gesture.
        mouse.rightUpAt = os.clock.now + 300;
        monitor->WaitUntilButtonRelease();
        monitor->AbortInterpret();
    };
    Play(Gesture({500, 500}, {{0, -10, 3}}, false));
    Play(std::vector<Step>(41, {true, {500, 470}}));
    ASSERT_EQ(Starting(calls, L"help"), Calls{L"help Up"});
    Play({{false, {500, 470}}});
    EXPECT_FALSE(monitor->Aborting());
    EXPECT_TRUE(log.Has(L"Finished with Abort Event"));
    EXPECT_TRUE(Reports().empty());

    // Somewhere else entirely: a stroke left, read from its own start.
    Play(Gesture({1200, 800}, {{-10, 0, 8}}));
    EXPECT_EQ(Reports(), Calls{L"report 2"});
}

TEST_F(MouseMonitor, NoPollRunsInsideTheDispatchEvenWhenTheTraySwitchesPollingOn) {
    // As the suggestions menu does: drop the gesture, stop polling, and run a menu loop, in
    // which the tray's periodic switch-on comes and the user right-clicks and drags.
    int reports = 0;
    gestures.onReport = [&](const std::wstring&) {
        if (reports++ > 0) return; // a report from inside the loop: the fault itself
        monitor->AbortInterpret();
        monitor->SetMonitorEnabled(false);
        monitor->SetMonitorEnabled(true);
        WaitProcessingMessages(200);
        mouse.Press(vk::RBUTTON);
        for (int i = 0; i < 8; ++i) {
            mouse.cursor.y -= 10;
            WaitProcessingMessages(20);
        }
        mouse.Release(vk::RBUTTON);
        WaitProcessingMessages(200);
        monitor->SetMonitorEnabled(true);
    };
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Reports(), Calls{L"report 03"});
    gestures.onReport = nullptr;
    Play({{false, {660, 300}}});
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Reports(), (Calls{L"report 03", L"report 03"}));
}

// --- what the user sees ------------------------------------------------------------------------

TEST_F(MouseMonitor, TheDirectionTooltipOpensBesideTheCursorAndChangesInPlace) {
    struct Case {
        Segment stroke;
        std::wstring name;
        int dy;
    };
    const std::vector<Case> cases = {
        {{0, -10, 3}, L"Up", 5},
        {{0, 10, 3}, L"Down", -40},
        {{-11, 0, 3}, L"Left", 30},
        {{11, 0, 3}, L"Right", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        calls.clear();
        Play(Gesture({500, 500}, {c.stroke}));
        const TPoint at{500 + 3 * c.stroke.dx, 500 + 3 * c.stroke.dy};
        const Calls shown = Starting(calls, L"tt.");
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front(), L"tt.picture " + c.name + L" @" + At({at.x - 90, at.y + c.dy}));
        EXPECT_EQ(shown.back(), L"tt.close");
    }

    calls.clear();
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Starting(calls, L"tt."), (Calls{L"tt.picture Up @410,475", L"tt.close",
                                              L"tt.picture Right @410,475", L"tt.close"}));
}

TEST_F(MouseMonitor, TooltipOffsetsScaleWithTheDpiOfTheMonitorUnderTheCursor) {
    os.desktop.monitorDpi = {144};
    // At 144 DPI the stroke counts past 38 pixels: at 500,460, where the arrow opens 135 pixels
    // to the left and 8 below (90 and 5 at 96 DPI).
    Play(Gesture({500, 500}, {{0, -10, 5}}));
    const Calls shown = Starting(calls, L"tt.");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), L"tt.picture Up @" + At({365, 468}));
}

TEST_F(MouseMonitor, TheTrailStartsAtTheStartingPointAndEndsWithTheRelease) {
    Play(Gesture({500, 500}, {{0, -10, 4}}));
    EXPECT_EQ(Starting(calls, L"trap."),
              (Calls{L"trap.show", L"trap.start 500,500", L"trap.to 500,470", L"trap.to 500,460",
                     L"trap.hide"}));
}

// --- scratchpad mode ---------------------------------------------------------------------------

TEST_F(MouseMonitor, InScratchpadModeOnlyStrokesInsideThePadCountAndNoEdgeIsRecorded) {
    monitor->prEnableDrawing(false);
    // The pad touches the top of the monitor: a start there is no monitor position here.
    Play(Gesture({1700, 20}, {{0, 10, 4}}));
    EXPECT_EQ(Reports(), Calls{L"report 1"});
    EXPECT_FALSE(log.Has(L"Adding Monitor Position: [Top]"));
    EXPECT_TRUE(Starting(calls, L"trap.").empty());
    const Calls padCalls = Starting(calls, L"pad.");
    EXPECT_EQ(padCalls.front(), L"pad.down");
    EXPECT_EQ(std::count(padCalls.begin(), padCalls.end(), L"pad.point 1700,50"), 1);
    // The pad takes no clicks while the gesture runs, and does afterwards (the runner moves it
    // out of the way).
    const Calls tail(padCalls.end() - 3, padCalls.end());
    EXPECT_EQ(tail, (Calls{L"pad.disable", L"pad.enable", L"pad.up"}));
    const auto sent = std::find(calls.begin(), calls.end(), L"report 1");
    EXPECT_EQ(*(sent - 1), L"pad.disable");
    EXPECT_EQ(*(sent + 1), L"pad.enable");

    calls.clear();
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(Starting(calls, L"tt.").empty());
}

TEST_F(MouseMonitor, AFailingDispatchLeavesPollingAndThePadRunning) {
    monitor->prEnableDrawing(false);
    gestures.onReport = [](const std::wstring&) { throw std::runtime_error("dispatch failed"); };
    mouse.cursor = {1700, 100};
    mouse.Press(vk::RBUTTON);
    os.clock.Advance(60);
    for (int i = 1; i <= 4; ++i) {
        mouse.cursor = {1700, 100 + 10 * i};
        os.clock.Advance(20);
    }
    mouse.Release(vk::RBUTTON);
    EXPECT_THROW(os.clock.Advance(20), std::runtime_error);
    EXPECT_TRUE(monitor->timMouse.Enabled());
    EXPECT_EQ(monitor->timMouse.Interval(), 60u);
    EXPECT_TRUE(pad.Enabled());
    EXPECT_FALSE(monitor->WasDown());
    EXPECT_TRUE(monitor->DirectionList().empty());
}

// --- chords ------------------------------------------------------------------------------------

TEST_F(MouseMonitor, TwoLeftClicksWhileHoldingSwitchGesturesOffThenOn) {
    const TPoint at{700, 500};
    Play({{true, at}});
    Play(LeftClicks(at, 1));
    mouse.rightUpAt = os.clock.now + 100; // the user lets go a little after the second click
    const int pumps = os.desktop.pumps;
    const std::uint32_t before = os.clock.now;
    Play(LeftClicks(at, 1));
    EXPECT_EQ(Starting(calls, L"disable"), Calls{L"disable"});
    EXPECT_EQ(Starting(calls, L"tt.text"),
              Calls{L"tt.text Gestures DISABLED for program. @705,500"});
    EXPECT_TRUE(monitor->Disabled());
    // The wait for the release only sleeps, 40 ms at a time.
    EXPECT_EQ(os.desktop.pumps, pumps);
    EXPECT_GE(os.clock.now - before, 100u);
    const auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Disable Key Press"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Disable Key Release"), 2);
    EXPECT_TRUE(log.Has(L"Disable Gestures Key press detected"));

    // Off: nothing is captured for this program, even after the tray's periodic switch-on.
    Play(Gesture({500, 500}, kUpThenRight));
    monitor->SetMonitorEnabled(true);
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(log.Has(L"Init - program Disabled: notepad.exe"));
    EXPECT_TRUE(log.Has(L"Disabled: right-click switchted focus."));

    // On again with the same chord.
    Play({{true, at}});
    mouse.rightUpAt = os.clock.now + 200;
    Play(LeftClicks(at, 2));
    EXPECT_EQ(Starting(calls, L"enable"), Calls{L"enable"});
    EXPECT_TRUE(log.Has(L"ENABLE mouse chording detected"));
    EXPECT_EQ(Starting(calls, L"tt.text").back(),
              L"tt.text Gestures ENABLED for program. @705,500");
    EXPECT_FALSE(monitor->Disabled());
    Play({{false, at}});
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Reports(), Calls{L"report 03"});
}

// The message stays readable a while and then goes by itself: nothing else closes it while the
// program's gestures are off.
TEST_F(MouseMonitor, TheDisableChordsMessageGoesByItselfAfterTheRelease) {
    const TPoint at{700, 500};
    Play({{true, at}});
    const std::uint32_t released = os.clock.now + 100;
    mouse.rightUpAt = released;
    Play(LeftClicks(at, 2));
    ASSERT_EQ(Starting(calls, L"disable"), Calls{L"disable"});
    ASSERT_TRUE(tt.IsShowing());
    os.clock.Advance(released + 1200 - os.clock.now);
    EXPECT_TRUE(tt.IsShowing()) << "gone before it could be read";
    os.clock.Advance(200);
    EXPECT_FALSE(tt.IsShowing()) << "still beside the cursor 1.4 s after the release";

    // A gesture begun over another program before the time is up keeps its arrow.
    os.system.processes.push_back({95, L"other.exe"});
    os.desktop.foreground = os.desktop.AddWindow(9, 90);
    Play({{true, at}});
    mouse.rightUpAt = os.clock.now + 100;
    Play(LeftClicks(at, 2));
    ASSERT_EQ(Starting(calls, L"disable").size(), 2u);
    os.desktop.foreground = os.desktop.AddWindow(10, 95);
    Play(Gesture({500, 500}, {{0, -10, 10}, {10, 0, 70}}, false));
    EXPECT_EQ(Starting(calls, L"tt.picture").size(), 2u);
    EXPECT_TRUE(tt.IsShowing()) << "the stroke's arrow went with the message";
}

// Set up for the left hand, the system's key state still names the physical buttons: the
// secondary button draws and makes the chord, the primary one clicks it, and a drag of the
// primary one (selecting text) is no gesture.
TEST_F(MouseMonitor, TheSecondaryButtonDrawsAndThePrimaryClicksTheChordEitherWay) {
    const TPoint at{700, 500};
    for (const bool swapped : {false, true}) {
        SCOPED_TRACE(swapped ? "buttons swapped" : "buttons as made");
        mouse.swapped = swapped;
        calls.clear();
        Play(Gesture({500, 500}, kUpThenRight));
        EXPECT_EQ(Reports(), Calls{L"report 03"});

        std::vector<Step> selection = Gesture({500, 500}, kUpThenRight);
        for (Step& s : selection)
            std::swap(s.left, s.right);
        Play(selection);
        EXPECT_EQ(Reports(), Calls{L"report 03"});

        Play({{true, at}});
        mouse.rightUpAt = os.clock.now + 100;
        Play(LeftClicks(at, 2));
        EXPECT_EQ(Starting(calls, L"disable"), Calls{L"disable"});
        gestures.disabledExes.clear();
        monitor->DisableFlagsChanged();
    }
}

TEST_F(MouseMonitor, ChordClicksCountAcrossHoldsWhileGesturesAreOn) {
    const TPoint at{700, 500};
    Play({{true, at}});
    Play(LeftClicks(at, 1));
    Play({{false, at}});
    EXPECT_EQ(monitor->ChordClicks(), 1);
    EXPECT_TRUE(Starting(calls, L"disable").empty());

    Play({{true, at}});
    mouse.rightUpAt = os.clock.now + 100;
    Play(LeftClicks(at, 1));
    EXPECT_EQ(Starting(calls, L"disable"), Calls{L"disable"});
    EXPECT_EQ(monitor->ChordClicks(), 0);
}

TEST_F(MouseMonitor, ChordClicksAreForgottenOnReleaseWhileGesturesAreOff) {
    gestures.disabledExes.insert(L"notepad.exe");
    const TPoint at{700, 500};
    Play({{true, at}});
    Play(LeftClicks(at, 1));
    Play({{false, at}});
    EXPECT_EQ(monitor->ChordClicks(), 0);
    Play({{true, at}});
    Play(LeftClicks(at, 1));
    Play({{false, at}});
    EXPECT_TRUE(Starting(calls, L"enable").empty());
}

TEST_F(MouseMonitor, ChordsAreIgnoredWhenSwitchedOffInTheSettings) {
    monitor->prMouseCordingToogle(false);
    const TPoint at{700, 500};
    Play({{true, at}});
    Play(LeftClicks(at, 3));
    Play({{false, at}});
    EXPECT_TRUE(Starting(calls, L"disable").empty());
    EXPECT_FALSE(monitor->Disabled());
}

TEST_F(MouseMonitor, TheEnableChordIsRefusedWhileTheProgramRunsFullScreen) {
    gestures.disabledExes.insert(L"game.exe");
    Foreground(90, {0, 0, 1920, 1080}, false);
    const TPoint at{700, 500};
    Play({{true, at}});
    Play(LeftClicks(at, 3));
    Play({{false, at}});
    EXPECT_TRUE(Starting(calls, L"enable").empty());
    EXPECT_TRUE(monitor->Disabled());
}

TEST_F(MouseMonitor, StrokesBeforeAChordAreNotSentWithTheNextGesture) {
    const TPoint at{500, 400};
    Play(Gesture({500, 500}, {{0, -10, 10}}, false));
    mouse.rightUpAt = os.clock.now + 300;
    Play(LeftClicks(at, 2));
    ASSERT_EQ(Starting(calls, L"disable"), Calls{L"disable"});
    EXPECT_TRUE(monitor->DirectionList().empty());
    // The stroke's arrow was up; the message replaces it.
    EXPECT_EQ(Starting(calls, L"tt.text"),
              Calls{L"tt.text Gestures DISABLED for program. @505,400"});

    Play({{true, at}});
    mouse.rightUpAt = os.clock.now + 300;
    Play(LeftClicks(at, 2));
    ASSERT_EQ(Starting(calls, L"enable"), Calls{L"enable"});
    Play(Gesture({500, 500}, {{12, 0, 10}}));
    EXPECT_EQ(Reports(), Calls{L"report 3"});
}

// --- programs that are left alone --------------------------------------------------------------

TEST_F(MouseMonitor, FullScreenProgramsAreLeftAloneUnlessMaximisedOrTheShell) {
    struct Case {
        const char* name;
        std::uint32_t pid;
        TRect rect;
        bool maximized;
        bool ignored;
    };
    const std::vector<Case> cases = {
        {"covering its monitor", 90, {0, 0, 1920, 1080}, false, true},
        {"larger than its monitor", 90, {-8, -8, 1928, 1088}, false, true},
        {"maximised", 90, {-8, -8, 1928, 1088}, true, false},
        {"the desktop shell", 80, {0, 0, 1920, 1080}, false, false},
        {"one pixel short", 90, {0, 0, 1920, 1079}, false, false},
        {"an ordinary window", 70, {100, 100, 900, 700}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        Foreground(c.pid, c.rect, c.maximized);
        Play(Gesture({500, 500}, kUpThenRight));
        EXPECT_EQ(Reports(), c.ignored ? Calls{} : Calls{L"report 03"});
        EXPECT_EQ(Starting(calls, L"tt.").empty(), c.ignored);
    }
}

TEST_F(MouseMonitor, WithoutAMonitorForTheForegroundWindowTheGestureIsIgnored) {
    os.desktop.monitors.clear();
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_TRUE(monitor->Fullscreen());
    EXPECT_TRUE(Reports().empty());
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::wstring& l) {
        return l.starts_with(L"MonitorFromRect failed :(");
    }));

    // The native window's last resort finds one after all.
    std::vector<HWindow> asked;
    monitor->Parts().monitorOfWindow = [&](HWindow h, TRect& m) {
        asked.push_back(h);
        m = {0, 0, 1920, 1080};
        return true;
    };
    Play(Gesture({500, 500}, {}));
    EXPECT_EQ(asked, std::vector<HWindow>{app});
    EXPECT_FALSE(monitor->Fullscreen());
}

TEST_F(MouseMonitor, ADisabledProgramGetsNoGestures) {
    gestures.disabledExes.insert(L"notepad.exe");
    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(log.Has(L"DISABLED=-1  HANDLE=" + std::to_wstring(app)));
    EXPECT_FALSE(log.Has(L"Init"));
}

TEST_F(MouseMonitor, AGestureCutShortByASwitchToADisabledProgramIsDropped) {
    Play(Gesture({500, 500}, {{0, -10, 5}}, false));
    const HWindow other = os.desktop.AddWindow(9, 90);
    gestures.disabledExes.insert(L"game.exe");
    os.desktop.foreground = other;
    Play(Gesture({500, 450}, {{12, 0, 10}}));
    monitor->SetMonitorEnabled(true); // the tray, a moment later
    os.desktop.foreground = app;
    Play(Gesture({500, 500}, {{0, 10, 8}}));
    EXPECT_EQ(Reports(), Calls{L"report 1"});
}

// --- aborts ------------------------------------------------------------------------------------

TEST_F(MouseMonitor, AnAbortedGestureSendsNothingAndEndsOnEveryPollUntilTheRelease) {
    Play(Gesture({500, 500}, {{0, -10, 5}}, false));
    monitor->AbortInterpret();
    Play(Gesture({500, 450}, {{12, 0, 10}}, false));
    EXPECT_TRUE(monitor->DirectionList().empty());
    EXPECT_TRUE(Starting(calls, L"tt.picture Right").empty());
    EXPECT_TRUE(monitor->Aborting());
    Play({{false, {620, 450}}});
    EXPECT_FALSE(monitor->Aborting());
    EXPECT_TRUE(Reports().empty());

    Play(Gesture({500, 500}, kUpThenRight));
    EXPECT_EQ(Reports(), Calls{L"report 03"});
}

// --- settings and the auto-correction's question -------------------------------------------------

TEST_F(MouseMonitor, SettingsReachTheAnalysis) {
    TMovementSettings& s = monitor->MovementSettings();
    s.xThreshold = 4;
    s.yThreshold = 5;
    s.XPixelThreshold = 31;
    s.YPixelThreshold = 26;
    s.deltaBias = 0.5f;
    s.directionBias = 0.6f;
    s.directionThreshold = 2;
    s.PreciseCorners = true;
    monitor->prHelpPause(1200);
    // The analysis takes them at the next press.
    Play(Gesture({500, 500}, {}));
    const TMovementSettings& mm = monitor->Movements().Settings();
    EXPECT_TRUE(mm.PreciseCorners);
    EXPECT_EQ(std::vector<int>({mm.xThreshold, mm.yThreshold, mm.XPixelThreshold,
                                mm.YPixelThreshold, mm.directionThreshold}),
              std::vector<int>({4, 5, 31, 26, 2}));
    EXPECT_EQ(mm.deltaBias, 0.5f);
    EXPECT_EQ(mm.directionBias, 0.6f);
    EXPECT_EQ(monitor->helpPause, 1200);
    EXPECT_EQ(monitor->timPaused.Interval(), 1200u);
}

TEST(MouseMonitorNeighbours, IsBetweenNeighbors) {
    struct Case {
        TMouseDirection a, b;
        int angle;
        bool between;
    };
    const std::vector<Case> cases = {
        {mdUp, mdNE, 270, true},      {mdUp, mdNE, 300, true},    {mdNE, mdUp, 315, true},
        {mdUp, mdNE, 316, false},     {mdUp, mdNW, 225, true},    {mdUp, mdNW, 224, false},
        {mdRight, mdNE, 315, true},   {mdRight, mdNE, 359, true}, {mdNE, mdRight, 0, true},
        {mdRight, mdNE, 314, false},  {mdRight, mdNE, 10, false}, {mdRight, mdSE, 0, true},
        {mdSE, mdRight, 45, true},    {mdRight, mdSE, 46, false}, {mdSE, mdDown, 60, true},
        {mdDown, mdSW, 135, true},    {mdSW, mdLeft, 150, true},  {mdLeft, mdNW, 200, true},
        {mdNW, mdLeft, 226, false},   {mdUp, mdDown, 180, false}, {mdUp, mdRight, 300, false},
        {mdSE, mdNE, 0, false},       {mdUp, mdUp, 270, false},   {mdNone, mdUp, 270, false},
        {mdMonTop, mdUp, 270, false}, {mdUp, mdNE, -1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TFrmMouseMonitor::IsBetweenNeighbors(c.a, c.b, c.angle), c.between)
            << TMouseMovement::ToString(c.a) << " " << TMouseMovement::ToString(c.b) << " "
            << c.angle;
}

// --- the keyboard query --------------------------------------------------------------------------

TEST(KeyboardQuery, ReadsButtonsWithTheSwapRuleAndKeysWithTheirToggles) {
    fake::FakePlatform os;
    const TKeyboardQuery KeyboardQuery(os.input, os.desktop);
    os.input.Press(vk::LBUTTON);
    EXPECT_TRUE(KeyboardQuery.IsClicked(MouseButton::leftButton));
    EXPECT_FALSE(KeyboardQuery.IsClicked(MouseButton::RightButton));
    // Swapped, the left button is read from the right one's key; the right button never moves.
    os.input.swapped = true;
    EXPECT_FALSE(KeyboardQuery.IsClicked(MouseButton::leftButton));
    os.input.Press(vk::RBUTTON);
    EXPECT_TRUE(KeyboardQuery.IsClicked(MouseButton::leftButton));
    EXPECT_TRUE(KeyboardQuery.IsClicked(MouseButton::RightButton));

    os.input.Press(vk::SCROLL);
    os.input.Release(vk::SCROLL);
    EXPECT_FALSE(KeyboardQuery.IsPressed(vk::SCROLL));
    EXPECT_TRUE(KeyboardQuery.LockOn(vk::SCROLL));
    os.input.Press(vk::SHIFT);
    EXPECT_TRUE(KeyboardQuery.IsPressed(vk::SHIFT));
}

TEST(KeyboardQuery, WaitUntilReleaseKeepsHandlingMessages) {
    fake::FakePlatform os;
    const TKeyboardQuery KeyboardQuery(os.input, os.desktop);
    os.input.Press(vk::RBUTTON);
    int ticks = 0;
    TTimer t(100, true, [&] {
        if (++ticks == 3) os.input.Release(vk::RBUTTON);
    });
    KeyboardQuery.WaitUntilRelease(MouseButton::RightButton);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(KeyboardQuery.IsClicked(MouseButton::RightButton));
}

} // namespace
} // namespace fg
