// Hours of use on virtual time: a hundred thousand gestures through the windows of a gesture's
// road, wired as start-up wires them, with the mix a user produces. Whatever a gesture makes it
// must give back: the leak check at exit finds what is lost, the live timers and tooltip windows
// must be where they were after the first thousand gestures, and (under the address sanitizer)
// the heap where it was after the first stretch of the mix.
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestures.h"
#include "startup/UnitGestureRoad.h"
#include "startup/UnitSettingsWiring.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "ui/UnitTooltipRecord.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's count of the bytes allocated and not freed yet.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace fg {
namespace {

std::size_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return 0;
#endif
}

constexpr std::uint32_t kOwnPid = 5, kNotepadPid = 70, kCalcPid = 71, kOtherPid = 72;

// The pad's recording view, which forgets what was drawn whenever the pad is placed anew, as a
// real window is then painted afresh: its record must not pass for the program's growth.
class PadView : public TScratchPadPictureView {
  public:
    void PlacePad(const TRect&) override { picture.ops.clear(); }
};

// What a long run must keep flat.
struct Live {
    std::size_t timers, windows, tooltips, heapBytes;
};

// The desktop and the files, there before the first window is made.
struct Desk {
    Desk() {
        Platform p = Os();
        p.input = &hand;
        InstallPlatform(p);
        os.system.processes = {{kOwnPid, L"Farrowglimmer.exe"},
                               {kNotepadPid, L"notepad.exe"},
                               {kCalcPid, L"calc.exe"},
                               {kOtherPid, L"other.exe"}};
        other = os.desktop.AddWindow(9, kOtherPid);
        calc = os.desktop.AddWindow(8, kCalcPid);
        notepad = os.desktop.AddWindow(7, kNotepadPid);
        SetTooltipViewFactory(RecordingTooltipViews(tip));
        Write(L"Gestures.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000043C\r\n");
        Write(L"Gestures_notepad.exe.ini",
              L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
              L"[1]\r\nActionType=Multiple Keystrokes\r\nAction=000041A|000042B|000043C\r\n");
        Write(L"Gestures_calc.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
        Write(L"defaults.ini", L"[init]\r\ncbMouseCording=1\r\n");
    }
    ~Desk() { SetTooltipViewFactory({}); }
    void Write(const std::wstring& name, const std::wstring& text) {
        os.files.SetText(GetDataPath() + name, text);
    }

    fake::FakePlatform os;
    fake::FakeInput hand{os.clock};
    TTooltipRecord tip;
    HWindow notepad = 0, calc = 0, other = 0;
};

class Soak : public ::testing::Test, protected Desk {
  protected:
    Soak() {
        WireGestureRoad(Road());
        WireSettings(Road(), config);
        config.FormCreate();
        os.clock.Advance(70);
    }
    TGestureRoad Road() {
        return {gestures,
                runner,
                monitor,
                pad,
                sender,
                gate,
                [this](int page) { config.ShowPage(page); }};
    }
    Live Count() const {
        return {os.clock.LiveTimers(), os.desktop.LiveWindows(),
                static_cast<std::size_t>(tip.created - tip.destroyed), HeapBytes()};
    }

    void Front(HWindow w) {
        os.desktop.BringToTop(w);
        os.desktop.foreground = w;
        os.desktop.focus = w;
    }
    // A stroke held with the button down, moving by (dx, dy) every 20 ms poll.
    void Stroke(TPoint from, int dx, int dy) {
        hand.cursor = from;
        hand.Press(vk::RBUTTON);
        for (int i = 0; i <= 12; ++i) {
            os.clock.Advance(20);
            hand.cursor = {hand.cursor.x + dx, hand.cursor.y + dy};
        }
    }
    void Release() {
        hand.Release(vk::RBUTTON);
        os.clock.Advance(20);
        os.clock.Advance(TTargetFocus::kReleaseMenuBudgetMs);
    }
    // The hand rests after the stroke until the help pop-up is up, and lets go while it shows.
    void RestAndRelease() {
        hand.rightUpAt = os.clock.now + 1000;
        os.clock.Advance(1500);
    }
    // Two left clicks while the right button is held: gestures off, or on again. Each state is
    // held longer than the monitor's idle poll, and the hand lets go after the second click.
    void Chord() {
        constexpr std::uint32_t kHoldMs = 60;
        hand.cursor = {700, 500};
        hand.Press(vk::RBUTTON);
        hand.rightUpAt = os.clock.now + 5 * kHoldMs + 40;
        os.clock.Advance(kHoldMs);
        for (int click = 0; click < 2; ++click) {
            hand.Press(vk::LBUTTON);
            os.clock.Advance(kHoldMs);
            hand.Release(vk::LBUTTON);
            os.clock.Advance(kHoldMs);
        }
        os.clock.Advance(200);
    }
    void DrawingMethod(bool scratchpad) {
        config.ShowPage(cpGestureMethod);
        if (scratchpad)
            config.rbScratchpadClick();
        else
            config.rbFullscreenClick();
        config.FormClose();
    }

    using Keys = std::vector<std::uint8_t>;
    // One gesture of the mix; answers the keys it must have sent.
    Keys Gesture(int n, bool inPad) {
        const TPoint at{500, 300};
        switch (n % 10) {
        case 0: // bound in the program's own file
            Front(notepad);
            if (inPad) {
                pad.FormMouseEnter();
                Stroke({pad.BoundsRect().left + 20, pad.BoundsRect().top + 100}, 12, 0);
                Release();
                pad.FormMouseLeave();
            } else {
                Stroke(at, 12, 0);
                Release();
            }
            return {0x41, 0x41};
        case 1: // a list of keystrokes
            Front(notepad);
            Stroke(at, 0, 12);
            Release();
            return {0x41, 0x41, 0x42, 0x42, 0x43, 0x43};
        case 2: // unbound: the suggestions offer the neighbours, the user takes none
            Front(notepad);
            Stroke(at, -12, 0);
            Release();
            return {};
        case 3: // another program's own file
            Front(calc);
            Stroke(at, 12, 0);
            Release();
            return {0x42, 0x42};
        case 4: // a program without one: the global file
            Front(other);
            Stroke(at, 12, 0);
            Release();
            return {0x43, 0x43};
        case 5: // the help pop-up, its entry taken
            Front(notepad);
            os.desktop.pick = {L"RIGHT\tA"};
            Stroke(at, 12, 0);
            RestAndRelease();
            return {0x41, 0x41};
        case 6: // the help pop-up, closed
            Front(notepad);
            os.desktop.pick = {L"Close"};
            Stroke(at, 12, 0);
            RestAndRelease();
            return {};
        case 7: // off with the chord, a gesture that does nothing, on again
            Front(notepad);
            Chord();
            Stroke(at, 12, 0);
            Release();
            Chord();
            return {};
        default: // bound again, after the others changed the foreground
            Front(notepad);
            Stroke(at, 12, 0);
            Release();
            return {0x41, 0x41};
        }
    }

    // Start-up's order: the runner and the dispatcher, then the monitor once the windows it
    // draws with exist.
    TGestureStore store;
    TTargetFocus target;
    TfrmDummyWatchForExplorerPopup watch;
    PadView padView;
    TFrmScratchPad pad{os.desktop, hand, &padView};
    TPaste sender;
    TActionRunner runner{{pad, sender, target, watch, TKeystrokeConversions::Default()}};
    TFrmGestures gestures{store, runner};
    TRightButtonGate gate{TRightButtonGate::OnPlatform(
        os.desktop, hand, GateLeavesAlone(gestures, [](const std::wstring&) { return false; }),
        [](bool) {}, [] {})};
    TFrmRatTrap ratTrap{os.desktop, hand};
    TFrmMouseMonitor monitor{hand,
                             os.desktop,
                             os.clock,
                             {.target = target,
                              .gestures = gestures,
                              .gate = gate,
                              .ratTrap = ratTrap,
                              .scratchpad = pad}};
    TFrmConfig config;
};

int GestureCount() {
    const char* env = std::getenv("FG_SOAK_GESTURES");
    return env ? std::atoi(env) : 100000;
}

TEST_F(Soak, AHundredThousandGesturesLeaveNothingBehind) {
    const int total = GestureCount();
    constexpr int kWarmUp = 1000;
    // Scratchpad mode for one stretch in every five thousand gestures.
    constexpr int kStretch = 5000, kPadFrom = 4000;
    Live warm{};
    std::size_t heapFrom = 0;
    int failures = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < total; ++n) {
        const bool inPad = n % kStretch >= kPadFrom;
        if (n % kStretch == kPadFrom) DrawingMethod(true);
        if (n % kStretch == 0 && n > 0) DrawingMethod(false);
        // Only the plain gesture is drawn in the pad; the others are drawn outside it and do
        // nothing there, which the soak wants too.
        Keys expected = Gesture(n, inPad);
        if (inPad && n % 10 != 0) expected.clear();
        Keys sent;
        for (const auto& e : hand.events)
            sent.push_back(e.vk);
        if (sent != expected && ++failures <= 5)
            ADD_FAILURE() << "gesture " << n << " (kind " << n % 10 << (inPad ? ", pad" : "")
                          << ") sent " << ::testing::PrintToString(sent);
        hand.events.clear();
        os.desktop.popups.clear();
        os.desktop.closed.clear();
        os.desktop.pick.clear();
        // What the fakes record of the calls made to them is the test's, not the program's.
        os.desktop.attachCalls.clear();
        os.desktop.lockTimeoutWrites.clear();
        if (n + 1 == kWarmUp) warm = Count();
        if (n + 1 == kStretch) heapFrom = HeapBytes();
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(os.desktop.messageBoxes.empty()) << os.desktop.messageBoxes.front();
    if (total < kWarmUp) return;
    const Live end = Count();
    EXPECT_EQ(end.timers, warm.timers);
    EXPECT_EQ(end.windows, warm.windows);
    EXPECT_EQ(end.tooltips, warm.tooltips);
    // The debug history is full long before the first stretch of the mix is over, and the end is
    // at the same point of the mix: what is allocated beyond that is growth.
    if (total >= kStretch) {
        EXPECT_LE(end.heapBytes, heapFrom + 64 * 1024) << "heap grew from " << heapFrom;
    }
    std::printf("soak: %d gestures in %.1f s; timers %zu, windows %zu, tooltip windows %zu; heap "
                "%zu bytes after %d, %zu at the end\n",
                total, seconds, end.timers, end.windows, end.tooltips, heapFrom, kStretch,
                end.heapBytes);
}

} // namespace
} // namespace fg
