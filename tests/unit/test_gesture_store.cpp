// The gesture files and their store: the file value's rules, names, load and save through the
// profile routines, saves that fail, hostile files, and the scan of files and programs.
#include "GestureFakes.h"
#include "LogLines.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>

namespace fg {
namespace {

using namespace std::chrono_literals;

// "h=gesture;" for each binding in order.
std::wstring Lines(const TGestureFile& f) {
    std::wstring s;
    for (const TGestureBinding& b : f.Bindings())
        s += ToHumanReadable(b.gesture) + L"=" + b.gesture + L";";
    return s;
}

TEST(GestureFile, KeysBindingsByTheirHumanReadableFormInFileOrder) {
    const auto kb = [](const wchar_t* g, const wchar_t* action) {
        return TGestureBinding{g, L"Keystroke", action};
    };
    TGestureFile f;
    f.Set(kb(L"3", L"a"));
    f.Set(kb(L"0", L"b"));
    f.Set(kb(L"3", L"c")); // replaced where it stands
    EXPECT_EQ(Lines(f), L"RIGHT=3;UP=0;");
    EXPECT_EQ(f.Find(L"right")->action, L"c");
    EXPECT_EQ(f.FindGesture(L"0")->action, L"b");
    // "A1" and "91" are both "[TOP]+DOWN": one gesture.
    f.Set(kb(L"A1", L"d"));
    f.Set(kb(L"91", L"e"));
    EXPECT_EQ(Lines(f), L"RIGHT=3;UP=0;[TOP]+DOWN=91;");
    EXPECT_EQ(f.FindGesture(L"A1")->action, L"e");

    const TGestureFile before = f;
    EXPECT_TRUE(f.Remove(L"Up"));
    EXPECT_FALSE(f.Remove(L"UP"));
    EXPECT_EQ(Lines(f), L"RIGHT=3;[TOP]+DOWN=91;");
    EXPECT_EQ(f.Find(L"[TOP]+DOWN")->action, L"e") << "found where it moved to";
    EXPECT_EQ(f.Find(L"UP"), nullptr);
    EXPECT_EQ(Lines(before), L"RIGHT=3;UP=0;[TOP]+DOWN=91;") << "a copy is a value";
    EXPECT_FALSE(f == before);
}

TEST(GestureNames, HumanReadableSectionsAndFileNames) {
    const std::pair<std::wstring, std::wstring> readable[] = {
        {L"03", L"UP+RIGHT"},         {L"A1", L"[TOP]+DOWN"},
        {L"91", L"[TOP]+DOWN"},       {L"40", L"NE+UP"},
        {L"E3", L"NONE+RIGHT"},       {L"", L""},
        {L"D2", L"[RIGHTSIDE]+LEFT"},
    };
    for (const auto& [g, h] : readable)
        EXPECT_EQ(ToHumanReadable(g), h) << g;

    for (const wchar_t* yes : {L"03", L"E3", L"F", L"A1", L"9999"})
        EXPECT_TRUE(IsGestureSection(yes)) << yes;
    for (const wchar_t* no : {L"Settings", L"a1", L"0x", L"", L"G1", L" 3", L"3A"})
        EXPECT_FALSE(IsGestureSection(no)) << no;

    EXPECT_EQ(GestureFileName(L"Notepad.EXE"), L"Gestures_Notepad.EXE.ini");
    const std::pair<std::wstring, std::wstring> programs[] = {
        {L"Gestures_notepad.exe.ini", L"notepad.exe"},
        {L"Gestures_a.ini.exe.ini", L"a.exe"},
        {L"gestures.ini", L"gestures"},
        {L"GESTURES_X.EXE.INI", L"X.EXE"},
        {L"GestGestures_ures_x.ini", L"Gestures_x"}, // one pass: what a removal joins stays
    };
    for (const auto& [file, program] : programs)
        EXPECT_EQ(ProgramFromFileName(file), program);
}

TEST(GestureNames, ActionTypesAndFlags) {
    EXPECT_EQ(ActionTypeToText(TActionType::atMultiKeystroke), L"Multiple Keystrokes");
    EXPECT_EQ(TextToActionType(L"Run Program / File"), TActionType::atProgram);
    EXPECT_EQ(TextToActionType(L"keystroke"), std::nullopt);
    EXPECT_EQ(TextToActionType(L"Macro"), std::nullopt);

    for (const wchar_t* on : {L"1", L"-1", L"2", L"0x10", L"$1"})
        EXPECT_TRUE(ProfileFlag(on)) << on;
    for (const wchar_t* off : {L"0", L"", L"yes", L"1a", L"99999999999", L"-", L"0x"})
        EXPECT_FALSE(ProfileFlag(off)) << off;
}

class GestureFiles : public ::testing::Test {
  protected:
    std::wstring Path(const std::wstring& name) { return GetDataPath() + name; }
    void Write(const std::wstring& name, const std::wstring& text) {
        platform.files.SetText(Path(name), text);
    }
    std::wstring Read(const std::wstring& name) { return platform.files.Text(Path(name)); }

    // A load as the dispatcher (quiet) or the Edit Gestures window makes it.
    const TGestureFile& Load(const std::wstring& name, bool quiet = true) {
        last = store.LoadGestures(name, quiet);
        return *last;
    }
    std::vector<test::Row> Rows() const { return test::Rows(*last); }

    fake::FakePlatform platform;
    TGestureStore store;
    std::shared_ptr<const TGestureFile> last; // what Load gave
};

TEST_F(GestureFiles, TheSameGestureTwiceKeepsTheLaterSection) {
    Write(L"Gestures_x.exe.ini", L"[91]\r\nActionType=Keystroke\r\nAction=000041\r\n"
                                 L"[A1]\r\nActionType=Run Program / File\r\nAction=x.exe|\r\n");
    EXPECT_EQ(Lines(Load(L"Gestures_x.exe.ini")), L"[TOP]+DOWN=A1;");
    store.SaveGestures(L"Gestures_x.exe.ini", *last);
    EXPECT_EQ(Read(L"Gestures_x.exe.ini"),
              L"[A1]\r\nActionType=Run Program / File\r\nAction=x.exe|\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
}

TEST_F(GestureFiles, AnUnchangedFileIsNotReadAgainButAHandEditIsSeen) {
    Write(L"Gestures_a.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                 L"[1]\r\nAction=orphan\r\n");
    Write(L"Gestures_b.exe.ini", L"[1]\r\nActionType=Multiple Keystrokes\r\nAction=000042B\r\n");
    const TGestureFile a = Load(L"Gestures_a.exe.ini");
    Load(L"Gestures_b.exe.ini");
    const int reads = platform.files.profileReads;
    EXPECT_EQ(Load(L"Gestures_a.exe.ini"), a);
    EXPECT_EQ(platform.files.profileReads, reads);
    // b's type of "1" does not leak into a's "1", which has none.
    EXPECT_EQ(last->FindGesture(L"1")->type, L"");
    // A copy changed in memory and not saved leaves the next load, even of the same file, alone.
    TGestureFile changed = *last;
    changed.Set({L"03", L"Macro", L""});
    EXPECT_EQ(Load(L"Gestures_a.exe.ini").FindGesture(L"03")->type, L"Keystroke");
    EXPECT_EQ(*last, a);

    Write(L"Gestures_a.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    EXPECT_EQ(Load(L"Gestures_a.exe.ini").FindGesture(L"03")->action, L"000042B");
    EXPECT_EQ(last->Find(L"DOWN"), nullptr);
}

// With coarse write times a file rewritten at the same size keeps its stamp: what the store itself
// saved or deleted is read again, not taken from the last load.
TEST_F(GestureFiles, WhatTheStoreSavedIsNeverServedFromAnOlderLoad) {
    platform.files.coarseStamps = true;
    const std::wstring a = L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    const std::wstring b = L"[03]\r\nActionType=Keystroke\r\nAction=000042B\r\n";
    const std::wstring file = L"Gestures_x.exe.ini";

    Write(file, a + L"[Settings]\r\ncbDisableAll=0\r\n");
    TGestureFile flagged = Load(file);
    flagged.disabled = true;
    store.SaveGestures(file, flagged); // the same size: only the flag's digit changed
    EXPECT_TRUE(Load(file).disabled) << "a rewrite by the store";

    // Emptied and deleted by a save, then written again (by hand) at the old size.
    Write(file, a);
    Load(file);
    store.SaveGestures(file, TGestureFile{});
    ASSERT_FALSE(platform.files.Exists(Path(file)));
    Write(file, b);
    EXPECT_EQ(Load(file).FindGesture(L"03")->action, L"000042B") << "a deletion by the store";
}

TEST_F(GestureFiles, ActionsComeBackNormalisedOrExactlyAndUnknownTypesLoseTheirAction) {
    Write(L"Gestures_x.exe.ini", L"[Settings]\r\ncbDisableAll=7\r\n"
                                 L"[03]\r\nActionType=Keystroke\r\nAction=010057ctrl+w\r\n"
                                 L"[12]\r\nAction=010057ctrl+w|000074F5\r\n"
                                 L"ActionType=Multiple Keystrokes\r\n"
                                 L"[A1]\r\nActionType=Run Program / File\r\n"
                                 L"Action=%WINDIR%\\notepad.exe|\r\n"
                                 L"[2]\r\nActionType=Macro\r\nAction=keep me?\r\n"
                                 L"[3]\r\nAction=no type\r\n"
                                 L"[1]\r\nActionType=Keystroke\r\n");
    Load(L"Gestures_x.exe.ini", false);
    using Row = test::Row;
    EXPECT_EQ(Rows(), (std::vector<Row>{
                          {L"UP+RIGHT", L"Keystroke", L"ctrl+w"},
                          {L"DOWN+LEFT", L"Multiple Keystrokes", L"ctrl+w | F5"},
                          {L"[TOP]+DOWN", L"Run Program / File", L"%WINDIR%\\notepad.exe | "},
                          {L"LEFT", L"Macro", std::nullopt},
                          {L"RIGHT", L"", std::nullopt},
                          {L"DOWN", L"Keystroke", L"none"},
                      }));
    EXPECT_TRUE(last->disabled);

    store.SaveGestures(L"Gestures_x.exe.ini", *last);
    EXPECT_EQ(Read(L"Gestures_x.exe.ini"),
              L"[03]\r\nActionType=Keystroke\r\nAction=010057ctrl+w\r\n"
              L"[12]\r\nActionType=Multiple Keystrokes\r\nAction=010057ctrl+w|000074F5\r\n"
              L"[A1]\r\nActionType=Run Program / File\r\nAction=%WINDIR%\\notepad.exe|\r\n"
              L"[2]\r\nActionType=Macro\r\n"
              L"[3]\r\nActionType=\r\n"
              L"[1]\r\nActionType=Keystroke\r\nAction=000000none\r\n"
              L"[Settings]\r\ncbDisableAll=1\r\n");
}

// A single keystroke is read into its normal stored form, which a save writes back; its name is
// the stored one, never rebuilt from the key.
TEST_F(GestureFiles, ASingleKeystrokeLoadsInItsNormalFormAndKeepsItsName) {
    struct Case {
        const wchar_t* stored;
        const wchar_t* normal;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"010057ctrl+w", L"010057ctrl+w", L"ctrl+w"},
        {L"01005actrl+z", L"01005Actrl+z", L"ctrl+z"}, // upper-case hexadecimal
        {L"290057CTRL+W", L"110057CTRL+W", L"CTRL+W"}, // a flag is 0 or 1
        {L"00000aX", L"00000AX", L"X"},                // two key digits always
        {L"000041", L"000041", L""},                   // no name
        {L"00041", L"000000none", L"none"},            // too short to be a keystroke
        {L"", L"000000none", L"none"},
        {L"0x0041A", L"0x0041A", L"(invalid keystroke) 0x0041A"}, // malformed: kept as stored
        {L"0000G1A", L"0000G1A", L"(invalid keystroke) 0000G1A"},
    };
    const std::wstring file = L"Gestures_x.exe.ini";
    for (const Case& c : cases) {
        Write(file, std::wstring(L"[03]\r\nActionType=Keystroke\r\nAction=") + c.stored);
        Load(file, false);
        ASSERT_EQ(Rows().size(), 1u);
        EXPECT_EQ(Rows()[0].action, c.shown) << c.stored;
        EXPECT_EQ(last->FindGesture(L"03")->action, c.normal) << c.stored;
        store.SaveGestures(file, *last);
        EXPECT_EQ(Read(file), std::wstring(L"[03]\r\nActionType=Keystroke\r\nAction=") + c.normal +
                                  L"\r\n[Settings]\r\ncbDisableAll=0\r\n")
            << c.stored;
        EXPECT_EQ(Load(file).FindGesture(L"03")->action, c.normal) << c.stored << ": read again";
    }
}

// The profile routines create a file in the ANSI code page and turn what it cannot hold into
// "?". Whatever the file was, a save keeps every character: a Unicode file stays Unicode, a file
// in the code page stays so while the code page holds every value, and a new file is Unicode.
TEST_F(GestureFiles, ASaveKeepsEveryCharacterOfEveryValue) {
    const std::wstring tool = L"C:\\Data\\ツール\\記録.exe|日本 語";
    const std::wstring plain = L"C:\\Tools\\x.exe|-q";
    const std::wstring latin = L"C:\\Données\\x.exe|été";
    struct Case {
        const char* what;
        std::optional<std::wstring> before; // the file as the user left it; none: no file
        bool beforeUnicode;
        std::wstring added; // the action of a binding the user adds before the save
        bool afterUnicode;
    };
    const Case cases[] = {
        {"a Unicode file", L"[03]\r\nActionType=Run Program / File\r\nAction=" + tool + L"\r\n",
         true, plain, true},
        {"a file in the code page that holds all",
         L"[03]\r\nActionType=Run Program / File\r\n"
         L"Action=" +
             latin + L"\r\n",
         false, plain, false},
        {"a file in the code page given what it cannot hold",
         L"[03]\r\nActionType=Run Program / File\r\nAction=" + latin + L"\r\n", false, tool, true},
        {"a new file", std::nullopt, false, tool, true},
        {"a new file of plain text", std::nullopt, false, plain, true},
    };
    const std::wstring file = L"Gestures_notepad.exe.ini";
    for (const Case& c : cases) {
        platform.files.files.erase(Path(file));
        if (c.before && c.beforeUnicode) platform.files.SetUnicodeText(Path(file), *c.before);
        if (c.before && !c.beforeUnicode) Write(file, *c.before);
        TGestureFile edited = Load(file);
        edited.Set({L"1", ActionTypeToText(TActionType::atProgram), c.added});
        const std::vector<std::wstring> saved = test::Bindings(edited);
        store.SaveGestures(file, edited);
        EXPECT_EQ(platform.files.IsUnicode(Path(file)), c.afterUnicode) << c.what;
        TGestureStore reread;
        const std::shared_ptr<const TGestureFile> back = reread.LoadGestures(file, true);
        EXPECT_EQ(test::Bindings(*back), saved) << c.what;
        // Saved once more unchanged, it stays as it is.
        const auto bytes = platform.files.files[Path(file)];
        reread.SaveGestures(file, *back);
        EXPECT_EQ(platform.files.files[Path(file)], bytes) << c.what;
    }
}

TEST_F(GestureFiles, FilesWithoutGesturesAreDeletedUnlessFlaggedOrGlobal) {
    struct Case {
        const wchar_t* file;
        bool disabled;
        const wchar_t* written; // null: no file
    };
    const Case cases[] = {
        {L"Gestures_x.exe.ini", false, nullptr},
        {L"Gestures_x.exe.ini", true, L"[Settings]\r\ncbDisableAll=1\r\n"},
        {L"Gestures.ini", false, L"[Settings]\r\ncbDisableAll=0\r\n"},
        {L"gestures.INI", false, L"[Settings]\r\ncbDisableAll=0\r\n"},
    };
    for (const Case& c : cases) {
        Write(c.file, L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
        TGestureFile emptied = Load(c.file);
        emptied.Remove(L"UP+RIGHT");
        emptied.disabled = c.disabled;
        store.SaveGestures(c.file, emptied);
        EXPECT_EQ(platform.files.Exists(Path(c.file)), c.written != nullptr) << c.file;
        if (c.written) {
            EXPECT_EQ(Read(c.file), c.written) << c.file;
        }
    }
    for (const auto& [path, bytes] : platform.files.files)
        EXPECT_EQ(path.find(L".new"), std::wstring::npos) << "left beside the gesture files";
}

TEST_F(GestureFiles, OnlyTheGlobalFileIsTheGlobalOne) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Write(L"Gestures_x.exe.ini", L"[1]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    Load(L"Gestures.ini");
    Load(L"Gestures_x.exe.ini");
    EXPECT_EQ(Lines(*store.Global()), L"UP+RIGHT=03;");
    EXPECT_EQ(store.Global()->FindGesture(L"03")->action, L"000041A");
    store.SaveGestures(L"Gestures.ini", *last); // saving another file under the global name
    EXPECT_EQ(Lines(*store.Global()), L"DOWN=1;");
}

TEST_F(GestureFiles, AFailedSaveKeepsTheOldFileAndSaysWhere) {
    const std::wstring old = L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    struct Case {
        const char* what;
        std::wstring readOnly;
        bool moveFails;
    };
    const Case cases[] = {
        {"the old file is read-only", Path(L"Gestures_x.exe.ini"), false},
        {"the new file cannot be made", Path(L"Gestures_x.exe.ini.new"), false},
        {"the swap fails", L"", true},
    };
    for (const Case& c : cases) {
        Write(L"Gestures_x.exe.ini", old);
        TGestureFile edited = Load(L"Gestures_x.exe.ini");
        edited.Set({L"1", L"Keystroke", L"000042B"});
        platform.files.readOnly = {c.readOnly};
        platform.files.moveFails = c.moveFails;
        try {
            store.SaveGestures(L"Gestures_x.exe.ini", edited);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), L"Unable to write to " + Path(L"Gestures_x.exe.ini")) << c.what;
        }
        EXPECT_EQ(Read(L"Gestures_x.exe.ini"), old) << c.what;
        EXPECT_EQ(platform.files.files.size(), 1u) << c.what << ": the partial file is removed";
    }
}

TEST_F(GestureFiles, ALeftoverOfAnInterruptedSaveIsNotMergedIn) {
    Write(L"Gestures_x.exe.ini.new", L"[7]\r\nActionType=Keystroke\r\n");
    TGestureFile f;
    f.Set({L"0", L"Macro", L""});
    store.SaveGestures(L"Gestures_x.exe.ini", f);
    EXPECT_EQ(Read(L"Gestures_x.exe.ini"),
              L"[0]\r\nActionType=Macro\r\n[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_FALSE(platform.files.Exists(Path(L"Gestures_x.exe.ini.new")));
}

TEST_F(GestureFiles, ValuesTheProfileReaderWouldTrimOrUnquoteSurviveASave) {
    const std::wstring quotedBoth = L"\"C:\\My Apps\\x.exe\"|\"C:\\My Docs\\a b.txt\"";
    TGestureFile f;
    f.Set({L"0", L"Run Program / File", quotedBoth});
    f.Set({L"1", L"Run Program / File", L" x.exe| "});
    f.Set({L"2", L"Run Program / File", L"\"C:\\My Apps\\x.exe\"|-q"});
    store.SaveGestures(L"Gestures_x.exe.ini", f);
    EXPECT_NE(Read(L"Gestures_x.exe.ini").find(L"Action=\"C:\\My Apps\\x.exe\"|-q\r\n"),
              std::wstring::npos)
        << "a value the reader keeps is written as it is";

    TGestureStore reread;
    EXPECT_EQ(*reread.LoadGestures(L"Gestures_x.exe.ini", true), f);
}

TEST_F(GestureFiles, HostileFilesNeitherCrashNorLoseWhatTheyHold) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    garbage += "\r\n[03]\r\nActionType=Keystroke\r\nAction=01005\x01\r\n[0]\r\nActionType=";
    const std::wstring longValue(100000, L'v');
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"binary garbage", std::vector<std::uint8_t>(garbage.begin(), garbage.end())},
        {"a value of 100,000 characters", {}},
        {"a malformed keystroke between good ones", {}},
    };
    platform.files.SetText(L"tmp", L"[0]\r\nActionType=Multiple Keystrokes\r\nAction=" + longValue +
                                       L"\r\n");
    cases[1].bytes = platform.files.files[L"tmp"];
    platform.files.SetText(L"tmp", L"[0]\r\nActionType=Keystroke\r\nAction=000041\r\n"
                                   L"[1]\r\nActionType=Keystroke\r\nAction=0x0041\r\n"
                                   L"[2]\r\nActionType=Keystroke\r\nAction=000042\r\n");
    cases[2].bytes = platform.files.files[L"tmp"];
    platform.files.files.erase(L"tmp");

    for (const Case& c : cases) {
        platform.files.files[Path(L"Gestures_x.exe.ini")] = c.bytes;
        const std::vector<std::wstring> first = test::Bindings(Load(L"Gestures_x.exe.ini", false));
        store.SaveGestures(L"Gestures_x.exe.ini", *last);
        TGestureStore again;
        EXPECT_EQ(test::Bindings(*again.LoadGestures(L"Gestures_x.exe.ini", true)), first)
            << c.what;
    }
    // The long value was read through the 2048-character buffer.
    platform.files.files[Path(L"Gestures_x.exe.ini")] = cases[1].bytes;
    EXPECT_EQ(Load(L"Gestures_x.exe.ini").FindGesture(L"0")->action, std::wstring(2047, L'v'));
    // The malformed keystroke stays as stored and the bindings after it are loaded.
    platform.files.files[Path(L"Gestures_x.exe.ini")] = cases[2].bytes;
    std::wstring actions;
    for (const TGestureBinding& b : Load(L"Gestures_x.exe.ini").Bindings())
        actions += b.gesture + L"=" + b.action + L";";
    EXPECT_EQ(actions, L"0=000041;1=0x0041;2=000042;");
}

// --- the scan ----------------------------------------------------------------------------------

class Scan : public GestureFiles {
  protected:
    HWindow AddProgram(std::uint32_t pid, const std::wstring& exe, bool visible = true) {
        platform.system.processes.push_back({pid, exe});
        return platform.desktop.AddWindow(pid, pid, visible);
    }
    void TopIsForeground() { platform.desktop.foreground = platform.desktop.zorder.front().handle; }
};

TEST_F(Scan, ListsNonEmptyProgramFilesAndTheProgramsDownTheZOrder) {
    platform.files.SetText(Path(L"Gestures_a.exe.ini"), L"x");
    platform.files.SetText(Path(L"Gestures_empty.exe.ini"), L"");
    platform.files.SetText(Path(L"gestures.ini"), L"[Settings]");
    platform.files.SetText(Path(L"Gestures.ini"), L"[Settings]");
    platform.files.SetText(Path(L"Notes.ini"), L"x");
    // Added bottom first.
    AddProgram(7, L"tool.com");
    AddProgram(2, L"notepad.exe");
    AddProgram(6, L"hidden.exe", false);
    AddProgram(3, L"calc.exe");
    AddProgram(2, L"notepad.exe");
    AddProgram(1, L"Farrowglimmer.EXE");
    AddProgram(2, L"notepad.exe");
    TopIsForeground();

    TScanLists lists = TGatherINIData::Execute();
    std::sort(lists.inis.begin(), lists.inis.end());
    EXPECT_EQ(lists.inis, (std::vector<std::wstring>{L"Gestures_a.exe.ini", L"gestures.ini"}));
    EXPECT_EQ(lists.progs,
              (std::vector<std::wstring>{L"notepad.exe", L"calc.exe", L"notepad.exe"}));

    // The window lists two programs and shows the first.
    TFrmGesturesEdit window(store, nullptr, {.startScan = [] {}});
    window.tsSwitchChange(kProgramTab);
    window.ReportScanDone({{}, {L"CALC.EXE", L"a.exe"}});
    window.lbProgramsSelectItem(0);
    Write(L"Gestures_CALC.EXE.ini", L"[0]\r\nActionType=Macro\r\n");
    test::LogMark mark;
    window.ReportScanDone(lists);
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[FGest] INI count 2", L"[FGest] PROGS count 3"}));
    using P = TFrmGesturesEdit::TProgramRow;
    EXPECT_EQ(
        window.Programs(),
        (std::vector<P>{
            {L"CALC.EXE", true}, {L"a.exe", true}, {L"gestures", true}, {L"notepad.exe", false}}))
        << "the shown program's icon follows its file";
    EXPECT_EQ(window.ShownFile(), L"Gestures_CALC.EXE.ini");
    EXPECT_EQ(window.Rows().size(), 1u) << "the selected program's file is shown";
}

// The main thread as a scan sees it: a hand-over waits until the test runs it.
class MainThread {
  public:
    void Call(const std::function<void()>& f) {
        std::unique_lock<std::mutex> lock(m);
        Item& mine = items.emplace_back(Item{&f, false});
        changed.notify_all();
        changed.wait(lock, [&] { return mine.done; });
    }
    bool WaitForCalls(std::size_t n) {
        std::unique_lock<std::mutex> lock(m);
        return changed.wait_for(lock, 10s, [&] { return items.size() >= n; });
    }
    void Run(std::size_t i) {
        const std::function<void()>* f;
        {
            std::lock_guard<std::mutex> lock(m);
            f = std::next(items.begin(), static_cast<std::ptrdiff_t>(i))->f;
        }
        (*f)();
        std::lock_guard<std::mutex> lock(m);
        std::next(items.begin(), static_cast<std::ptrdiff_t>(i))->done = true;
        changed.notify_all();
    }

  private:
    struct Item {
        const std::function<void()>* f;
        bool done;
    };
    std::mutex m;
    std::condition_variable changed;
    std::list<Item> items;
};

TEST_F(Scan, OverlappingScansEachHandOverTheirOwnLists) {
    MainThread mainThread;
    TFrmGesturesEdit window(store, nullptr, {.mainThread = [&](const std::function<void()>& f) {
                                mainThread.Call(f);
                            }});

    platform.files.SetText(Path(L"Gestures_a.exe.ini"), L"x");
    AddProgram(2, L"notepad.exe");
    TopIsForeground();
    window.tsSwitchChange(kProgramTab);
    ASSERT_TRUE(mainThread.WaitForCalls(1));

    // The first scan waits for its hand-over while the world changes and a second one runs.
    platform.files.SetText(Path(L"Gestures_b.exe.ini"), L"x");
    AddProgram(3, L"calc.exe");
    TopIsForeground();
    window.ShowWithCurrentForegroundProgram(); // calc.exe is not listed yet: a scan of its own
    ASSERT_TRUE(mainThread.WaitForCalls(2));

    test::LogMark mark;
    mainThread.Run(1);
    mainThread.Run(0);
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[FGest] INI count 2", L"[FGest] PROGS count 2",
                                         L"[FGest] INI count 1", L"[FGest] PROGS count 1"}));
    EXPECT_TRUE(TGatherINIData::WaitUntilIdle(10s));
}

} // namespace
} // namespace fg
