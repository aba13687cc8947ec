// The shell popup watch on virtual time: its four endings, the menu it closes and the ones it
// leaves, and what it logs.
#include "LogLines.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace fg {
namespace {

constexpr std::uint32_t kShellPid = 1, kOwnPid = 2, kNotepadPid = 3;
constexpr std::uint32_t kShellThread = 10, kOwnThread = 20, kNotepadThread = 30;

class PopupWatchTest : public ::testing::Test {
  protected:
    PopupWatchTest() {
        platform.system.processes = {{kShellPid, L"Explorer.EXE"},
                                     {kOwnPid, L"Farrowglimmer.exe"},
                                     {kNotepadPid, L"notepad.exe"}};
        notepad = platform.desktop.AddWindow(kNotepadThread, kNotepadPid);
        shell = platform.desktop.AddWindow(kShellThread, kShellPid);
        platform.desktop.Find(shell)->rect = {10, 20, 1930, 1100};
        platform.desktop.foreground = shell;
    }
    HWindow Menu(std::uint32_t pid = kShellPid) {
        return platform.desktop.AddWindow(kShellThread, pid, true, L"#32768");
    }
    bool Watching() const { return watch.timInterval.Enabled(); }
    bool Logged(const std::wstring& line) const {
        const auto lines = log.Messages();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    const std::vector<HWindow>& Closed() const { return platform.desktop.closed; }

    fake::FakePlatform platform;
    TfrmDummyWatchForExplorerPopup watch;
    HWindow notepad = 0, shell = 0;
    test::LogMark log;
};

TEST_F(PopupWatchTest, NoWatchWhenTheShellIsNotInFront) {
    platform.desktop.foreground = notepad;
    watch.StartWatch();
    EXPECT_FALSE(Watching());
    EXPECT_TRUE(log.Messages().empty());
    Menu();
    platform.clock.Advance(600);
    EXPECT_TRUE(Closed().empty());
}

TEST_F(PopupWatchTest, TheBudgetEndsTheWatchAfterHalfASecond) {
    watch.StartWatch();
    EXPECT_TRUE(Watching());
    EXPECT_EQ(watch.lastEXEName, L"Explorer.EXE");
    EXPECT_EQ(watch.startTime, platform.clock.now);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::wstring>{std::wstring(32, L'-'), L"Foreground: Explorer.EXE",
                                         L"Starting WindowRect"}));
    platform.clock.Advance(480); // steps 2 to 25
    EXPECT_TRUE(Watching());
    EXPECT_EQ(watch.timeElapsed, 500u);
    platform.clock.Advance(20);
    EXPECT_FALSE(Watching());
    EXPECT_EQ(log.Messages().back(), L"Timer expired: 500");
    EXPECT_EQ(watch.timeElapsed, 0u);
}

TEST_F(PopupWatchTest, AShellMenuWithinTheBudgetIsClosed) {
    watch.StartWatch();
    platform.clock.Advance(100);
    const HWindow menu = Menu();
    platform.clock.Advance(20);
    EXPECT_EQ(Closed(), std::vector<HWindow>{menu});
    EXPECT_FALSE(Watching());
    const auto lines = log.Messages();
    EXPECT_EQ(std::vector<std::wstring>(lines.end() - 2, lines.end()),
              (std::vector<std::wstring>{L"Explorer Menu Found: Explorer.EXE", L"Close Popup"}));
}

TEST_F(PopupWatchTest, TheFirstStepComparesWithThePreviousWatchsRectangle) {
    const HWindow menu = Menu();
    watch.StartWatch(); // the first watch knows no rectangle yet
    EXPECT_TRUE(Closed().empty());
    platform.clock.Advance(20);
    EXPECT_EQ(Closed(), std::vector<HWindow>{menu});

    platform.desktop.closed.clear();
    platform.desktop.Find(menu)->visible = true; // the next gesture's menu
    watch.StartWatch(); // now the rectangle is known: the menu goes at once
    EXPECT_EQ(Closed(), std::vector<HWindow>{menu});
}

TEST_F(PopupWatchTest, LateMenusAndOtherProgramsMenusStayOpen) {
    watch.StartWatch();
    Menu(kNotepadPid);
    platform.clock.Advance(200);
    EXPECT_TRUE(Closed().empty());
    EXPECT_TRUE(Watching());

    platform.desktop.zorder.erase(platform.desktop.zorder.begin()); // that menu goes away
    platform.clock.Advance(320);
    EXPECT_FALSE(Watching());
    Menu();
    platform.clock.Advance(100);
    EXPECT_TRUE(Closed().empty());
}

TEST_F(PopupWatchTest, ForegroundMovingToAnotherProgramEndsTheWatch) {
    watch.StartWatch();
    platform.desktop.foreground = notepad;
    Menu();
    platform.clock.Advance(20);
    EXPECT_FALSE(Watching());
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(log.Messages().back(), L"Explorer no longer foreground: notepad.exe");
}

TEST_F(PopupWatchTest, ForegroundMovingToOurOwnWindowKeepsWatching) {
    watch.StartWatch();
    platform.desktop.foreground = platform.desktop.AddWindow(kOwnThread, kOwnPid);
    platform.clock.Advance(40);
    EXPECT_TRUE(Watching());
    EXPECT_TRUE(Logged(L"Ignoring Farrowglimmer.exe foreground"));

    const HWindow menu = Menu();
    platform.clock.Advance(20);
    EXPECT_EQ(Closed(), std::vector<HWindow>{menu});
    EXPECT_FALSE(Watching());
}

TEST_F(PopupWatchTest, ANewWatchStartsOverWithAFreshBudget) {
    watch.StartWatch();
    platform.clock.Advance(400);
    watch.StartWatch();
    platform.clock.Advance(480);
    EXPECT_TRUE(Watching());
    platform.clock.Advance(40);
    EXPECT_FALSE(Watching());
}

TEST_F(PopupWatchTest, RectanglesAreLoggedOnlyUnderADebugger) {
    platform.system.debugger = true;
    Menu();
    watch.StartWatch();
    platform.clock.Advance(20);
    const std::wstring shellRect = L"[frmExplorerPopup] Rect [WDxHT top left]: 1920x1080  20 10";
    const std::wstring menuRect = L"[frmExplorerPopup] Rect [WDxHT top left]: 800x600  100 100";
    EXPECT_TRUE(Logged(shellRect));
    EXPECT_TRUE(Logged(menuRect));

    platform.system.debugger = false;
    test::LogMark quiet;
    watch.StartWatch();
    for (const std::wstring& line : quiet.Messages())
        EXPECT_EQ(line.find(L"Rect ["), std::wstring::npos) << line;
}

} // namespace
} // namespace fg
