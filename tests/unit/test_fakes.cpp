// The fakes must behave like the desktop they stand for, or every test above them lies.
#include "fakes/FakePlatform.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <string>

namespace fg {
namespace {

TEST(FakeClockTimers, FireInOrderOnVirtualTime) {
    fake::FakePlatform platform;
    std::string fired;
    TTimer fast(20, true, [&] { fired += "f" + std::to_string(platform.clock.now - 1000) + " "; });
    TTimer slow(50, true, [&] { fired += "s" + std::to_string(platform.clock.now - 1000) + " "; });
    platform.clock.Advance(100);
    EXPECT_EQ(fired, "f20 f40 s50 f60 f80 f100 s100 "); // a tie goes to the older timer
    EXPECT_EQ(platform.clock.now, 1100u);
}

TEST(FakeClockTimers, ChangesRestartTheCountdownAndZeroNeverFires) {
    fake::FakePlatform platform;
    int fired = 0;
    TTimer t(0, true, [&] { ++fired; });
    platform.clock.Advance(1000);
    EXPECT_EQ(fired, 0);
    t.SetInterval(100);
    platform.clock.Advance(90);
    t.SetEnabled(false);
    t.SetEnabled(true); // restarts: due 100 ms from now
    platform.clock.Advance(90);
    EXPECT_EQ(fired, 0);
    platform.clock.Advance(10);
    EXPECT_EQ(fired, 1);
}

TEST(FakeClockTimers, ALongHandlerCoalescesMissedPeriodsAndSleepFiresNothing) {
    fake::FakePlatform platform;
    std::vector<std::uint32_t> at;
    TTimer t(20, true, [&] {
        at.push_back(platform.clock.now - 1000);
        if (at.size() == 1) platform.clock.Sleep(70);
    });
    platform.clock.Advance(100);
    EXPECT_EQ(at, (std::vector<std::uint32_t>{20, 90}));
    platform.clock.Advance(20);
    EXPECT_EQ(at.back(), 110u);
}

TEST(FakeClockTimers, PumpingMessagesFiresDueTimers) {
    fake::FakePlatform platform;
    int fired = 0;
    TTimer t(30, true, [&] { ++fired; });
    platform.clock.Sleep(40);
    EXPECT_EQ(fired, 0);
    platform.desktop.ProcessMessages();
    EXPECT_EQ(fired, 1);
}

TEST(FakeInput, KeyEventsDriveKeyAndToggleState) {
    fake::FakePlatform platform;
    IInput& input = platform.input;
    input.KeyEvent(vk::SCROLL, 0, 0);
    EXPECT_TRUE(input.KeyDown(vk::SCROLL));
    EXPECT_TRUE(input.KeyToggled(vk::SCROLL));
    input.KeyEvent(vk::SCROLL, 0, KEYEVENTF_KEYUP_);
    EXPECT_FALSE(input.KeyDown(vk::SCROLL));
    EXPECT_TRUE(input.KeyToggled(vk::SCROLL));
    input.KeyEvent(vk::SCROLL, 0, 0);
    input.KeyEvent(vk::SCROLL, 0, 0); // auto-repeat does not toggle again
    EXPECT_FALSE(input.KeyToggled(vk::SCROLL));
    platform.input.Press(vk::RBUTTON);
    EXPECT_TRUE(input.ButtonDown(vk::RBUTTON));
}

TEST(FakeFileSystem, AFolderExistsButIsNoFile) {
    fake::FakePlatform platform;
    IFileSystem& files = platform.files;
    platform.files.folders = {L"C:\\Windows"};
    platform.files.files[L"C:\\Windows\\notepad.exe"] = {};
    EXPECT_TRUE(files.Exists(L"C:\\Windows"));
    EXPECT_FALSE(files.FileExists(L"C:\\Windows"));
    EXPECT_TRUE(files.Exists(L"C:\\Windows\\notepad.exe"));
    EXPECT_TRUE(files.FileExists(L"C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(files.Exists(L"C:\\Windows\\missing.exe"));
}

// As the system's profile routines: a file they create is in the code page and loses what it
// cannot hold; a file that begins with the UTF-16LE mark is written as UTF-16 and keeps all.
TEST(FakeFileSystem, ProfileFilesKeepTheirEncodingAndANewOneIsInTheCodePage) {
    fake::FakePlatform platform;
    IFileSystem& files = platform.files;
    const std::wstring value = L"C:\\ツール\\記録.exe|é";
    ASSERT_TRUE(files.ProfileWrite(L"C:\\a.ini", L"03", L"Action", value));
    EXPECT_EQ(files.ProfileRead(L"C:\\a.ini", L"03", L"Action", L""), L"C:\\???\\??.exe|é");
    EXPECT_FALSE(platform.files.IsUnicode(L"C:\\a.ini"));

    std::wstring error;
    ASSERT_TRUE(files.WriteAll(L"C:\\u.ini", {0xFF, 0xFE}, error));
    ASSERT_TRUE(files.ProfileWrite(L"C:\\u.ini", L"03", L"Action", value));
    EXPECT_EQ(files.ProfileRead(L"C:\\u.ini", L"03", L"Action", L""), value);
    EXPECT_TRUE(platform.files.IsUnicode(L"C:\\u.ini"));
    const std::vector<std::uint8_t> start(platform.files.files[L"C:\\u.ini"].begin(),
                                          platform.files.files[L"C:\\u.ini"].begin() + 4);
    EXPECT_EQ(start, (std::vector<std::uint8_t>{0xFF, 0xFE, '[', 0}));
}

TEST(FakeDesktop, MonitorsLeftOfAndAboveThePrimaryWidenTheVirtualScreenAndKeepTheirWorkAreas) {
    fake::FakePlatform platform;
    IDesktop& desktop = platform.desktop;
    platform.desktop.monitors = {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {0, -1080, 1920, 0}};
    platform.desktop.workAreas = {{0, 0, 1920, 1040}};
    // Measured from the leftmost and topmost monitor, as the system's metrics are.
    EXPECT_EQ(desktop.VirtualScreenSize(), (TPoint{3200, 2160}));
    TRect work;
    ASSERT_TRUE(desktop.MonitorWorkArea({1000, 1070}, work));
    EXPECT_EQ(work, (TRect{0, 0, 1920, 1040})); // the taskbar is off the primary's work area
    ASSERT_TRUE(desktop.MonitorWorkArea({-5000, 300}, work));
    EXPECT_EQ(work, (TRect{-1280, -200, 0, 824}));
}

// As on Windows: an unquoted command line names the first program that exists up to a blank.
TEST(FakeSystem, ProcessCreationFindsItsProgramAsTheSystemDoes) {
    fake::FakePlatform platform;
    platform.files.files[L"C:\\Program.exe"] = {};
    platform.files.files[L"C:\\Program Files\\x.exe"] = {};
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* ran; // null: not started, file not found
    };
    const Case cases[] = {
        {L"C:\\Program Files\\x.exe -q", L"C:\\Program.exe"},
        {L"C:\\Program Files\\missing.exe", L"C:\\Program.exe"},
        {L"\"C:\\Program Files\\x.exe\" -q", L"C:\\Program Files\\x.exe"},
        {L"\"C:\\Program Files\\x\"", L"C:\\Program Files\\x.exe"},
        {L"\"C:\\Program Files\\missing.exe\"", nullptr},
        {L"C:\\Tools\\x.exe", nullptr},
    };
    for (const Case& c : cases) {
        platform.system.ran.clear();
        std::uint32_t error = 0;
        const bool started = platform.system.StartProcess(c.commandLine, 0, false, error);
        EXPECT_EQ(started, c.ran != nullptr) << c.commandLine;
        EXPECT_EQ(error, c.ran ? 0u : 2u) << c.commandLine;
        EXPECT_EQ(platform.system.ran,
                  c.ran ? std::vector<std::wstring>{c.ran} : std::vector<std::wstring>{})
            << c.commandLine;
    }
}

} // namespace
} // namespace fg
