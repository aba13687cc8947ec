#include "LogLines.h"
#include "platform/Errors.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace fg {
namespace {

class RecordingView : public IDebugView {
  public:
    void MemoClear() override { lines.clear(); }
    void MemoAddBottom(const std::wstring& l) override { lines.push_back(l); }
    void MemoInsertTop(const std::wstring& l) override { lines.insert(lines.begin(), l); }
    void MemoDeleteBottom() override { lines.pop_back(); }
    bool IsShowing() override { return showing; }
    std::uintptr_t Handle() override { return handle; }
    std::vector<std::wstring> lines;
    bool showing = false;
    std::uintptr_t handle = 0;
};

std::vector<std::uint8_t> Utf16(const std::wstring& s) {
    std::vector<std::uint8_t> out;
    for (wchar_t c : s) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

class DebugLogTest : public ::testing::Test {
  protected:
    void SetUp() override { platform.system.exePath = L"C:\\Tools\\Farrowglimmer.exe"; }
    fake::FakePlatform platform;
    RecordingView view;
    const std::wstring debugPath = L"C:\\Tools\\Debug.txt";
};

TEST_F(DebugLogTest, LinePrefixMarksLinesBeforeTheWindowAndTheLevel) {
    AppendLog(L"early");
    EXPECT_EQ(DebugHistory().front(), L"14:03:07:(x) early");
    TFrmDebug log(&view);
    AppendLog(L"SystemTrayIcon - creating");
    EXPECT_EQ(DebugHistory().front(), L"14:03:07: SystemTrayIcon - creating");
    log.IncLevel();
    log.IncLevel();
    AppendLog(L"deep");
    EXPECT_EQ(DebugHistory().front(), L"14:03:07: >> deep");
    log.DecLevel();
    log.DecLevel();
    log.DecLevel();
    EXPECT_EQ(log.Level(), 0);
    AppendLog(L"flat");
    EXPECT_EQ(DebugHistory().front(), L"14:03:07: flat");
}

TEST_F(DebugLogTest, LastErrorSuffixIsAddedEvenForCodeZero) {
    platform.system.lastError = 0;
    AppendLog(L"call", true);
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()),
              L"call :(0) The operation completed successfully");
    platform.system.lastError = 2;
    AppendLog(L"open", true);
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"open :(2) File not found");
}

TEST_F(DebugLogTest, HistoryKeepsTheNewest20000Lines) {
    for (int i = 0; i < 20001; ++i) AppendLog(L"line " + std::to_wstring(i));
    ASSERT_EQ(DebugHistory().size(), 20000u);
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"line 20000");
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().back()), L"line 1");
}

TEST_F(DebugLogTest, ViewOpensWith201LinesAndHoldsAtMost1001) {
    TFrmDebug log(&view);
    for (int i = 0; i < 500; ++i) AppendLog(L"line " + std::to_wstring(i));
    view.showing = true;
    log.FormShow();
    ASSERT_EQ(view.lines.size(), 201u);
    EXPECT_EQ(log.Memo().size(), 201u);
    EXPECT_EQ(test::LogMark::StripPrefix(view.lines.front()), L"line 499");

    for (int i = 0; i < 800; ++i) AppendLog(L"live " + std::to_wstring(i));
    EXPECT_EQ(view.lines.size(), 1001u);
    AppendLog(L"newest");
    EXPECT_EQ(view.lines.size(), 1001u);
    EXPECT_EQ(test::LogMark::StripPrefix(view.lines.front()), L"newest");
    EXPECT_EQ(std::vector<std::wstring>(log.Memo().begin(), log.Memo().end()), view.lines);

    view.showing = false; // a hidden window does not mirror
    AppendLog(L"unseen");
    EXPECT_EQ(test::LogMark::StripPrefix(view.lines.front()), L"newest");
}

TEST_F(DebugLogTest, ViewOpensWithAllLinesWhenFew) {
    TFrmDebug log(&view);
    const std::size_t before = DebugHistory().size();
    log.FormShow();
    EXPECT_EQ(view.lines.size(), std::min<std::size_t>(before, 201));
}

TEST_F(DebugLogTest, SaveKeepsEarlierFilesAsNumberedBackups) {
    TFrmDebug log(&view);
    platform.files.files[debugPath] = {1};
    platform.files.files[debugPath + L".bak1"] = {2};
    AppendLog(L"saved");
    log.btnSaveClick();
    EXPECT_EQ(platform.files.files[debugPath + L".bak1"], std::vector<std::uint8_t>{2});
    EXPECT_EQ(platform.files.files[debugPath + L".bak2"], std::vector<std::uint8_t>{1});
    std::wstring text;
    log.GetLogText(text);
    std::vector<std::uint8_t> expected{0xFF, 0xFE};
    const auto body = Utf16(text);
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(platform.files.files[debugPath], expected);
    EXPECT_EQ(platform.desktop.messageBoxes, std::vector<std::wstring>{L"Debug.txt Created"});
}

TEST_F(DebugLogTest, FailedSaveRaisesAndShowsNoConfirmation) {
    TFrmDebug log(&view);
    platform.files.readOnly.insert(debugPath);
    try {
        log.btnSaveClick();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_NE(e.Message().find(debugPath), std::wstring::npos);
        EXPECT_NE(e.Message().find(L"Access is denied"), std::wstring::npos);
    }
    EXPECT_TRUE(platform.desktop.messageBoxes.empty());
}

TEST_F(DebugLogTest, CopyPutsTheWholeHistoryOnTheClipboard) {
    TFrmDebug log(&view);
    for (int i = 0; i < 300; ++i) AppendLog(L"c");
    log.Button1Click();
    std::wstring text;
    log.GetLogText(text);
    EXPECT_EQ(platform.desktop.clipboard, text);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'),
              static_cast<long>(DebugHistory().size()));
}

TEST_F(DebugLogTest, TimersNestAndSurviveTheTickCounterWrap) {
    TFrmDebug log(&view);
    platform.clock.now = 0xFFFFFFF0u;
    log.StartTimer();
    platform.clock.Advance(5);
    log.StartTimer();
    platform.clock.Advance(10);
    log.EndTimerLog(L"inner");
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"ms(10): inner");
    platform.clock.Advance(17);
    log.EndTimerLog(L"outer");
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"ms(32): outer");
}

TEST_F(DebugLogTest, MeOnlyAppendNeedsADebuggerOrTheSaveFlag) {
    TFrmDebug log(&view);
    log.cbAutoSaveClick(false);
    const std::size_t before = DebugHistory().size();
    log.MeOnlyAppend(L"dropped", false);
    EXPECT_EQ(DebugHistory().size(), before);
    platform.system.debugger = true;
    log.MeOnlyAppend(L"kept", false);
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"kept");
}

TEST_F(DebugLogTest, DestroyWithAutoSaveWritesItsOwnLinesLast) {
    {
        TFrmDebug log(&view);
        log.cbAutoSaveClick(true);
    }
    EXPECT_EQ(FrmDebug, nullptr);
    const auto& bytes = platform.files.files[debugPath];
    ASSERT_GT(bytes.size(), 2u);
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), L"14:03:07: UnitFrmDebug Autosave");
    EXPECT_NE(text.find(L": UnitFrmDebug Destroy\r\n"), std::wstring::npos);
    TFrmDebug(&view).cbAutoSaveClick(false); // the flag is process-wide
}

TEST_F(DebugLogTest, ApplicationExceptionLogsSavesAndReports) {
    TFrmDebug log(&view);
    platform.system.lastError = 5;
    log.ApplicationException(L"boom");
    EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()), L"boom");
    EXPECT_TRUE(platform.files.Exists(debugPath));
    EXPECT_EQ(platform.system.lastError, 0u);
    EXPECT_EQ(platform.desktop.messageBoxes.back(), L"boom\r\n[Debug.txt] log created.");
}

// The phase stamps are for the latency bench only: a settings file without the switch, or with it
// at 0, leaves the log as it is.
TEST_F(DebugLogTest, TimingMarksOnlyWhenTheSettingsFileAsksForThem) {
    const struct {
        const wchar_t* settings; // null: no settings file
        bool stamped;
    } cases[] = {
        {nullptr, false},
        {L"[debug]\r\ntiming=0\r\n", false},
        {L"[init]\r\ntiming=1\r\n", false},
        {L"[debug]\r\ntiming=1\r\n", true},
    };
    for (const auto& c : cases) {
        platform.files.files.clear();
        if (c.settings) platform.files.SetText(L"C:\\Tools\\defaults.ini", c.settings);
        TFrmDebug log(&view);
        AppendLog(L"before");
        TimingMark(L"release seen");
        EXPECT_EQ(test::LogMark::StripPrefix(DebugHistory().front()),
                  c.stamped ? L"[Timing] release seen 1000.000 ms" : L"before")
            << (c.settings ? c.settings : L"no file");
    }
    SetTimingMarks(false);
}

} // namespace
} // namespace fg
