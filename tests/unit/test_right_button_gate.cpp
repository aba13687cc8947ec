// The right-button gate's decisions, event by event, with the hook's and the monitor's calls
// made by hand on a millisecond clock of the test's own.
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "platform/IInput.h"
#include "unit/LogLines.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace fg {
namespace {

using S = TRightButtonGate::TState;

struct GateFixture : ::testing::Test {
    fake::FakePlatform os;
    // Two programs side by side; the first is in front.
    HWindow app = os.desktop.AddWindow(7, 70);
    HWindow other = os.desktop.AddWindow(8, 80);
    std::set<HWindow> alone; // the programs whose right button is left alone
    std::set<int> keys;      // keys held down
    bool systemDown = false;
    int dpi = 96;
    std::vector<bool> hookCalls;
    int leaveAloneAsked = 0;
    int wakes = 0;

    TRightButtonGate gate{{
        .leaveAlone =
            [this](HWindow w) {
                ++leaveAloneAsked;
                return alone.count(w) > 0;
            },
        .foreground = [this] { return os.desktop.ForegroundWindow(); },
        .topLevelAt = [this](TPoint at) { return os.desktop.TopLevelAt(at); },
        .systemRightDown = [this] { return systemDown; },
        .hook = [this](bool install) { hookCalls.push_back(install); },
        .wake = [this] { ++wakes; },
        .keyDown = [this](int vk) { return keys.count(vk) > 0; },
        .dpiAt = [this](TPoint) { return dpi; },
    }};

    void SetUp() override {
        os.desktop.Find(app)->rect = {0, 0, 1000, 800};
        os.desktop.Find(other)->rect = {1000, 0, 1900, 800};
        os.desktop.foreground = app;
        gate.SetStartBox(30, 25);
        gate.SetOn(true);
        gate.Poll();
    }
    bool Down(TPoint at, std::uint32_t t) { return gate.Decide({TGateEvent::RightDown, at}, t); }
    bool Up(TPoint at, std::uint32_t t) { return gate.Decide({TGateEvent::RightUp, at}, t); }
    bool Move(TPoint at, std::uint32_t t) { return gate.Decide({TGateEvent::Move, at}, t); }
};

// A plain click, a gesture, a small wobble, a gesture by the monitor's word: what the programs
// get, what is handed on, and the button as the monitor sees it while held.
TEST_F(GateFixture, ClickGoesOnWhereItWasPressedAndAGestureGoesNowhere) {
    struct Case {
        const char* name;
        std::vector<TPoint> moves;
        bool strokeSeen;
        bool upKeptBack;
        std::vector<TGateReplay> replays;
    };
    const TPoint p{400, 300};
    const std::vector<Case> cases = {
        {"still click", {}, false, true, {{true, p}, {false, p}}},
        {"wobble inside the box",
         {{430, 300}, {400, 325}, {370, 275}},
         false,
         true,
         {{true, p}, {false, p}}},
        {"past the box sideways", {{431, 300}}, false, true, {}},
        {"past the box upwards", {{400, 274}}, false, true, {}},
        {"a stroke the monitor saw", {{410, 310}}, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Down(p, 1000));
        EXPECT_TRUE(gate.RightDown());
        std::uint32_t t = 1000;
        for (TPoint m : c.moves)
            EXPECT_FALSE(Move(m, t += 20)) << "a move always reaches the cursor";
        if (c.strokeSeen) gate.Claim();
        EXPECT_TRUE(gate.RightDown());
        EXPECT_EQ(Up({420, 300}, t + 20), c.upKeptBack);
        EXPECT_EQ(gate.TakeReplays(), c.replays);
        EXPECT_FALSE(gate.RightDown());
        EXPECT_EQ(gate.State(), S::Idle);
    }
}

TEST_F(GateFixture, StartBoxGrowsWithTheDpiWherePressed) {
    dpi = 144; // 45 x 37 pixels
    EXPECT_TRUE(Down({400, 300}, 0));
    Move({444, 336}, 20);
    EXPECT_EQ(gate.State(), S::Held);
    Move({446, 300}, 40);
    EXPECT_EQ(gate.State(), S::Gesture);
}

TEST_F(GateFixture, PressHeldStillIsHandedOnAndTheRestOfTheHoldIsNoGesture) {
    gate.SetHoldTime(500);
    EXPECT_TRUE(Down({400, 300}, 1000));
    std::uint32_t deadline = 0;
    ASSERT_TRUE(gate.Deadline(deadline));
    EXPECT_EQ(deadline, 1500u);
    gate.Tick(1499);
    EXPECT_FALSE(gate.HasReplays());
    gate.Tick(1500);
    EXPECT_EQ(gate.TakeReplays(), (std::vector<TGateReplay>{{true, {400, 300}}}));
    EXPECT_FALSE(gate.RightDown()) << "the monitor must not take the drag for a gesture";
    EXPECT_FALSE(gate.Deadline(deadline));
    // The drag: far moves and the release all reach the program.
    EXPECT_FALSE(Move({600, 300}, 1600));
    EXPECT_EQ(gate.State(), S::HandedOn);
    EXPECT_FALSE(Up({600, 300}, 1700));
    EXPECT_TRUE(gate.TakeReplays().empty());
    EXPECT_EQ(gate.State(), S::Idle);
}

TEST_F(GateFixture, LateTimerIsCaughtByTheNextMove) {
    gate.SetHoldTime(500);
    Down({400, 300}, 1000);
    Move({600, 300}, 1600); // the hold time passed before this move: a drag, not a gesture
    EXPECT_EQ(gate.State(), S::HandedOn);
    EXPECT_EQ(gate.TakeReplays(), (std::vector<TGateReplay>{{true, {400, 300}}}));
}

TEST_F(GateFixture, PressesLeftAloneAndInjectedEventsPassUntouched) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    };
    const std::vector<Case> cases = {
        {"program in noright or with gestures off",
         [&] {
             alone = {app};
             gate.Invalidate();
             gate.Poll();
         }},
        {"gestures suspended", [&] { gate.SetSuspended(true); }},
        {"bypass key held",
         [&] {
             gate.SetBypassKey(static_cast<int>(TBypassKey::Ctrl));
             keys = {vk::CONTROL};
         }},
        {"switched off", [&] { gate.SetOn(false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        EXPECT_FALSE(Down({400, 300}, 0));
        EXPECT_FALSE(Move({600, 300}, 20));
        EXPECT_EQ(gate.RightDown(), gate.On()) << "down until the release, as the system has it";
        EXPECT_FALSE(Up({600, 300}, 40));
        EXPECT_TRUE(gate.TakeReplays().empty());
        // Back to normal.
        alone.clear();
        keys.clear();
        gate.Invalidate();
        gate.SetSuspended(false);
        gate.SetBypassKey(0);
        gate.SetOn(true);
        gate.Poll();
    }
    // A bypass key that is configured but not held changes nothing.
    gate.SetBypassKey(static_cast<int>(TBypassKey::Alt));
    keys = {vk::CONTROL};
    EXPECT_TRUE(Down({400, 300}, 0));
    Up({400, 300}, 10);
    gate.TakeReplays();
    // Another program's injected click.
    EXPECT_FALSE(gate.Decide({TGateEvent::RightDown, {1, 1}, true}, 0));
    EXPECT_FALSE(gate.Decide({TGateEvent::RightUp, {1, 1}, true}, 1));
    EXPECT_EQ(gate.State(), S::Idle);
}

TEST_F(GateFixture, ProgramFoundLeftAloneAfterThePressGetsItsPress) {
    // The foreground changed just before the press: the hook does not know it yet.
    alone = {other};
    os.desktop.foreground = other;
    EXPECT_TRUE(Down({1400, 300}, 0));
    test::LogMark mark;
    gate.Poll();
    EXPECT_EQ(wakes, 1) << "the hook's thread must send it now, not at the hold time";
    EXPECT_EQ(gate.TakeReplays(), (std::vector<TGateReplay>{{true, {1400, 300}}}));
    EXPECT_TRUE(gate.RightDown());
    EXPECT_FALSE(Up({1400, 300}, 100));
    EXPECT_TRUE(gate.TakeReplays().empty());
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[Gate] the program in front is left alone: the press is "
                                         L"handed on"}));
    // Asked once per foreground, not at every poll.
    const int asked = leaveAloneAsked;
    gate.Poll();
    gate.Poll();
    EXPECT_EQ(leaveAloneAsked, asked);
}

// The press would have brought its window to the front; held back, the gate does, so that the
// gesture is that program's. A press that is handed on does it itself.
TEST_F(GateFixture, HeldPressBringsItsWindowToTheFront) {
    EXPECT_TRUE(Down({1400, 300}, 0));
    gate.Poll();
    EXPECT_EQ(os.desktop.ForegroundWindow(), other);
    Up({1400, 300}, 50);
    gate.TakeReplays();
    EXPECT_TRUE(Down({400, 300}, 100));
    Up({400, 300}, 150); // released before the next poll: the click brings it
    gate.Poll();
    EXPECT_EQ(os.desktop.ForegroundWindow(), other);
}

TEST_F(GateFixture, HookRemovedBySystemIsFoundAndInstalledAgain) {
    hookCalls.clear();
    // The system has the button down and the hook never saw it: once may be a call on its way.
    systemDown = true;
    gate.Poll();
    EXPECT_TRUE(hookCalls.empty());
    test::LogMark mark;
    gate.Poll();
    EXPECT_EQ(hookCalls, std::vector<bool>{true});
    EXPECT_EQ(mark.Messages(), (std::vector<std::wstring>{
                                   L"[Gate] the hook was removed by the system: installing it "
                                   L"again"}));
    gate.Poll();
    EXPECT_EQ(hookCalls.size(), 1u) << "the same hold is not reported twice";

    // A press the hook saw and let through, or injected by another program, is no loss.
    hookCalls.clear();
    systemDown = false;
    gate.Poll();
    Up({0, 0}, 0);
    gate.Decide({TGateEvent::RightDown, {1, 1}, true}, 0);
    systemDown = true;
    gate.Poll();
    gate.Poll();
    EXPECT_TRUE(hookCalls.empty());
}

TEST_F(GateFixture, SwitchingOffHandsOnAHeldPressAndRemovesTheHook) {
    hookCalls.clear();
    EXPECT_TRUE(Down({400, 300}, 0));
    gate.SetOn(false);
    EXPECT_EQ(hookCalls, std::vector<bool>{false});
    EXPECT_EQ(gate.TakeReplays(), (std::vector<TGateReplay>{{true, {400, 300}}}));
    EXPECT_FALSE(Up({400, 300}, 10));
    gate.SetOn(false);
    EXPECT_EQ(hookCalls.size(), 1u);
}

TEST(RightButtonGate, MissingPartsAreNamed) {
    TRightButtonGate gate({});
    try {
        gate.CheckParts();
        FAIL();
    } catch (const TUserError& e) {
        EXPECT_EQ(std::wstring(e.Message()),
                  L"The right-button gate is missing its leave-alone foreground window-at "
                  L"system-state hook wake key-state dpi");
    }
}

// The hook hears of the secondary button as the right button's messages whichever physical
// button it is, but the system's key state names the physical buttons. Set up for the left hand,
// a held primary button (selecting text) is no press the hook missed, and a secondary press it
// missed still shows that the system removed the hook.
TEST(GateOnPlatform, TheSystemsStateThatIsComparedIsTheSecondaryButtons) {
    for (const bool swapped : {false, true}) {
        SCOPED_TRACE(swapped ? "buttons swapped" : "buttons as made");
        fake::FakePlatform os;
        os.desktop.foreground = os.desktop.AddWindow(7, 70);
        os.input.swapped = swapped;
        std::vector<bool> hookCalls;
        TRightButtonGate gate(TRightButtonGate::OnPlatform(
            os.desktop, os.input, [](HWindow) { return false; },
            [&](bool install) { hookCalls.push_back(install); }, [] {}));
        gate.SetOn(true);
        gate.Poll();

        EXPECT_FALSE(gate.Decide({TGateEvent::Other, {400, 300}}, 0)); // the primary's press
        os.input.Press(os.input.PrimaryKey());
        for (int i = 0; i < 3; ++i)
            gate.Poll();
        EXPECT_EQ(hookCalls, std::vector<bool>{true}) << "the hook was taken for lost";

        os.input.Release(os.input.PrimaryKey());
        os.input.Press(os.input.SecondaryKey());
        gate.Poll();
        gate.Poll();
        EXPECT_EQ(hookCalls, (std::vector<bool>{true, true}));
    }
}

} // namespace
} // namespace fg
