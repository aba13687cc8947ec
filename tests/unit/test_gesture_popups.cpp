// The help and suggestion pop-ups: which gestures they list and in what order, the near-match
// rule, the auto-correction's angle rule, the menus' layout, and that a pick runs only once the
// menu is gone and the target program's input is its own again.
#include "DispatchFakes.h"
#include "GestureFakes.h"
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "gestures/UnitFrmGestures.h"
#include "gestures/UnitGesturePopups.h"
#include "unit/SettingDefaults.h"
#include "vocabulary/IGestureInProgress.h"

#include <gtest/gtest.h>

#include <memory>

namespace fg {
namespace {

using test::RecordingScratchpad;
using test::RecordingSender;
using test::RecordingTooltip;
using Strings = std::vector<std::wstring>;

// The gesture in progress: its stroke angles are set by the test, and the hand lets the button go
// `holdMs` into the wait.
class RecordingGesture : public IGestureInProgress {
  public:
    RecordingGesture(fake::FakePlatform& p, Strings& c) : os(p), calls(c) {}
    void AbortInterpret() override { calls.push_back(L"abort"); }
    void SetMonitorEnabled(bool enable) override {
        calls.push_back(enable ? L"polling on" : L"polling off");
    }
    int GetDirectionAngle(int index) const override {
        return index < static_cast<int>(angles.size()) ? angles[static_cast<std::size_t>(index)]
                                                       : -1;
    }
    void WaitUntilButtonRelease() override {
        calls.push_back(L"wait for release");
        os.clock.Sleep(holdMs);
        if (onRelease) onRelease();
    }
    std::function<void()> onRelease;
    std::vector<int> angles;
    std::uint32_t holdMs = 300;
    fake::FakePlatform& os;
    Strings& calls;
};

class RecordingWatch : public TfrmDummyWatchForExplorerPopup {
  public:
    explicit RecordingWatch(Strings& c) : calls(c) {}
    void StartWatch() override { calls.push_back(L"watch"); }
    Strings& calls;
};

class Popups : public ::testing::Test {
  protected:
    Popups() {
        os.system.processes = {{100, L"notepad.exe"}};
        notepad = os.desktop.AddWindow(10, 100);
        os.desktop.foreground = notepad;
        pad.below = notepad;
        os.input.cursor = {500, 300};
        os.files.files[L"C:\\Tools\\x.exe"] = {}; // the program a binding starts
        sender.onSend = [this] {
            calls.push_back(L"send" +
                            std::wstring(os.desktop.attached.empty() ? L"" : L" attached"));
        };
    }
    void Write(const std::wstring& name, const std::wstring& text) {
        os.files.SetText(GetDataPath() + name, text);
    }
    // Made after the global file is in place: it is read once, at creation.
    TFrmGestures& Make() {
        TGesturesParts parts;
        parts.tooltip = &tooltip;
        parts.monitor = &gesture;
        parts.showConfigPage = [this](int page) {
            calls.push_back(L"configuration page " + std::to_wstring(page));
        };
        store = std::make_unique<TGestureStore>();
        dispatcher = std::make_unique<TFrmGestures>(*store, runner, parts);
        dispatcher->CheckParts();
        test::UseDefaultSettings(*dispatcher, runner);
        os.clock.Advance(500); // the close timer runs once from creation
        tooltip.closes.clear();
        return *dispatcher;
    }
    // The whole menu as captions, a submenu's entries after " > ", a disabled entry in brackets.
    static Strings Layout(const TPopupMenu& menu) {
        Strings out;
        for (const TMenuEntry& e : menu) {
            std::wstring line = e.enabled ? e.caption : L"[" + e.caption + L"]";
            for (const TMenuEntry& child : e.children)
                line += L" > " + child.caption;
            out.push_back(line);
        }
        return out;
    }
    static Strings Hints(const TPopupMenu& menu) {
        Strings out;
        for (const TMenuEntry& e : menu)
            if (!e.hint.empty()) out.push_back(e.hint);
        return out;
    }

    fake::FakePlatform os;
    HWindow notepad = 0;
    Strings calls;
    RecordingTooltip tooltip;
    RecordingSender sender{os.clock};
    RecordingScratchpad pad;
    TTargetFocus target;
    RecordingGesture gesture{os, calls};
    RecordingWatch watch{calls};
    TActionRunner runner{{pad, sender, target, watch, TKeystrokeConversions::Default()}};
    std::unique_ptr<TGestureStore> store;
    std::unique_ptr<TFrmGestures> dispatcher;
};

TEST(PopupRules, EqualPositionsAndFirstStroke) {
    // n = 1 never; 2 x 0.5; 3 x 0.67; then 6n/10, whole products staying whole (5, 10, 15).
    const std::size_t needed[] = {2, 1, 2, 2, 3, 3, 4, 4, 5, 6};
    for (std::size_t n = 1; n <= 10; ++n)
        EXPECT_EQ(EqualPositionsNeeded(n), needed[n - 1]) << n;
    EXPECT_EQ(EqualPositionsNeeded(15), 9u);
    EXPECT_EQ(EqualPositionsNeeded(20), 12u);

    using MD = TMouseDirection;
    const std::pair<const wchar_t*, MD> strokes[] = {
        {L"", MD::mdNone}, {L"03", MD::mdUp},  {L"A03", MD::mdUp},  {L"A", MD::mdNone},
        {L"D6", MD::mdSE}, {L"9", MD::mdNone}, {L"x1", MD::mdNone},
    };
    for (const auto& [g, md] : strokes)
        EXPECT_EQ(FirstStroke(g), md) << g;
}

TEST_F(Popups, HelpListsTheProgramsThenTheGlobalGesturesOfTheStrokeAndAPickRunsAfterTheMenu) {
    Write(L"Gestures_notepad.exe.ini",
          L"[03]\r\nActionType=Multiple "
          L"Keystrokes\r\nAction=0110FFCTRL+SHIFT+ESC|0110FFCTRL+SHIFT+F1\r\n"
          L"[12]\r\nActionType=Keystroke\r\nAction=000042B\r\n"
          L"[A04]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\x.exe|-q\r\n");
    Write(L"Gestures.ini", L"[01]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                           L"[03]\r\nActionType=Keystroke\r\nAction=000043C\r\n");
    TFrmGestures& d = Make();
    os.desktop.pick = {L"UP+DOWN\tA"};
    // Where the release goes to the program under the press, it opens its context menu.
    HWindow releaseMenu = 0;
    gesture.onRelease = [&] { releaseMenu = os.desktop.AddWindow(10, 100, true, L"#32768"); };

    d.ReportFirstDirection(TMouseDirection::mdUp);
    EXPECT_EQ(os.desktop.closed, std::vector<HWindow>{releaseMenu}) << "it would take the keys";
    EXPECT_EQ(Layout(d.Popups().pmDirections),
              (Strings{L"Help Popup > Configure", L"-",
                       // 30 characters of names: cut to 25 and "..."
                       L"UP+RIGHT\tCTRL+SHIFT+ESC | CTRL+SHI...", L"[TOP]+UP+NE\tx.exe",
                       L"UP+DOWN\tA", L"UP+RIGHT\tC", L"-", L"Close"}));
    EXPECT_EQ(Hints(d.Popups().pmDirections), (Strings{L"03", L"A04", L"01", L"03"}));
    EXPECT_EQ(tooltip.shown, Strings{L"  Help Popup        "});
    EXPECT_EQ(tooltip.at, (TPoint{515, 300}));
    ASSERT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_EQ(os.desktop.popups[0].at, (TPoint{440, 320}));
    // The release reports nothing; the pick runs its binding once the input is detached, after
    // the menu's and the execute pause.
    EXPECT_EQ(calls, (Strings{L"wait for release", L"watch", L"abort", L"send"}));
    EXPECT_EQ(sender.sent, Strings{L"A@" + std::to_wstring(1500 + 300 + 100 + 100)});
    EXPECT_TRUE(tooltip.shown.size() == 1) << "a pick confirms nothing";

    d.ReportFirstDirection(TMouseDirection::mdDown);
    EXPECT_EQ(Hints(d.Popups().pmDirections), Strings{L"12"});
}

TEST_F(Popups, HelpWithNothingToListLetsTheGestureGoOnAndADisabledProgramGetsNoHelp) {
    Write(L"Gestures.ini", L"[01]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    TFrmGestures& d = Make();
    d.ReportFirstDirection(TMouseDirection::mdLeft);
    EXPECT_EQ(tooltip.shown, Strings{L"Help Popup - no matches"});
    EXPECT_EQ(tooltip.closes.back(), false);
    EXPECT_EQ(calls, Strings{L"wait for release"}) << "neither dropped nor watched";
    EXPECT_TRUE(os.desktop.popups.empty());

    Write(L"Gestures_notepad.exe.ini", L"[Settings]\r\ncbDisableAll=1\r\n");
    calls.clear();
    tooltip.shown.clear();
    d.ReportFirstDirection(TMouseDirection::mdUp);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(tooltip.shown.empty());
}

TEST_F(Popups, ConfigureOpensTheirPagesOfTheConfiguration) {
    Write(L"Gestures.ini", L"[01]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                           L"[61]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    TFrmGestures& d = Make();
    os.desktop.pick = {L"Help Popup", L"Configure"};
    d.ReportFirstDirection(TMouseDirection::mdUp);
    EXPECT_EQ(calls.back(), L"abort");
    os.clock.Advance(299);
    EXPECT_EQ(calls.back(), L"abort");
    os.clock.Advance(1);
    EXPECT_EQ(calls.back(), L"configuration page 1");
    os.clock.Advance(1000);
    EXPECT_EQ(calls.back(), L"configuration page 1") << "one shot";

    d.prEnableSuggestions(true);
    os.desktop.pick = {L"Suggestions Popup ", L"Configure "};
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"41"));
    EXPECT_EQ(calls.back(), L"configuration page 3");
    EXPECT_EQ(os.desktop.popups.size(), 2u) << "a pick is an answer: no second showing";
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(Popups, SuggestionsOfferNearMatchesAndLengthNeighboursInOrder) {
    struct Case {
        const wchar_t* drawn;
        const wchar_t* program; // gesture strings, one character per line break
        const wchar_t* global;
        Strings offered; // hints, in menu order
    };
    const Case cases[] = {
        // One equal position of two; both begin otherwise than "41": file order.
        {L"41", L"", L"01 61", {L"01", L"61"}},
        // One stroke too many, or one missing at the end: same start.
        {L"013", L"", L"01", {L"01"}},
        {L"01", L"", L"013", {L"013"}},
        // One missing at the front: another start.
        {L"01", L"", L"301", {L"301"}},
        // Same start, found last first: length neighbours before near matches, global before
        // the program's; a gesture of both files twice, the program's first.
        {L"012", L"013", L"014 01 013", {L"01", L"014", L"013", L"013"}},
        // Three same-start near matches leave out the one stroke too many ("01").
        {L"012", L"013 015 016", L"01", {L"016", L"015", L"013"}},
        // A single stroke has no neighbours at all.
        {L"1", L"0 12 21", L"", {}},
    };
    for (const Case& c : cases) {
        const auto file = [](const std::wstring& gestures) {
            std::wstring text;
            std::size_t at = 0;
            while (at < gestures.size()) {
                const std::size_t end = std::min(gestures.find(L' ', at), gestures.size());
                text += L"[" + gestures.substr(at, end - at) +
                        L"]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
                at = end + 1;
            }
            return text;
        };
        Write(L"Gestures.ini", file(c.global));
        Write(L"Gestures_notepad.exe.ini", file(c.program));
        os.desktop.popups.clear();
        TFrmGestures& d = Make();
        d.prEnableSuggestions(true);
        EXPECT_EQ(d.ReportGesturesDiagonal(c.drawn), !c.offered.empty()) << c.drawn;
        EXPECT_EQ(Hints(d.Popups().pmDirections), c.offered) << c.drawn;
        EXPECT_EQ(os.desktop.popups.size(), c.offered.empty() ? 0u : 2u) << c.drawn;
    }
}

TEST_F(Popups, SuggestionsMenuLayoutAndTheirOrderOfSteps) {
    Write(L"Gestures.ini",
          L"[01]\r\nActionType=Multiple "
          L"Keystrokes\r\nAction=0110FFCTRL+SHIFT+ESC|0110FFCTRL+SHIFT+F1\r\n"
          L"[61]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\x.exe|-q\r\n");
    TFrmGestures& d = Make();
    d.prEnableSuggestions(true);
    os.desktop.pick = {L"SE+DOWN\t   [x.exe]"};
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"41"));
    EXPECT_EQ(Layout(d.Popups().pmDirections),
              (Strings{L"Suggestions Popup  > Configure ", L"[(NE+DOWN)  not found ]", L"-",
                       L"UP+DOWN\t   (CTRL+SHIFT+ESC | CTRL+SHIFT+F1)", L"SE+DOWN\t   [x.exe]",
                       L"-", L"Close"}));
    EXPECT_EQ(calls, (Strings{L"watch", L"abort", L"polling off", L"polling on"}));
    EXPECT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_EQ(os.desktop.popups[0].at, (TPoint{440, 320}));
    EXPECT_TRUE(os.desktop.attached.empty());
    EXPECT_EQ(os.system.started,
              (std::vector<fake::FakeSystem::Started>{{L"C:\\Tools\\x.exe -q", 544, false}}));

    // Closed without an answer, the menu comes once more; the input is joined only meanwhile.
    os.desktop.pick.clear();
    calls.clear();
    os.desktop.popups.clear();
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"41"));
    EXPECT_EQ(os.desktop.popups.size(), 2u);
    EXPECT_TRUE(os.desktop.attached.empty());

    // When the target's input cannot be joined no menu shows, yet the gesture is dropped.
    os.desktop.attachFails = true;
    os.desktop.popups.clear();
    calls.clear();
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"41"));
    EXPECT_TRUE(os.desktop.popups.empty());
    EXPECT_EQ(calls, (Strings{L"watch", L"abort", L"polling off", L"polling on"}));
}

TEST_F(Popups, AutoCorrectionRunsTheNearMatchOnWhoseArcTheStrokeWasDrawn) {
    Write(L"Gestures.ini", L"[01]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                           L"[61]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    TFrmGestures& d = Make();
    d.prEnableSuggestions(true);
    d.prEnabledAutoCorrection(true);
    // "41" drawn: "01" differs in its first stroke, up against up-right (270 to 315); "61" is
    // down-right against up-right, never neighbours.
    const std::pair<int, bool> angles[] = {{270, true},  {300, true}, {315, true},
                                           {316, false}, {45, false}, {-1, false}};
    for (const auto& [angle, corrected] : angles) {
        gesture.angles = {angle, 90};
        sender.sent.clear();
        tooltip.shown.clear();
        os.desktop.popups.clear();
        os.desktop.pick = {L"Close"};
        EXPECT_TRUE(d.ReportGesturesDiagonal(L"41")) << angle;
        EXPECT_EQ(sender.sent.size(), corrected ? 1u : 0u) << angle;
        if (corrected) {
            EXPECT_EQ(sender.sent[0].substr(0, 2), L"A@") << angle;
            EXPECT_EQ(tooltip.shown, Strings{L"NE+DOWN  "}) << "the gesture as drawn";
        }
        EXPECT_EQ(os.desktop.popups.size(), corrected ? 0u : 1u) << angle;
    }
}

} // namespace
} // namespace fg
