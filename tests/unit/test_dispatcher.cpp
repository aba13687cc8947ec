// The dispatcher: which binding a finished gesture finds, what running it does, the confirmation,
// the pauses on virtual time, and the per-program switch.
#include "DispatchFakes.h"
#include "GestureFakes.h"
#include "LogLines.h"
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Errors.h"
#include "ui/UnitFrameProgramEdit.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "unit/SettingDefaults.h"
#include "vocabulary/IDrawingPad.h"

#include <gtest/gtest.h>

#include <memory>

namespace fg {
namespace {

using test::RecordingScratchpad;
using test::RecordingSender;
using test::RecordingTooltip;
using test::RecordingWatch;

class Dispatcher : public TFrmGestures {
  public:
    using TFrmGestures::TFrmGestures;
    TSuggestionOutcome OfferSuggestions(const std::wstring& g, const std::wstring& h) override {
        asked.push_back(g + L" / " + h);
        return outcome;
    }
    std::vector<std::wstring> asked;
    TSuggestionOutcome outcome = TSuggestionOutcome::soNothing;
};

class Dispatch : public ::testing::Test {
  protected:
    Dispatch() {
        platform.system.processes = {{100, L"notepad.exe"}, {200, L"other.exe"}};
        other = platform.desktop.AddWindow(20, 200);
        notepad = platform.desktop.AddWindow(10, 100);
        platform.desktop.foreground = notepad;
        platform.system.environment = {{L"WINDIR", L"C:\\Windows"},
                                       {L"ProgramFiles", L"C:\\Program Files"}};
        platform.input.cursor = {500, 300};
        // The programs the bindings start; a start of any other fails as on Windows.
        for (const wchar_t* program : {L"C:\\Tools\\x.exe", L"C:\\Program Files\\x.exe",
                                       L"C:\\Program Files\\My Tools\\tool.exe"})
            platform.files.files[program] = {};
    }
    void Write(const std::wstring& name, const std::wstring& text) {
        platform.files.SetText(GetDataPath() + name, text);
    }
    // Made after the global file is in place: it is read once, at creation.
    Dispatcher& Make() {
        TGesturesParts parts;
        parts.tooltip = &tooltip;
        store = std::make_unique<TGestureStore>();
        dispatcher = std::make_unique<Dispatcher>(*store, runner, parts);
        test::UseDefaultSettings(*dispatcher, runner);
        platform.clock.Advance(500); // the close timer runs once from creation
        tooltip.closes.clear();
        return *dispatcher;
    }
    std::uint32_t Elapsed(std::uint32_t since) const { return platform.clock.now - since; }

    fake::FakePlatform platform;
    HWindow other = 0, notepad = 0;
    RecordingTooltip tooltip;
    RecordingSender sender{platform.clock};
    RecordingScratchpad pad;
    TTargetFocus target;
    RecordingWatch watch;
    TActionRunner runner{{pad, sender, target, watch, TKeystrokeConversions::Default()}};
    std::unique_ptr<TGestureStore> store;
    std::unique_ptr<Dispatcher> dispatcher;
};

TEST_F(Dispatch, TheProgramsOwnBindingBeatsTheGlobalOne) {
    Write(L"Gestures.ini",
          L"[03]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\x.exe|-q\r\n"
          L"[1]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    // "1" is bound here without an action text: the global action of "1" runs.
    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                       L"[1]\r\nActionType=Run Program / File\r\n");
    Dispatcher& d = Make();
    const std::uint32_t t0 = platform.clock.now;

    test::LogMark mark;
    EXPECT_TRUE(d.ReportGestures(L"03", false));
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[FGest] Reported gesture/foreground = UP+RIGHT | "
                                         L"Gestures_notepad.exe.ini",
                                         L"[FGest] Gesture Found =-1"}));
    EXPECT_TRUE(d.ReportGestures(L"1", false));
    EXPECT_EQ(sender.sent, (std::vector<std::wstring>{L"CTRL+W@" + std::to_wstring(t0 + 100),
                                                      L"B@" + std::to_wstring(t0 + 240)}));
    EXPECT_TRUE(platform.system.started.empty());

    platform.desktop.foreground = other;
    EXPECT_TRUE(d.ReportGestures(L"03", false));
    EXPECT_EQ(platform.system.started,
              (std::vector<fake::FakeSystem::Started>{{L"C:\\Tools\\x.exe -q", 32 | 512, false}}));
    EXPECT_EQ(store->LoadGestures(L"Gestures_other.exe.ini", true)->Bindings().size(), 0u);
}

TEST_F(Dispatch, AContextMenuTheReleaseOpenedInTheTargetIsClosedFirst) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    platform.system.processes.push_back({300, L"Farrowglimmer.exe"});
    Dispatcher& d = Make();
    // Our own menu (a pop-up of the program) is never touched.
    const HWindow ours = platform.desktop.AddWindow(30, 300, true, L"#32768");
    EXPECT_TRUE(d.ReportGestures(L"03", false));
    EXPECT_TRUE(platform.desktop.closed.empty());
    platform.desktop.Find(ours)->visible = false; // the system keeps hidden menus for reuse

    // The target's menu is closed, and the target gets the foreground back before the keys.
    const HWindow menu = platform.desktop.AddWindow(10, 100, true, L"#32768");
    platform.desktop.foreground = 0;
    test::LogMark mark;
    EXPECT_TRUE(d.ReportGestures(L"03", false));
    EXPECT_EQ(platform.desktop.closed, std::vector<HWindow>{menu});
    EXPECT_EQ(platform.desktop.foreground, notepad);
    EXPECT_EQ(mark.Messages()[0], L"[FGest] Closing the context menu of the target program");
}

TEST_F(Dispatch, TheConfirmationKeepsItsDistanceFromTheCursorAtEveryScale) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041\r\n");
    platform.desktop.monitorDpi = {144};
    Make().ReportGestures(L"03", false);
    EXPECT_EQ(tooltip.at, (TPoint{517, 300})); // 11 pixels at 96 DPI are 16.5 at 144
}

TEST_F(Dispatch, ConfirmsWhatWasDrawnAndFallsBackFromAMonitorEdge) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                           L"[01]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                           L"[0]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Dispatcher& d = Make();
    // Shown after the execute pause, closed with fading half a second later.
    d.ReportGestures(L"01", false);
    EXPECT_EQ(tooltip.at, (TPoint{511, 300}));
    EXPECT_TRUE(d.timCloseTooltip.Enabled());
    platform.clock.Advance(459);
    EXPECT_TRUE(tooltip.closes.empty());
    platform.clock.Advance(1);
    EXPECT_EQ(tooltip.closes, std::vector<bool>{true});
    EXPECT_FALSE(d.timCloseTooltip.Enabled());

    struct Case {
        const wchar_t* gesture;
        bool found;
        std::vector<std::wstring> found_lines;
        const wchar_t* tooltip; // null: none
    };
    const Case cases[] = {
        {L"A03",
         true,
         {L"[FGest] Gesture Found =0", L"[FGest] No Position Gesture Found =-1"},
         L"    [TOP]+UP+RIGHT  "},
        {L"01", true, {L"[FGest] Gesture Found =-1"}, L"    UP+DOWN     "},
        {L"0", true, {L"[FGest] Gesture Found =-1"}, L"    UP          "},
        {L"B2",
         false,
         {L"[FGest] Gesture Found =0", L"[FGest] No Position Gesture Found =0"},
         nullptr},
        {L"2", false, {L"[FGest] Gesture Found =0"}, nullptr},
    };
    for (const Case& c : cases) {
        tooltip.shown.clear();
        test::LogMark mark;
        EXPECT_EQ(d.ReportGestures(c.gesture, false), c.found) << c.gesture;
        std::vector<std::wstring> lines = mark.Messages();
        ASSERT_FALSE(lines.empty());
        lines.erase(lines.begin());
        EXPECT_EQ(lines, c.found_lines) << c.gesture;
        EXPECT_EQ(tooltip.shown,
                  c.tooltip ? std::vector<std::wstring>{c.tooltip} : std::vector<std::wstring>{})
            << c.gesture;
    }
}

TEST_F(Dispatch, DiagonalModeLooksUpOnlyWhatWasDrawnAndOffersSuggestions) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Dispatcher& d = Make();
    std::uint32_t t0 = platform.clock.now;
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"03"));
    EXPECT_EQ(sender.sent, std::vector<std::wstring>{L"A@" + std::to_wstring(t0 + 100)});
    EXPECT_EQ(tooltip.shown, std::vector<std::wstring>{L"UP+RIGHT  "});
    EXPECT_EQ(Elapsed(t0), 160u);
    EXPECT_EQ(pad.focusHandedBack, 1); // once, before the lookup
    EXPECT_EQ(watch.started, 1);
    EXPECT_EQ(pad.shown, std::vector<bool>{true});

    struct Case {
        bool suggestions;
        TSuggestionOutcome outcome;
        bool result;
        std::uint32_t slept;
        std::size_t asked;
    };
    using SO = TSuggestionOutcome;
    const Case cases[] = {
        {false, SO::soMenuShown, false, 50, 0},
        {true, SO::soNothing, false, 50, 1},
        {true, SO::soMenuShown, true, 50, 1},
        {true, SO::soRanNearMatch, true, 0, 1},
    };
    for (const Case& c : cases) {
        d.prEnableSuggestions(c.suggestions);
        d.outcome = c.outcome;
        d.asked.clear();
        t0 = platform.clock.now;
        EXPECT_EQ(d.ReportGesturesDiagonal(L"A03"), c.result);
        EXPECT_EQ(Elapsed(t0), c.slept);
        EXPECT_EQ(d.asked.size(), c.asked);
        if (c.asked) {
            EXPECT_EQ(d.asked[0], L"A03 / [TOP]+UP+RIGHT");
        }
    }
    EXPECT_EQ(sender.sent.size(), 1u) << "no edge fallback with diagonals on";
    EXPECT_EQ(pad.shown.size(), 4u) << "left as it is when a near match ran";
}

TEST_F(Dispatch, ADisabledProgramRunsGesturesOnlyFromAMenu) {
    Write(
        L"Gestures_notepad.exe.ini",
        L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n[Settings]\r\ncbDisableAll=1\r\n");
    Dispatcher& d = Make();
    EXPECT_FALSE(d.ReportGestures(L"03", false));
    EXPECT_EQ(tooltip.shown, std::vector<std::wstring>{L"    Disabled    "});
    EXPECT_TRUE(sender.sent.empty());

    const std::uint32_t t0 = platform.clock.now;
    d.GestMenuClick(L"03");
    EXPECT_EQ(sender.sent, std::vector<std::wstring>{L"CTRL+W@" + std::to_wstring(t0 + 200)});
    EXPECT_EQ(Elapsed(t0), 240u);
    EXPECT_EQ(tooltip.shown.size(), 1u);
    EXPECT_TRUE(d.ReportGesturesDiagonal(L"03")) << "the monitor asks before diagonals report";

    EXPECT_TRUE(d.ProgramIsDisabled());
    platform.desktop.foreground = other;
    EXPECT_FALSE(d.ProgramIsDisabled());
    platform.desktop.foreground = platform.desktop.AddWindow(30, 300); // no process entry
    test::LogMark mark;
    EXPECT_FALSE(d.ProgramIsDisabled());
    EXPECT_EQ(mark.Messages(), std::vector<std::wstring>{L"[FGest] NO EXENAME ERROR"});
}

TEST_F(Dispatch, TheExecutePauseComesOnceBeforeAllKeystrokes) {
    Write(L"Gestures.ini",
          L"[12]\r\nActionType=Multiple Keystrokes\r\nAction=000041A|000042B|000043C\r\n");
    Dispatcher& d = Make();
    for (const int pause : {100, 0, -5}) {
        sender.sent.clear();
        runner.ExecutePause = pause;
        const std::uint32_t t0 = platform.clock.now;
        const std::wstring at =
            std::to_wstring(t0 + static_cast<std::uint32_t>(std::max(pause, 0)));
        EXPECT_TRUE(d.ReportGestures(L"12", false));
        EXPECT_EQ(sender.sent, (std::vector<std::wstring>{L"A@" + at, L"B@" + at, L"C@" + at}))
            << pause;
        EXPECT_EQ(Elapsed(t0), static_cast<std::uint32_t>(std::max(pause, 0)) + 40) << pause;
    }
}

TEST_F(Dispatch, ProgramActionsStartAProcessOrGoToTheShell) {
    Dispatcher& d = Make();
    struct Case {
        const wchar_t* action;
        const wchar_t* commandLine; // null: handed to the shell instead
        const wchar_t* opened;
    };
    const Case cases[] = {
        {L"C:\\Tools\\x.exe|-q", L"C:\\Tools\\x.exe -q", nullptr},
        {L"%WINDIR%\\notepad.exe|", nullptr, L"C:\\Windows\\notepad.exe"},
        {L"C:\\Program Files\\x.exe|-q", L"\"C:\\Program Files\\x.exe\" -q", nullptr},
        {L"\"C:\\Program Files\\x.exe\"|-q", L"\"C:\\Program Files\\x.exe\" -q", nullptr},
        {L"%ProgramFiles%\\x.exe|a|b", L"\"C:\\Program Files\\x.exe\" a", nullptr},
        {L"C:\\Program Files\\x.exe|", nullptr, L"C:\\Program Files\\x.exe"},
        {L"C:\\Docs", nullptr, L"C:\\Docs"},
        // Brackets in a path are no commands: nothing is typed.
        {L"C:\\Docs[TAB]x|", nullptr, L"C:\\Docs[TAB]x"},
    };
    for (const Case& c : cases) {
        Write(L"Gestures_notepad.exe.ini",
              std::wstring(L"[3]\r\nActionType=Run Program / File\r\nAction=") + c.action +
                  L"\r\n");
        platform.system.started.clear();
        platform.system.shellOpened.clear();
        sender.sent.clear();
        EXPECT_TRUE(d.ReportGestures(L"3", false));
        using Started = std::vector<fake::FakeSystem::Started>;
        const Started expected = c.commandLine ? Started{{c.commandLine, 544, false}} : Started{};
        EXPECT_EQ(platform.system.started, expected) << c.action;
        EXPECT_EQ(platform.system.shellOpened,
                  c.opened ? std::vector<std::wstring>{c.opened} : std::vector<std::wstring>{})
            << c.action;
        EXPECT_TRUE(sender.sent.empty()) << c.action;
    }
    platform.system.startError = 2;
    EXPECT_TRUE(d.ReportGestures(L"3", false)) << "a program that does not start still counts";
}

// The launcher's side of a program that is missing: whatever sits at a blank of its path stays
// where it is (the shell's side, for actions without parameters, is ShellRun's).
TEST_F(Dispatch, AMissingProgramWithParametersStartsNothingPlantedAtABlank) {
    for (const wchar_t* plant : {L"C:\\Program.exe", L"C:\\Program Files\\Some.exe"})
        platform.files.files[plant] = {};
    Dispatcher& d = Make();
    for (const wchar_t* path :
         {L"C:\\Program Files\\Some App\\app.exe", L"%ProgramFiles%\\Some App\\app.exe"}) {
        Write(L"Gestures_notepad.exe.ini",
              std::wstring(L"[3]\r\nActionType=Run Program / File\r\nAction=") + path + L"|-q\r\n");
        EXPECT_TRUE(d.ReportGestures(L"3", false));
        EXPECT_TRUE(platform.system.ran.empty()) << path << " started " << platform.system.ran[0];
    }
}

TEST_F(Dispatch, AProgramEditedWithBlanksAndParametersIsStoredAsEnteredAndStartsQuoted) {
    const std::wstring action = L"C:\\Program Files\\My Tools\\tool.exe|\"a b.txt\" -q";
    const std::wstring file = L"Gestures_notepad.exe.ini";
    Dispatcher& d = Make();
    TFrameProgramEdit editor;
    editor.SetProgram(action);
    std::wstring prog, param;
    editor.GetProgram(prog, param);
    EXPECT_EQ(prog, L"C:\\Program Files\\My Tools\\tool.exe");
    EXPECT_EQ(param, L"\"a b.txt\" -q");
    TGestureFile edited = *store->LoadGestures(file, true);
    edited.Set({L"3", ActionTypeToText(TActionType::atProgram), prog + L"|" + param});
    store->SaveGestures(file, edited);

    TGestureStore reread;
    EXPECT_EQ(reread.LoadGestures(file, true)->FindGesture(L"3")->action, action);
    TFrameProgramEdit again;
    again.SetProgram(reread.LoadGestures(file, true)->FindGesture(L"3")->action);
    std::wstring prog2, param2;
    again.GetProgram(prog2, param2);
    EXPECT_EQ(prog2 + L"|" + param2, action);

    EXPECT_TRUE(d.ReportGestures(L"3", false));
    using Started = std::vector<fake::FakeSystem::Started>;
    EXPECT_EQ(platform.system.started,
              (Started{{L"\"C:\\Program Files\\My Tools\\tool.exe\" \"a b.txt\" -q", 544, false}}));
}

TEST_F(Dispatch, CallerErrorsAndMalformedKeystrokesEndTheReport) {
    Write(L"Gestures.ini", L"[1]\r\nActionType=Macro\r\nAction=010057CTRL+W\r\n");
    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nAction=010057CTRL+W\r\n"
                                       L"[2]\r\nActionType=Keystroke\r\nAction=0100G7\r\n");
    Dispatcher& d = Make();
    const auto message = [&](const std::wstring& g) -> std::wstring {
        try {
            d.ReportGestures(g, false);
        } catch (const TUserError& e) {
            return e.Message();
        }
        return L"(no error)";
    };
    test::LogMark mark;
    EXPECT_EQ(message(L""), L"ReportGestures: empty input");
    EXPECT_TRUE(mark.Messages().empty());
    EXPECT_EQ(message(L"03"), L"RunGesture found a gesture with no action");
    // Kept as stored when the file loaded; running it is where it fails.
    EXPECT_EQ(message(L"2"), L"'G7' is not a valid hexadecimal value in the keystroke \"0100G7\"");
    EXPECT_TRUE(d.ReportGestures(L"1", false)) << "an unknown type is found and runs nothing";
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(Dispatch, TheMouseChordsWriteAndDeleteTheProgramsFile) {
    Dispatcher& d = Make();
    const std::wstring path = GetDataPath() + L"Gestures_notepad.exe.ini";
    test::LogMark mark;
    d.ReportDisableGestures();
    EXPECT_EQ(platform.files.Text(path), L"[Settings]\r\ncbDisableAll=1\r\n");
    EXPECT_TRUE(d.ProgramIsDisabled());
    d.ReportEnableGestures();
    EXPECT_FALSE(platform.files.Exists(path));
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[FGest] DISABLE for Gestures_notepad.exe.ini",
                                         L"[FGest] ENABLE for Gestures_notepad.exe.ini"}));

    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                       L"[Settings]\r\ncbDisableAll=1\r\n");
    d.ReportEnableGestures();
    EXPECT_EQ(platform.files.Text(path), L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                         L"[Settings]\r\ncbDisableAll=0\r\n");
}

// Where write times are coarse, the chords rewrite the file within the same stamp: the flag was
// written 0 and 1 with the same size. What the program saved must still be what it dispatches by.
TEST_F(Dispatch, AChordIsHonouredAtOnceWhereWriteTimesAreCoarse) {
    platform.files.coarseStamps = true;
    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                       L"[Settings]\r\ncbDisableAll=0\r\n");
    Dispatcher& d = Make();
    for (const bool disabled : {false, true, false, true, false}) {
        if (disabled)
            d.ReportDisableGestures();
        else
            d.ReportEnableGestures();
        sender.sent.clear();
        tooltip.shown.clear();
        EXPECT_EQ(d.ProgramIsDisabled(), disabled);
        EXPECT_EQ(d.ReportGestures(L"03", false), !disabled) << "disabled " << disabled;
        EXPECT_EQ(sender.sent.size(), disabled ? 0u : 1u) << "disabled " << disabled;
        EXPECT_EQ(tooltip.shown.at(0) == L"    Disabled    ", disabled) << "disabled " << disabled;
    }
}

} // namespace
} // namespace fg
