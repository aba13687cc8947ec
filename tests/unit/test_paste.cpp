// The sender: the order, flags and spacing of synthesized key events on virtual time, the command
// script, the per-program list file, and running a program or file through the shell.
#include "KeystrokeBuilder.h"
#include "LogLines.h"
#include "actions/UnitPaste.h"
#include "platform/Errors.h"
#include "app/UnitMisc.h"
#include "app/UnitUtf16.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace fg {
namespace {

using Event = fake::FakeInput::Event;
constexpr std::uint32_t kDown = 0, kUp = KEYEVENTF_KEYUP_, kExt = KEYEVENTF_EXTENDEDKEY_;

using test::Keys;

class SenderTest : public ::testing::Test {
  protected:
    // The event a key sends at a virtual time, with the scan code the layout gives it.
    Event At(std::uint8_t vk, std::uint32_t flags, std::uint32_t time) {
        return {vk, static_cast<std::uint8_t>(platform.input.MapKey(vk, 0)), flags, time};
    }
    std::vector<std::uint8_t> KeysDown() const {
        std::vector<std::uint8_t> down;
        for (const Event& e : platform.input.events)
            if (!(e.flags & kUp)) down.push_back(e.vk);
        return down;
    }

    fake::FakePlatform platform;
    const std::uint32_t t0 = platform.clock.now;
};

TEST_F(SenderTest, CtrlShiftEscapeHoldsTheModifiersAroundTheKey) {
    TPaste paste;
    test::LogMark log;
    paste.SendKestroke(Keys(false, true, true, false, 27));
    EXPECT_EQ(platform.input.events, (std::vector<Event>{
                                         At(17, kDown, t0 + 30),
                                         At(16, kDown, t0 + 40),
                                         At(27, kDown, t0 + 50),
                                         At(27, kUp, t0 + 60),
                                         At(16, kUp, t0 + 70),
                                         At(17, kUp, t0 + 70),
                                     }));
    EXPECT_EQ(platform.clock.now, t0 + 70);
    EXPECT_EQ(log.Messages(), std::vector<std::wstring>{L"[Paste] sent Kestroke"});
    for (int vk : {16, 17, 27})
        EXPECT_FALSE(platform.input.KeyDown(vk));
}

TEST_F(SenderTest, AllFourModifiersGoDownWinFirstAndUpInReverse) {
    TPaste paste;
    paste.SendKestroke(Keys(true, true, true, true, 'M'));
    EXPECT_EQ(platform.input.events, (std::vector<Event>{
                                         At(91, kDown, t0 + 10),
                                         At(18, kDown, t0 + 20),
                                         At(17, kDown, t0 + 30),
                                         At(16, kDown, t0 + 40),
                                         At('M', kDown, t0 + 50),
                                         At('M', kUp, t0 + 60),
                                         At(16, kUp, t0 + 70),
                                         At(17, kUp, t0 + 70),
                                         At(18, kUp, t0 + 70),
                                         At(91, kUp, t0 + 70),
                                     }));
}

TEST_F(SenderTest, AKeyAloneStillTakesSeventyMilliseconds) {
    TPaste paste;
    paste.SendKestroke(Keys(false, false, false, false, 116));
    EXPECT_EQ(platform.input.events,
              (std::vector<Event>{At(116, kDown, t0 + 50), At(116, kUp, t0 + 60)}));
    EXPECT_EQ(platform.clock.now, t0 + 70);
}

TEST_F(SenderTest, OnlyTheNavigationKeysWithKeypadTwinsAreExtended) {
    TPaste paste;
    const std::map<std::uint16_t, bool> extended{
        {33, true}, {34, true},  {35, true},  {36, true},  {37, true},  {38, false},
        {39, true}, {40, false}, {45, false}, {46, false}, {13, false}, {0x121, false},
    };
    for (const auto& [key, ext] : extended) {
        SCOPED_TRACE(key);
        platform.input.events.clear();
        paste.SendKestroke(Keys(false, false, false, false, key));
        ASSERT_EQ(platform.input.events.size(), 2u);
        EXPECT_EQ(platform.input.events[0].vk, key & 0xFF); // the low byte is the key
        EXPECT_EQ(platform.input.events[0].flags, ext ? kExt : kDown);
        EXPECT_EQ(platform.input.events[1].flags, (ext ? kExt : kDown) | kUp);
    }
}

// A French layout: the key that types "A" is the one the US layout calls Q, and so on; and a
// layout that types no Latin letters at all.
class LayoutInput : public fake::FakeInput {
  public:
    using FakeInput::FakeInput;
    std::int16_t CharToVirtualKey(wchar_t c) override {
        if (latinless) return -1;
        static const std::map<wchar_t, wchar_t> azerty{
            {L'A', L'Q'}, {L'Q', L'A'}, {L'W', L'Z'}, {L'Z', L'W'}, {L'M', 0xBA}};
        const auto it = azerty.find(c);
        const int vk = it == azerty.end() ? FakeInput::CharToVirtualKey(c) : 0x100 | it->second;
        return static_cast<std::int16_t>(vk);
    }
    bool latinless = false;
};

TEST_F(SenderTest, ALetterGoesToTheKeyThatTypesItInTheLayout) {
    LayoutInput layout(platform.clock);
    Platform p = Os();
    p.input = &layout;
    InstallPlatform(p);
    TPaste paste;
    const std::map<std::uint16_t, std::uint8_t> sent{
        {'A', 'Q'}, {'Q', 'A'}, {'M', 0xBA}, {'B', 'B'}};
    for (const auto& [key, vk] : sent) {
        layout.events.clear();
        paste.SendKestroke(Keys(false, true, false, false, key));
        ASSERT_EQ(layout.events.size(), 4u);
        EXPECT_EQ(layout.events[1].vk, vk) << key;
    }
    // Without a key for the Latin letter the letter's own code goes, which such layouts share.
    layout.latinless = true;
    layout.events.clear();
    paste.SendKestroke(Keys(false, true, false, false, 'C'));
    EXPECT_EQ(layout.events.at(1).vk, 'C');
}

TEST_F(SenderTest, PerKeySendersHoldTheKey30MsAndSayWhatTheySend) {
    const struct {
        void (TPaste::*send)();
        std::uint8_t vk;
        std::vector<std::wstring> log;
    } cases[] = {
        {&TPaste::SendTAB, 9, {L"sending tab", L"sent tab"}},
        {&TPaste::SendENTER, 13, {}},
        {&TPaste::SendDELETE, 46, {L"sending del", L"sent del"}},
        {&TPaste::SendHOME, 36, {L"sending VK_HOME", L"sent VK_HOME"}},
        {&TPaste::SendBACKSPACE, 8, {L"sending back", L"sent back"}},
        {&TPaste::SendEND, 35, {L"sending end", L"sent end"}},
        {&TPaste::SendINSERT, 45, {L"sending INSERT", L"sent INSERT"}},
        {&TPaste::SendUP, 38, {L"sending VK_UP", L"sent VK_UP"}},
        {&TPaste::SendDOWN, 40, {L"sending VK_DOWN", L"sent VK_DOWN"}},
        {&TPaste::SendLEFT, 37, {L"sending VK_LEFT", L"sent VK_LEFT"}},
        {&TPaste::SendRIGHT, 39, {L"sending VK_RIGHT", L"sent VK_RIGHT"}},
        {&TPaste::SendSPACE, 32, {}},
    };
    TPaste paste;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vk);
        platform.input.events.clear();
        const std::uint32_t t = platform.clock.now;
        test::LogMark log;
        (paste.*c.send)();
        EXPECT_EQ(platform.input.events,
                  (std::vector<Event>{At(c.vk, kDown, t), At(c.vk, kUp, t + 30)}));
        EXPECT_EQ(platform.clock.now, t + 40);
        std::vector<std::wstring> expected;
        for (const std::wstring& line : c.log)
            expected.push_back(L"[Paste] " + line);
        EXPECT_EQ(log.Messages(), expected);
    }
}

TEST_F(SenderTest, ScriptSendsTabWaitsAndSendsEnterButTypesNoText) {
    TPaste paste;
    test::LogMark log;
    paste.SendTextWithKeystrokes(L"[KEYS]Hello[TAB][wait][Enter]");
    EXPECT_EQ(platform.input.events, (std::vector<Event>{
                                         At(9, kDown, t0 + 60),
                                         At(9, kUp, t0 + 90),
                                         At(13, kDown, t0 + 100 + 100 + 60),
                                         At(13, kUp, t0 + 100 + 100 + 90),
                                     }));
    EXPECT_EQ(platform.clock.now, t0 + 300);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::wstring>{L"[Paste] sending tab", L"[Paste] sent tab"}));
}

TEST_F(SenderTest, ScriptCommands) {
    const struct {
        const wchar_t* script;
        std::vector<std::uint8_t> keys;
    } cases[] = {
        {L"[KEYS][ TAB]", {9}}, // blanks after "[" are dropped
        {L"[KEYS][TAB ]", {}},  // blanks before "]" are not
        {L"[KEYS][tAb]", {9}},
        {L"[KEYS][TABS]", {}},
        {L"[KEYS][TAB", {}}, // "[" without "]"
        {L"[KEYS]TAB]", {}},
        {L"[KEYS][x[y[TAB]z", {9}}, // the last "[" before the first "]"
        {L"[KEYS]a]b[TAB]", {9}},
        {L"[TAB]", {}},        // the header alone
        {L"xxxxxx[TAB]", {9}}, // the header is not read
        {L"[KEYS][CLIPBRD][DATE \"dd/mm/yyyy\"][unknown]text", {}},
        {L"[KEYS][DEL][HOME][BACK][END][INS][UP][DOWN][LEFT][RIGHT][SPACE][ENTER]",
         {46, 36, 8, 35, 45, 38, 40, 37, 39, 32, 13}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        TPaste paste;
        platform.input.events.clear();
        paste.SendTextWithKeystrokes(c.script);
        EXPECT_EQ(KeysDown(), c.keys);
        for (const Event& e : platform.input.events)
            EXPECT_EQ(e.flags & kExt, 0u);
        EXPECT_TRUE(platform.system.shellOpened.empty());
    }
}

TEST_F(SenderTest, ClearEmptiesTheClipboardAndALockedOneEndsTheScript) {
    TPaste paste;
    for (const wchar_t* script : {L"[KEYS][clear clipboard]", L"[KEYS][CLEAR]"}) {
        platform.desktop.clipboard = L"kept?";
        paste.SendTextWithKeystrokes(script);
        EXPECT_EQ(platform.desktop.clipboard, L"");
    }
    platform.desktop.clipboard = L"held";
    platform.desktop.clipboardLocked = true;
    EXPECT_THROW(paste.SendTextWithKeystrokes(L"[KEYS][CLEAR][TAB]"), TUserError);
    EXPECT_TRUE(platform.input.events.empty()); // the rest of the script is abandoned
    EXPECT_EQ(platform.desktop.clipboard, L"held");
    // Nothing but "CLEAR" touches the clipboard.
    EXPECT_NO_THROW(paste.SendTextWithKeystrokes(L"[KEYS][CLIPBRD][TAB]"));
}

// The shell with the owner window it was given.
class OwnerShell : public fake::FakeSystem {
  public:
    std::intptr_t ShellOpen(HWindow owner, const std::wstring& file) override {
        owners.push_back(owner);
        return FakeSystem::ShellOpen(owner, file);
    }
    std::vector<HWindow> owners;
};

TEST_F(SenderTest, RunOpensTheWholeRestAndGoesOnAtTheNextBracket) {
    OwnerShell shell;
    Platform p = Os();
    p.system = &shell;
    InstallPlatform(p);
    TPaste paste;
    paste.SendTextWithKeystrokes(L"[KEYS][RUN]C:\\Games[1]\\x.exe");
    EXPECT_EQ(shell.shellOpened, std::vector<std::wstring>{L"C:\\Games[1]\\x.exe"});
    EXPECT_EQ(shell.owners, std::vector<HWindow>{0});
    EXPECT_TRUE(platform.input.events.empty()); // "[1]" is an unknown command

    paste.RunOwner = 0x4242;
    paste.SendTextWithKeystrokes(L"[KEYS][run] notepad.exe [TAB]");
    EXPECT_EQ(shell.shellOpened.back(), L"notepad.exe [TAB]");
    EXPECT_EQ(shell.owners.back(), 0x4242u);
    EXPECT_EQ(KeysDown(), std::vector<std::uint8_t>{9});
}

class PasteListTest : public SenderTest {
  protected:
    const std::wstring path = GetDataPath() + L"exepaste.ini";
    std::vector<std::uint8_t> Bytes() { return platform.files.files.at(path); }
    void Put(std::vector<std::uint8_t> bytes) { platform.files.files[path] = std::move(bytes); }
    static std::vector<std::uint8_t> Ascii(const std::string& s) { return {s.begin(), s.end()}; }
};

TEST_F(PasteListTest, AfterTheFirstRunAnEmptyFileExists) {
    { TPaste paste; }
    EXPECT_EQ(Bytes(), std::vector<std::uint8_t>{});
}

TEST_F(PasteListTest, AnExistingFileIsKeptAsLoaded) {
    const std::vector<std::uint8_t> file =
        Ascii("notepad.exe=2\nWord.exe=0\r\nx.exe=9\ny.exe=abc\nno entry");
    Put(file);
    {
        TPaste paste;
        EXPECT_EQ(paste.EXEPasteList(),
                  (std::vector<std::wstring>{L"notepad.exe=2", L"Word.exe=0", L"x.exe=9",
                                             L"y.exe=abc", L"no entry"}));
        EXPECT_EQ(paste.GetPasteMethod(L"NOTEPAD.EXE"), PASTE_MIMIC);
        EXPECT_EQ(paste.GetPasteMethod(L"word.exe"), PASTE_CTRL_V);
        for (const wchar_t* name : {L"x.exe", L"y.exe", L"no entry", L"other.exe", L""})
            EXPECT_EQ(paste.GetPasteMethod(name), PASTE_DEFAULT) << name;
    }
    EXPECT_EQ(Bytes(), file);
}

TEST_F(PasteListTest, FilesInEachEncodingAreRead) {
    std::vector<std::uint8_t> utf16{0xFF, 0xFE};
    AppendUtf16Le(L"caf\u00e9.exe=1\r\n\u65e5\u672c.exe=3\r\n", utf16);
    const struct {
        std::vector<std::uint8_t> bytes;
        std::vector<std::wstring> lines;
    } cases[] = {
        {utf16, {L"caf\u00e9.exe=1", L"\u65e5\u672c.exe=3"}},
        {{0xEF, 0xBB, 0xBF, 'c',  'a',  'f', 0xC3, 0xA9, '=',  '1',
          '\r', '\n', 0xE6, 0x97, 0xA5, '=', '3',  '\r', 0xC3, '='},
         {L"caf\u00e9=1", L"\u65e5=3", L"\ufffd="}},
        {{'c', 'a', 'f', 0xE9, '=', '1', '\r', '\r', 'x'}, {L"caf\u00e9=1", L"", L"x"}}, // ANSI
    };
    for (const auto& c : cases) {
        Put(c.bytes);
        TPaste paste;
        EXPECT_EQ(paste.EXEPasteList(), c.lines);
    }
}

TEST_F(PasteListTest, AChangedListIsWrittenWholeAndReadsBack) {
    Put(Ascii("Word.exe=0\r\nnotepad.exe=2\r\n"));
    {
        TPaste paste;
        paste.AssignPaste(L"WORD.EXE", PASTE_CLIPBOARD);
        paste.AssignPaste(L"caf\u00e9.exe", PASTE_DISABLED);
    }
    TPaste again;
    EXPECT_EQ(again.EXEPasteList(),
              (std::vector<std::wstring>{L"WORD.EXE=3", L"notepad.exe=2", L"caf\u00e9.exe=5"}));
    EXPECT_EQ(again.GetPasteMethod(L"word.exe"), PASTE_CLIPBOARD);
}

// A list file that exists but cannot be read.
class UnreadableFiles : public fake::FakeFileSystem {
  public:
    bool ReadAll(const std::wstring&, std::vector<std::uint8_t>&) override { return false; }
};

TEST_F(PasteListTest, AFileThatCannotBeReadIsLeftAloneAndAFailedWriteIsLogged) {
    UnreadableFiles files;
    files.files[path] = Ascii("notepad.exe=2");
    Platform p = Os();
    p.files = &files;
    InstallPlatform(p);
    { TPaste paste; }
    EXPECT_EQ(files.files.at(path), Ascii("notepad.exe=2"));

    p.files = &platform.files;
    InstallPlatform(p);
    platform.files.readOnly.insert(path);
    test::LogMark log;
    { TPaste paste; }
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].rfind(L"[Paste] Unable to write to " + path, 0), 0u);
}

TEST_F(PasteListTest, PasteMethodsExcludeEachOther) {
    TPaste paste;
    EXPECT_EQ(paste.GetDefaultPasteMethod(), PASTE_DEFAULT);
    const struct {
        void (TPaste::*set)();
        TPasteMethod method;
    } cases[] = {{&TPaste::SetClipboardOnly, PASTE_CLIPBOARD},
                 {&TPaste::SetUsePaste, PASTE_CTRL_V},
                 {&TPaste::SetUsePasteSI, PASTE_SHIFT_INS},
                 {&TPaste::SetMimicTyping, PASTE_MIMIC},
                 {&TPaste::SetClipboardOnly, PASTE_CLIPBOARD}};
    for (const auto& c : cases) {
        (paste.*c.set)();
        EXPECT_EQ(paste.GetDefaultPasteMethod(), c.method);
    }
    EXPECT_TRUE(paste.GetClipboardOnly());
    paste.SetKeyboardMimicOnce();
    paste.SetUsePasteCVOnce();
    EXPECT_TRUE(paste.GetKeyboardMimicOnce());
    paste.ClearOnceFlags();
    EXPECT_FALSE(paste.GetKeyboardMimicOnce() || paste.PasteCVOnce);
}

class ShellRunTest : public ::testing::Test {
  protected:
    fake::FakePlatform platform;
    fake::FakeSystem& system = platform.system;
};

TEST_F(ShellRunTest, TrimsAndOpensThroughTheShell) {
    system.lastError = 5;
    EXPECT_EQ(ShellRun(0, L"  C:\\My Files\\a.txt \r\n"), 0u);
    EXPECT_EQ(system.shellOpened, std::vector<std::wstring>{L"C:\\My Files\\a.txt"});
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(system.lastError, 0u);

    EXPECT_EQ(ShellRun(0, L" \r\n\t "), 0u);
    EXPECT_EQ(ShellRun(0, L""), 0u);
    EXPECT_EQ(system.shellOpened.size(), 1u); // blanks only open nothing
}

TEST_F(ShellRunTest, WhatTheShellRefusesIsStartedAsOneProgram) {
    platform.files.files[L"C:\\My Tools\\tool.exe"] = {};
    platform.files.files[L"C:\\Tools\\x.exe"] = {};
    system.shellAnswer = 31; // no program is associated with it
    EXPECT_EQ(ShellRun(0, L"C:\\My Tools\\tool.exe\n"), 0u);
    EXPECT_EQ(ShellRun(0, L"C:\\Tools\\x.exe"), 0u);
    EXPECT_EQ(ShellRun(0, L"\"C:\\My Tools\\tool.exe\" -q"), 0u); // quoted already: as it stands
    EXPECT_EQ(system.started, (std::vector<fake::FakeSystem::Started>{
                                  {L"\"C:\\My Tools\\tool.exe\"", 0x20 | 0x200, false},
                                  {L"C:\\Tools\\x.exe", 0x20 | 0x200, false},
                                  {L"\"C:\\My Tools\\tool.exe\" -q", 0x20 | 0x200, false}}));

    system.shellAnswer = 2;
    EXPECT_EQ(ShellRun(0, L"C:\\missing.exe"), 2u);
    EXPECT_EQ(system.shellOpened.back(), L"C:\\missing.exe");
}

// The shell cannot find the program, and nothing else may start in its place: unquoted, process
// creation would try the path up to each blank ("C:\Program.exe", "C:\Program Files\Some.exe").
TEST_F(ShellRunTest, AProgramPlantedAtABlankOfAMissingPathNeverStarts) {
    const std::wstring path = L"C:\\Program Files\\Some App\\app.exe";
    const wchar_t* const planted[] = {L"C:\\Program.exe", L"C:\\Program Files\\Some.exe"};
    for (const wchar_t* plant : planted) {
        fake::FakePlatform os;
        os.files.files[plant] = {};
        os.system.shellAnswer = 2; // SE_ERR_FNF
        EXPECT_EQ(ShellRun(0, L" " + path + L"\r\n"), 2u) << plant;
        TPaste paste; // the route of program actions without parameters
        paste.SendTextWithKeystrokes(L"[KEYS][RUN]" + path);
        EXPECT_EQ(os.system.shellOpened, (std::vector<std::wstring>{path, path})) << plant;
        EXPECT_TRUE(os.system.ran.empty()) << plant << " started";
    }
}

TEST_F(ShellRunTest, RunProcessStartsInANewGroupWithoutWaiting) {
    platform.files.files[L"a.exe"] = {};
    EXPECT_EQ(RunProcess(L"a.exe b", 0x08000000), 0u);
    EXPECT_EQ(system.started,
              (std::vector<fake::FakeSystem::Started>{{L"a.exe b", 0x08000000 | 0x200, false}}));
    EXPECT_EQ(RunProcess(L"b.exe", 0x20), 2u);
    system.startError = 740;
    EXPECT_EQ(RunProcess(L"a.exe", 0x20), 740u);
}

} // namespace
} // namespace fg
