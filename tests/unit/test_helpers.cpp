#include "app/UnitFocusManager.h"
#include "app/UnitMisc.h"
#include "app/UnitSpecialPaths.h"
#include "app/UnitTWideChar.h"
#include "app/UnitThreadAttach.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace fg {
namespace {

constexpr std::uint32_t kOwnPid = 7, kOtherPid = 9, kEditorThread = 20;

class HelpersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.system.processes = {{kOwnPid, L"Farrowglimmer.exe"}, {kOtherPid, L"notepad.exe"}};
    }
    fake::FakePlatform platform;
    fake::FakeDesktop& desktop = platform.desktop;
};

TEST_F(HelpersTest, ForegroundIsAskedSixTimesOver80MsAtMost) {
    desktop.foregroundNullAsks = -1;
    EXPECT_EQ(GetForegroundHandle(), 0u);
    EXPECT_EQ(desktop.foregroundAsks, 6);
    EXPECT_EQ(platform.clock.slept, 80u);

    const HWindow w = desktop.AddWindow(kEditorThread, kOtherPid);
    desktop.foreground = w;
    desktop.foregroundNullAsks = 2;
    desktop.foregroundAsks = 0;
    platform.clock.slept = 0;
    EXPECT_EQ(GetForegroundHandle(), w);
    EXPECT_EQ(desktop.foregroundAsks, 3);
    EXPECT_EQ(platform.clock.slept, 40u); // the ask that found it still sleeps
}

TEST_F(HelpersTest, NextVisibleWindowSkipsHiddenOnesAndEndsAtTheBottom) {
    const HWindow bottom = desktop.AddWindow(kEditorThread, kOtherPid);
    desktop.AddWindow(kEditorThread, kOtherPid, /*visible=*/false);
    const HWindow top = desktop.AddWindow(kEditorThread, kOtherPid);
    desktop.foreground = top;
    EXPECT_EQ(GetNextVisibleWindow(0), bottom);
    EXPECT_EQ(GetNextVisibleWindow(top), bottom);
    EXPECT_EQ(GetNextVisibleWindow(bottom), 0u);
    desktop.foreground = 0;
    EXPECT_EQ(GetNextVisibleWindow(0), 0u);
}

TEST_F(HelpersTest, ExecutableNameAnswers) {
    const HWindow editor = desktop.AddWindow(kEditorThread, kOtherPid);
    const HWindow orphan = desktop.AddWindow(kEditorThread, 12345);
    EXPECT_EQ(GetWindowEXEName(editor), L"notepad.exe");
    EXPECT_EQ(GetWindowEXEName(orphan), L"");
    EXPECT_EQ(GetWindowEXEName(0), L"");
    EXPECT_EQ(platform.system.snapshots, 2); // none for window 0
    platform.system.snapshotFails = true;
    EXPECT_EQ(GetWindowEXEName(editor), L"[error]");
}

TEST_F(HelpersTest, FocusNextWindowSkipsUpToThreeOwnWindows) {
    desktop.AddWindow(kEditorThread, kOtherPid);
    const HWindow fourthOwn = desktop.AddWindow(1, kOwnPid);
    for (int i = 0; i < 3; ++i) desktop.AddWindow(1, kOwnPid);
    desktop.foreground = desktop.zorder[0].handle;
    FocusNextWindow();
    EXPECT_EQ(desktop.foreground, fourthOwn);
}

TEST_F(HelpersTest, FocusNextWindowGivesTheForegroundAway) {
    const HWindow editor = desktop.AddWindow(kEditorThread, kOtherPid);
    desktop.AddWindow(1, kOwnPid);
    desktop.foreground = desktop.zorder[0].handle;
    FocusNextWindow();
    EXPECT_EQ(desktop.foreground, editor);
    EXPECT_TRUE(desktop.attached.empty()); // detached again
}

TEST_F(HelpersTest, AttachingToOwnThreadCallsNothing) {
    const HWindow own = desktop.AddWindow(desktop.ownThread, kOwnPid);
    EXPECT_TRUE(AttachToWindowThread(own));
    DetachFromWindowThread();
    EXPECT_TRUE(desktop.attachCalls.empty());

    const HWindow other = desktop.AddWindow(kEditorThread, kOtherPid);
    EXPECT_TRUE(AttachToWindowThread(other));
    EXPECT_EQ(desktop.attached.size(), 1u);
    DetachFromWindowThread();
    EXPECT_TRUE(desktop.attached.empty());

    TThreadAttach attach(own);
    EXPECT_TRUE(attach.IsAttached());
    EXPECT_EQ(desktop.attachCalls.size(), 2u);
}

TEST_F(HelpersTest, WaitProcessingMessagesPumpsUntilTheTimeIsUp) {
    WaitProcessingMessages(0);
    WaitProcessingMessages(-5);
    EXPECT_EQ(desktop.pumps, 0);
    WaitProcessingMessages(120);
    EXPECT_EQ(desktop.pumps, 3);
    desktop.terminating = true;
    WaitProcessingMessages(1000);
    EXPECT_EQ(desktop.pumps, 4);
}

TEST_F(HelpersTest, ForceForeground) {
    const HWindow editor = desktop.AddWindow(kEditorThread, kOtherPid);
    const HWindow own = desktop.AddWindow(desktop.ownThread, kOwnPid);
    desktop.foreground = own;
    EXPECT_TRUE(TFocusManager::ForceForeground(own)); // already in front: no attach
    EXPECT_TRUE(desktop.attachCalls.empty());

    desktop.Find(editor)->minimized = true;
    EXPECT_TRUE(TFocusManager::ForceForeground(editor));
    EXPECT_FALSE(desktop.Find(editor)->minimized);
    EXPECT_TRUE(desktop.lockTimeoutWrites.empty()); // the first try sufficed

    // Nobody in front (a menu just closed): no waiting for one to appear.
    desktop.foreground = 0;
    const std::uint32_t slept = platform.clock.slept;
    EXPECT_TRUE(TFocusManager::ForceForeground(editor));
    EXPECT_EQ(platform.clock.slept, slept);

    // A foreground lock that even the joined input cannot pass: the lock goes off for a moment.
    desktop.foreground = editor;
    desktop.foregroundLocked = true;
    desktop.attachFails = true;
    EXPECT_TRUE(TFocusManager::ForceForeground(own));
    EXPECT_EQ(desktop.lockTimeoutWrites, (std::vector<std::uint32_t>{0, 200000}));
}

TEST_F(HelpersTest, PopupMenuAtButtonOpensAtItsTopRightCornerAndRunsThePick) {
    const HWindow button = desktop.AddWindow(kEditorThread, kOwnPid);
    desktop.Find(button)->rect = {300, 200, 380, 225};
    std::wstring clicked;
    const TPopupMenu menu{
        {.caption = L"Shapes", .children = {{.caption = L"Up", .onClick = [&] { clicked = L"Up"; }}}},
        {.caption = L"-"},
        {.caption = L"Off", .enabled = false, .onClick = [&] { clicked = L"Off"; }},
    };
    desktop.pick = {L"Shapes", L"Up"};
    PopupMenuAtButton(button, menu);
    ASSERT_EQ(desktop.popups.size(), 1u);
    EXPECT_EQ(desktop.popups[0].at, (TPoint{380, 200}));
    EXPECT_EQ(desktop.popups[0].owner, button);
    EXPECT_EQ(clicked, L"Up");

    clicked.clear();
    desktop.pick = {L"Off"}; // a disabled entry cannot be picked
    PopupMenuAtButton(button, menu);
    EXPECT_EQ(clicked, L"");
}

TEST_F(HelpersTest, ExpandEnvVars) {
    platform.system.environment[L"HOME"] = L"C:\\Users\\me";
    EXPECT_EQ(ExpandEnvVars(L"no references"), L"no references");
    EXPECT_EQ(ExpandEnvVars(L"%HOME%\\x"), L"C:\\Users\\me\\x");
}

TEST_F(HelpersTest, ProfilesFolderIsCutBeforeAllUsers) {
    TSpecialPaths paths;
    EXPECT_EQ(paths.GetProfiles(), L"");
    platform.system.specialFolders[7] = L"C:\\Users\\me\\Startup";
    EXPECT_EQ(paths.GetCommonStartupPath(), L"C:\\Users\\me\\Startup"); // falls back
    EXPECT_EQ(paths.GetProfiles(), L"");
    platform.system.specialFolders[24] = L"C:\\Documents and Settings\\All Users\\Startup";
    EXPECT_EQ(paths.GetProfiles(), L"C:\\Documents and Settings\\");
}

TEST(WideChar, BufferOperations) {
    fake::FakePlatform platform;
    platform.system.globalMemory[0x40] = L"held";
    TWideChar w;
    EXPECT_EQ(w.Memory(), nullptr);
    w.AppendUnicode(L"ab");
    w.Append(std::string("c\xe9"));
    w.Append(L'!');
    w.Append(0x40, 10);
    w.Append(0x40, 0); // a zero size reads nothing
    EXPECT_EQ(w.str, L"abc\u00e9!held");
    EXPECT_EQ(w.size(), 18);
    EXPECT_EQ(w.GetChar(1), L'a');
    EXPECT_EQ(w.GetChar(99), 0);

    struct Case {
        const char* name;
        void (*op)(TWideChar&);
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"LeftStr beyond the text", [](TWideChar& x) { x.LeftStr(50); }, L"a-b-c"},
        {"LeftStr", [](TWideChar& x) { x.LeftStr(2); }, L"a-"},
        {"RightStr", [](TWideChar& x) { x.RightStr(3); }, L"b-c"},
        {"TrimLeft beyond the text", [](TWideChar& x) { x.TrimLeft(50); }, L""},
        {"TrimLeft", [](TWideChar& x) { x.TrimLeft(2); }, L"b-c"},
        {"TrimRight", [](TWideChar& x) { x.TrimRight(4); }, L"a"},
        {"Replace with zero removes", [](TWideChar& x) { x.Replace(L'-', L'\0', false); }, L"abc"},
        {"Replace a character", [](TWideChar& x) { x.Replace(L'-', L'+', true); }, L"a+b+c"},
        {"Replace a text", [](TWideChar& x) { x.Replace(L"-b", L"BB", false); }, L"aBB-c"},
    };
    for (const Case& c : cases) {
        TWideChar x;
        x.AppendUnicode(L"a-b-c");
        c.op(x);
        EXPECT_EQ(x.str, c.expected) << c.name;
    }
}

} // namespace
} // namespace fg

namespace fg {
namespace {

// The fake's profile files must answer like the system's routines, or tests above it lie.
TEST(FakeProfiles, BehaveLikeTheSystemRoutines) {
    fake::FakePlatform platform;
    IFileSystem& files = platform.files;
    const std::wstring ini = L"C:\\Tools\\x.ini";
    EXPECT_EQ(files.ProfileRead(ini, L"s", L"k", L"def"), L"def");
    files.ProfileWrite(ini, L"Settings", L"Disabled", L"1");
    files.ProfileWrite(ini, L"91", L"Action", L" spaced ");
    files.ProfileWrite(ini, L"settings", L"DISABLED", L"0");
    EXPECT_EQ(platform.files.Text(ini), L"[Settings]\r\nDisabled=0\r\n[91]\r\nAction= spaced \r\n");
    EXPECT_EQ(files.ProfileRead(ini, L"SETTINGS", L"disabled", L""), L"0");
    EXPECT_EQ(files.ProfileRead(ini, L"91", L"Action", L""), L"spaced");
    EXPECT_EQ(files.ProfileSectionNames(ini), (std::vector<std::wstring>{L"Settings", L"91"}));
    EXPECT_EQ(files.ProfileKeyNames(ini, L"91"), std::vector<std::wstring>{L"Action"});
}

} // namespace
} // namespace fg
