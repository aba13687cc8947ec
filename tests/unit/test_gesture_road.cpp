// The windows of a gesture's road wired as start-up wires them, on the fakes: one gesture from the
// press to the key events through the real monitor, analysis, dispatcher, store and sender, and
// what it costs in platform calls.
#include "LogLines.h"
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmInstance.h"
#include "app/UnitMisc.h"
#include "capture/UnitDirectionPictures.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestureWizard.h"
#include "gestures/UnitFrmGestures.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Errors.h"
#include "platform/HandlesLog.h"
#include "platform/LogSink.h"
#include "startup/UnitEditGesturesWiring.h"
#include "startup/UnitGestureRoad.h"
#include "startup/UnitSettingsWiring.h"
#include "startup/UnitTrayWiring.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "ui/UnitFrmSysTrayMenu.h"
#include "ui/UnitTooltipRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace fg {
namespace {

constexpr std::uint32_t kNotepadPid = 70;
constexpr std::uint32_t kOwnPid = 5;

class GestureRoad : public ::testing::Test {
  protected:
    GestureRoad() {
        os.system.processes = {{kOwnPid, L"Farrowglimmer.exe"}, {kNotepadPid, L"notepad.exe"}};
        // The fake knows no child windows: the text is a window of Notepad's thread below it.
        text = os.desktop.AddWindow(7, kNotepadPid, false, L"Edit");
        notepad = os.desktop.AddWindow(7, kNotepadPid);
        os.desktop.foreground = notepad;
        os.desktop.focus = text;
        os.desktop.Find(notepad)->rect = {0, 0, 1026, 769};
        SetTooltipViewFactory(RecordingTooltipViews(tip));
    }
    ~GestureRoad() override { SetTooltipViewFactory({}); }

    void Write(const std::wstring& name, const std::wstring& contents) {
        os.files.SetText(GetDataPath() + name, contents);
    }

    // Start-up's order: the runner and the dispatcher, then the monitor once the windows it draws
    // with exist.
    struct Windows {
        Windows(fake::FakePlatform& platform, std::function<void()> end)
            : os(platform), endProgram(std::move(end)) {}
        fake::FakePlatform& os;
        std::function<void()> endProgram;
        TGestureStore store;
        TTargetFocus target;
        TfrmDummyWatchForExplorerPopup watch;
        TFrmScratchPad scratchpad{os.desktop, os.input};
        TPaste sender;
        TActionRunner runner{{scratchpad, sender, target, watch, TKeystrokeConversions::Default()}};
        TFrmGestures gestures{store, runner};
        // The hook itself is the native part's: here the test hands the gate its events.
        std::vector<bool> hookCalls;
        std::set<std::wstring> noRight; // "noright.ini"
        TRightButtonGate gate{TRightButtonGate::OnPlatform(
            os.desktop, os.input,
            GateLeavesAlone(gestures,
                            [this](const std::wstring& exe) { return noRight.count(exe) > 0; }),
            [this](bool on) { hookCalls.push_back(on); }, [] {})};
        TFrmRatTrap ratTrap{os.desktop, os.input};
        TFrmMouseMonitor monitor{os.input,
                                 os.desktop,
                                 os.clock,
                                 {.target = target,
                                  .gestures = gestures,
                                  .gate = gate,
                                  .ratTrap = ratTrap,
                                  .scratchpad = scratchpad}};
        TFrmConfig config;
        TFrmGestureWizard wizard{nullptr,
                                 GestureWizardParts(monitor, [this](const std::wstring& h) {
                                     return editGestures.ListsGesture(h);
                                 })};
        TFrmGesturesEdit editGestures{
            store, nullptr, [this] {
                TGesturesEditParts parts =
                    GesturesEditParts({.wizard = wizard,
                                       .monitor = monitor,
                                       .showConfiguration = [this] { config.ShowPage(-1); },
                                       .showDebug = [] {},
                                       .endProgram = endProgram});
                // The scan as start-up runs it, handed over at once instead of from its thread.
                parts.startScan = [this] {
                    editGestures.ReportScanDone(TGatherINIData::Execute());
                };
                return parts;
            }()};
        TFrmDummyInstance instance;
        TGestureRoad Road() {
            return {gestures,
                    runner,
                    monitor,
                    scratchpad,
                    sender,
                    gate,
                    [this](int page) { config.ShowPage(page); }};
        }
    };
    // The tray's parts as start-up hands them over, with the configuration window of the road.
    TSysTrayParts TrayParts() {
        return SysTrayParts(windows->monitor,
                            {.showDebug = [] {},
                             .showConfiguration = [this] { windows->config.ShowPage(-1); },
                             .exitProgram = [this] { windows->editGestures.ExitProgram(); },
                             .showEditGestures = [this] { windows->editGestures.Show(); },
                             .showAbout = [] {}});
    }
    Windows& Start() {
        windows = std::make_unique<Windows>(os, [this] { ended = true; });
        WireGestureRoad(windows->Road());
        WireSettings(windows->Road(), windows->config);
        WireEditGestures(windows->editGestures, windows->scratchpad, {&windows->instance});
        windows->editGestures.CheckParts();
        windows->wizard.CheckParts();
        windows->config.FormCreate();
        os.clock.Advance(70); // the first poll
        return *windows;
    }

    // One poll per step, the button held, moving by (dx, dy) each time.
    void Hold(TPoint from, int dx, int dy, int steps) {
        os.input.cursor = from;
        os.input.Press(vk::RBUTTON);
        for (int i = 0; i <= steps; ++i) {
            os.clock.Advance(20);
            os.input.cursor = {os.input.cursor.x + dx, os.input.cursor.y + dy};
        }
    }
    void Release() {
        os.input.Release(vk::RBUTTON);
        os.clock.Advance(20);
    }
    std::vector<std::uint8_t> KeysSent() const {
        std::vector<std::uint8_t> keys;
        for (const auto& e : os.input.events)
            keys.push_back(e.vk);
        return keys;
    }

    fake::FakePlatform os;
    TTooltipRecord tip;
    HWindow notepad = 0, text = 0;
    std::unique_ptr<Windows> windows;
    bool ended = false;
};

// The notification area, which takes every icon.
struct AnyTray : ITrayIconView {
    bool AddIcon(int, const std::wstring&) override { return true; }
    bool ModifyIcon(int, const std::wstring&) override { return true; }
    void DeleteIcon() override {}
    void ShowMenuOwner(bool) override {}
};

TEST_F(GestureRoad, ScrollLockThroughTheTraySuspendsGesturesUntilItIsOff) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Start();
    AnyTray view;
    TfrmSysTrayMenu tray(view, 0, L"1.0", TrayParts());
    const auto gesture = [this] {
        os.input.events.clear();
        Hold({500, 300}, 12, 0, 12);
        Release();
        return KeysSent();
    };
    const auto scrollLock = [this] {
        os.input.Press(vk::SCROLL);
        os.input.Release(vk::SCROLL);
        os.clock.Advance(TfrmSysTrayMenu::kDisabledIntervalMs);
    };
    scrollLock();
    EXPECT_EQ(gesture(), std::vector<std::uint8_t>{});
    scrollLock();
    EXPECT_EQ(gesture(), (std::vector<std::uint8_t>{0x41, 0x41}));
}

TEST_F(GestureRoad, TheTraysTicksLeaveAProgramWithItsGesturesOffAlone) {
    Write(L"Gestures_notepad.exe.ini",
          L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n[Settings]\r\ncbDisableAll=1\r\n");
    Start();
    AnyTray view;
    TfrmSysTrayMenu tray(view, 0, L"1.0", TrayParts());
    for (int i = 0; i < 3; ++i) {
        os.input.events.clear();
        Hold({500, 300}, 12, 0, 12);
        os.clock.Advance(TfrmSysTrayMenu::kDisabledIntervalMs);
        Release();
        EXPECT_EQ(KeysSent(), std::vector<std::uint8_t>{}) << "gesture " << i;
    }
}

TEST_F(GestureRoad, TheTrayIsWiredWithEveryPartAndItsConfigureOpensTheWindow) {
    Start();
    AnyTray view;
    EXPECT_THROW(
        TfrmSysTrayMenu(view, 0, L"1.0", SysTrayParts(windows->monitor, {.showDebug = [] {}}))
            .CheckParts(),
        TUserError);
    TfrmSysTrayMenu tray(view, 0, L"1.0", TrayParts());
    EXPECT_NO_THROW(tray.CheckParts());

    os.desktop.pick = {L"&Configure ..."};
    tray.WMTrayIcon(traymsg::RBUTTONDOWN);
    EXPECT_TRUE(windows->config.Showing());
}

// The ways into the Edit Gestures window, and out of the program through it.
TEST_F(GestureRoad, EditGesturesOpensOnTheForegroundProgramAndExitSavesItsFile) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Start();
    AnyTray view;
    TfrmSysTrayMenu tray(view, 0, L"1.0", TrayParts());
    TFrmGesturesEdit& window = windows->editGestures;

    const std::vector<std::uint8_t> command =
        InstanceMessageBytes(InstanceCommand::INST_EDIT_GESTURES);
    windows->instance.GetDataMessage(command.data(), command.size());
    ASSERT_EQ(window.Tab(), kProgramTab);
    EXPECT_EQ(window.ShownFile(), L"Gestures_notepad.exe.ini");

    window.cbDisableAllClick(true);
    os.desktop.pick = {L"Exit Farrowglimmer"};
    tray.WMTrayIcon(traymsg::RBUTTONDOWN);
    EXPECT_TRUE(ended);
    EXPECT_EQ(os.files.Text(GetDataPath() + L"Gestures_notepad.exe.ini"),
              L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n[Settings]\r\ncbDisableAll=1\r\n");
}

TEST_F(GestureRoad, GesturesComeBackAsSoonAsTheWindowSavesTheDisableBoxUnchecked) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                       L"[Settings]\r\ncbDisableAll=1\r\n");
    Start();
    Hold({500, 300}, 12, 0, 12);
    Release();
    EXPECT_TRUE(KeysSent().empty());

    const std::vector<std::uint8_t> command =
        InstanceMessageBytes(InstanceCommand::INST_EDIT_GESTURES);
    windows->instance.GetDataMessage(command.data(), command.size());
    TFrmGesturesEdit& window = windows->editGestures;
    ASSERT_TRUE(window.DisableAllChecked());
    window.cbDisableAllClick(false);
    window.FormCloseQuery();
    // Still the same program in front: no change of window makes the monitor look again.
    Hold({500, 300}, 12, 0, 12);
    Release();
    EXPECT_EQ(KeysSent(), (std::vector<std::uint8_t>{0x41, 0x41}));
}

TEST_F(GestureRoad, TheWizardFollowsTheMonitorsDiagonalsAndRefusesWhatTheWindowLists) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Write(L"defaults.ini", L"[init]\r\ncbEnableDiagonals=1\r\n");
    Start();
    TFrmGestureWizard& wizard = windows->wizard;
    ASSERT_EQ(windows->editGestures.Parts().wizard, &wizard);
    EXPECT_TRUE(wizard.Parts().diagonalsEnabled());
    windows->monitor.prEnableDiagonals(false);
    EXPECT_FALSE(wizard.Parts().diagonalsEnabled());
    EXPECT_TRUE(wizard.Parts().gestureListed(L"up+right"));
    EXPECT_FALSE(wizard.Parts().gestureListed(L"UP"));
}

TEST_F(GestureRoad, AStrokeShowsItsArrowAndTheReleaseTypesTheBindingWithOneSnapshot) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Start();
    const int snapshots = os.system.snapshots;
    const int reads = os.files.profileReads;

    Hold({500, 300}, 12, 0, 12);
    // The arrow the program draws, beside the cursor, while the stroke is held.
    ASSERT_TRUE(tip.IsOpen());
    EXPECT_EQ(tip.picture.Width, kDirectionPictureWidth);
    EXPECT_EQ(tip.picture.Height, kDirectionPictureHeight);
    EXPECT_EQ(tip.picture.ops, DirectionPicture(TMouseDirection::mdRight).ops);

    Release();
    EXPECT_EQ(KeysSent(), (std::vector<std::uint8_t>{0x41, 0x41}));
    EXPECT_EQ(os.system.snapshots - snapshots, 1);
    // The program's file once, at the press (its flag, type and action): the gesture's start
    // and the release take it unchanged from that reading. The global file was read at creation
    // and is not read again.
    EXPECT_EQ(os.files.profileReads - reads, 3);
    EXPECT_EQ(os.desktop.focus, text);
}

TEST_F(GestureRoad, WhatTheReleaseDidToTheProgramIsUndoneAndTheTextGetsTheKeyboardBack) {
    // What the release does under Wine: the program under the press opens its context menu, or
    // after a press on its title bar leaves the foreground with nobody; either may leave the
    // keyboard with the frame.
    enum class After { ContextMenu, NoForeground };
    struct Case {
        const char* name;
        const wchar_t* file; // of notepad
        After after;
        std::vector<std::uint8_t> keys;
    };
    const wchar_t* bound = L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    const wchar_t* unbound = L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    const Case cases[] = {
        {"menu, bound", bound, After::ContextMenu, {0x41, 0x41}},
        {"menu, unbound", unbound, After::ContextMenu, {}},
        {"no foreground, bound", bound, After::NoForeground, {0x41, 0x41}},
        {"no foreground, unbound", unbound, After::NoForeground, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(L"Gestures_notepad.exe.ini", c.file);
        Start();
        os.input.events.clear();
        os.desktop.closed.clear();
        os.desktop.foreground = notepad;
        os.desktop.focus = text;
        Hold({500, 300}, 12, 0, 12);
        HWindow menu = 0;
        if (c.after == After::ContextMenu)
            menu = os.desktop.AddWindow(7, kNotepadPid, true, L"#32768");
        else
            os.desktop.foreground = 0;
        os.desktop.focus = notepad;
        Release();
        os.clock.Advance(TTargetFocus::kReleaseMenuBudgetMs);
        EXPECT_EQ(os.desktop.closed, menu ? std::vector<HWindow>{menu} : std::vector<HWindow>{});
        EXPECT_EQ(os.desktop.foreground, notepad);
        EXPECT_EQ(os.desktop.focus, text);
        EXPECT_EQ(KeysSent(), c.keys);
        windows.reset();
    }
}

// The gate switched on by the settings file, as start-up wires it: the hook goes in, the monitor
// draws a gesture from presses the system never saw, a plain click goes on to the program, and a
// program in "noright.ini" keeps its button.
TEST_F(GestureRoad, TheGateHoldsBackAGesturesButtonAndHandsOnAClick) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Write(L"defaults.ini", L"[init]\r\ncbHoldBackRightButton=1\r\nRightButtonHoldTime=700\r\n");
    test::LogMark mark;
    Windows& w = Start();
    EXPECT_EQ(w.hookCalls, std::vector<bool>{true});
    TRightButtonGate& gate = w.gate;
    std::uint32_t now = 0;
    // What the hook would hand the gate; the fake system never sees the held-back button.
    const auto event = [&](TGateEvent::Kind kind) {
        return gate.Decide({kind, os.input.cursor}, now += 20);
    };
    const auto gesture = [&](int dx, int steps) {
        os.input.events.clear();
        os.input.cursor = {500, 300};
        const bool keptBack = event(TGateEvent::RightDown);
        for (int i = 0; i <= steps; ++i) {
            os.clock.Advance(20);
            os.input.cursor.x += dx;
            event(TGateEvent::Move);
        }
        const bool upKeptBack = event(TGateEvent::RightUp);
        os.clock.Advance(20);
        return std::tuple{keptBack, upKeptBack, KeysSent(), gate.TakeReplays()};
    };

    EXPECT_EQ(gesture(12, 12), std::tuple(true, true, std::vector<std::uint8_t>{0x41, 0x41},
                                          std::vector<TGateReplay>{}));
    // A click: the monitor saw a press without strokes and sends nothing; the gate hands it on.
    EXPECT_EQ(gesture(0, 3),
              std::tuple(true, true, std::vector<std::uint8_t>{},
                         std::vector<TGateReplay>{{true, {500, 300}}, {false, {500, 300}}}));
    const auto logged = mark.Messages();
    EXPECT_NE(std::find(logged.begin(), logged.end(),
                        L"[Gate] holding back the right button while a gesture may be drawn"),
              logged.end());

    // Listed in "noright.ini": the next poll after the lists change leaves its button alone,
    // and the gesture still works as without the gate.
    w.noRight = {L"notepad.exe"};
    w.monitor.DisableFlagsChanged();
    os.clock.Advance(60);
    os.input.Press(vk::RBUTTON); // passed on, so the system has it
    const auto [keptBack, upKeptBack, keys, replays] = gesture(12, 12);
    os.input.Release(vk::RBUTTON);
    os.clock.Advance(60);
    EXPECT_FALSE(keptBack);
    EXPECT_FALSE(upKeptBack);
    EXPECT_TRUE(replays.empty());
    EXPECT_EQ(keys, (std::vector<std::uint8_t>{0x41, 0x41}));
    EXPECT_EQ(w.hookCalls, std::vector<bool>{true}) << "a press passed on is no lost hook";
}

TEST_F(GestureRoad, APlainRightClickKeepsItsMenu) {
    Start();
    os.input.cursor = {500, 300};
    os.input.Press(vk::RBUTTON);
    os.clock.Advance(20);
    const HWindow menu = os.desktop.AddWindow(7, kNotepadPid, true, L"#32768");
    Release();
    os.clock.Advance(TTargetFocus::kReleaseMenuBudgetMs);
    EXPECT_TRUE(os.desktop.closed.empty());
    EXPECT_TRUE(os.desktop.IsVisible(menu));
}

TEST_F(GestureRoad, TheSettingsFileReachesTheRealPartsAtStart) {
    Write(L"defaults.ini", L"[init]\r\ntbXPixel=150\r\ncbEnableDiagonals=1\r\n"
                           L"cbEnabledSuggestions=0\r\nExecutePause=7\r\ntbFadeTime=300\r\n"
                           L"rbFullscreen=0\r\nrbScratchpad=1\r\ntbDeltaBias=0.5\r\n"
                           L"cbPreciseCorners=1\r\n");
    Windows& w = Start();
    EXPECT_EQ(w.monitor.MovementSettings().XPixelThreshold, 150);
    EXPECT_EQ(w.monitor.MovementSettings().YPixelThreshold, 25);
    EXPECT_EQ(w.monitor.MovementSettings().deltaBias, 0.5f);
    EXPECT_TRUE(w.monitor.MovementSettings().EnableDiagonals);
    EXPECT_TRUE(w.monitor.EnableDiagonals);
    EXPECT_TRUE(w.monitor.MovementSettings().PreciseCorners);
    EXPECT_FALSE(w.monitor.EnableDrawing);
    EXPECT_EQ(w.monitor.helpPause, 800);
    EXPECT_FALSE(w.gestures.EnableSuggestions);
    EXPECT_EQ(w.runner.ExecutePause, 7);
    EXPECT_EQ(w.scratchpad.TimCloser.Interval(), 300u);
    EXPECT_TRUE(w.scratchpad.Visible());

    // The scratchpad's "?" opens the window on the "Help Popup" page.
    w.scratchpad.btnHelpClick();
    EXPECT_TRUE(w.config.Showing());
    EXPECT_EQ(w.config.Page(), cpHelpPopup);
}

TEST_F(GestureRoad, TheHelpPauseListsThePickRunsAndTheReleaseSendsNothingUnlessNothingWasListed) {
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                       L"[31]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    struct Case {
        int dx; // of the held stroke
        const wchar_t* pick;
        std::vector<std::uint8_t> keys;
        const wchar_t* sent; // the monitor's log line of the release, or null
    };
    const Case cases[] = {
        {12, L"RIGHT\tA", {0x41, 0x41}, nullptr},
        {12, L"Close", {}, nullptr},
        {-12, L"", {}, L"[FMMonitor] Sending GESTURE=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dx);
        Start();
        os.input.events.clear();
        os.desktop.pick = {c.pick};
        test::LogMark mark;
        Hold({500, 300}, c.dx, 0, 12);
        ASSERT_TRUE(windows->ratTrap.Visible());
        // The hand rests, then lets go while the help is up; the trail has made way for it.
        bool trailUnderHelp = true;
        TTimer letGo(1000, true, [&] {
            trailUnderHelp = windows->ratTrap.Visible();
            os.input.Release(vk::RBUTTON);
        });
        os.clock.Advance(1500);
        EXPECT_FALSE(trailUnderHelp);
        EXPECT_EQ(os.desktop.popups.size(), c.dx > 0 ? 1u : 0u);
        EXPECT_EQ(KeysSent(), c.keys);
        const auto lines = mark.Messages();
        const bool sent = std::any_of(lines.begin(), lines.end(), [](const std::wstring& l) {
            return l.starts_with(L"[FMMonitor] Sending GESTURE=");
        });
        EXPECT_EQ(sent, c.sent != nullptr);
        if (c.sent) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), c.sent), lines.end());
        }
        os.desktop.popups.clear();
        windows.reset();
    }
}

TEST_F(GestureRoad, WithDiagonalsOnAnUnboundGestureIsOfferedItsNeighbour) {
    Write(L"defaults.ini", L"[init]\r\ncbEnableDiagonals=1\r\n");
    Write(L"Gestures_notepad.exe.ini", L"[1]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Windows& w = Start();
    os.desktop.pick = {L"DOWN\t   (A)"};
    bool arrowBesideMenu = true;
    os.desktop.whilePoppedUp = [&] { arrowBesideMenu = tip.IsOpen(); };
    // Down from the top edge: "A1", which with diagonals on has no fallback to "1".
    Hold({500, 10}, 0, 12, 14);
    Release();
    ASSERT_EQ(os.desktop.popups.size(), 1u);
    EXPECT_EQ(os.desktop.popups[0].captions[1], L"([TOP]+DOWN)  not found ");
    EXPECT_EQ(KeysSent(), (std::vector<std::uint8_t>{0x41, 0x41}));
    EXPECT_TRUE(w.monitor.timMouse.Enabled()) << "polling is back after the menu";
    EXPECT_FALSE(arrowBesideMenu);
}

// "LogHandles" in the settings: the count after every gesture, or nothing at all.
TEST_F(GestureRoad, LogHandlesAddsTheCountAfterEachGestureWhenItIsOn) {
    SetLogSink(&AppendLog);
    SetHandlesReport([] { return std::wstring(L"Handles: GDI 1 (system 0), USER 2 (system 0)"); });
    Write(L"Gestures_notepad.exe.ini", L"[3]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        Write(L"defaults.ini", on ? L"[init]\r\nLogHandles=1\r\n" : L"[init]\r\n");
        Start();
        test::LogMark mark;
        for (const int dx : {12, -12}) { // bound, then unbound
            Hold({500, 300}, dx, 0, 12);
            Release();
        }
        const auto lines = mark.Messages();
        const auto counts =
            std::count(lines.begin(), lines.end(), L"Handles: GDI 1 (system 0), USER 2 (system 0)");
        EXPECT_EQ(counts, on ? 2 : 0);
        windows.reset();
    }
    EnableHandlesLog(false);
    SetHandlesReport({});
    SetLogSink(nullptr);
}

TEST_F(GestureRoad, AMissingPartStopsTheStartNamingIt) {
    Windows unwired(os, [] {});
    EXPECT_THROW(GateLeavesAlone(unwired.gestures, nullptr), TUserError);
    try {
        unwired.gestures.CheckParts();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"The dispatcher is missing its monitor configuration");
    }
}

} // namespace
} // namespace fg
