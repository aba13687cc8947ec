// The gesture files and their store: the list rules, names, load and save through the profile
// routines, saves that fail, hostile files, and the scan of files and programs.
#include "GestureFakes.h"
#include "LogLines.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestures.h"
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

std::wstring Lines(const TNameValueList& l) {
    std::wstring s;
    for (std::size_t i = 0; i < l.Count(); ++i)
        s += l.Name(i) + L"=" + l.ValueAt(i) + L";";
    return s;
}

TEST(NameValueList, FollowsTheListRules) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::wstring, std::wstring>> sets;
        std::wstring lines;
        std::vector<std::pair<std::wstring, std::wstring>> lookups;
    };
    const Case cases[] = {
        {"appends in order",
         {{L"b", L"1"}, {L"a", L"2"}},
         L"b=1;a=2;",
         {{L"B", L"1"}, {L"c", L""}}},
        {"replaces in place under the new spelling",
         {{L"UP", L"0"}, {L"DOWN", L"1"}, {L"up", L"00"}},
         L"up=00;DOWN=1;",
         {{L"Up", L"00"}}},
        {"the empty value removes",
         {{L"a", L"1"}, {L"b", L"2"}, {L"A", L""}, {L"zz", L""}},
         L"b=2;",
         {{L"a", L""}}},
        {"the value is all after the first =", {{L"x", L"1=2"}}, L"x=1=2;", {{L"x", L"1=2"}}},
        {"a name with = is cut at it, and the first match wins",
         {{L"a", L"x"}, {L"a=b", L"c"}},
         L"a=x;a=b=c;",
         {{L"a", L"x"}, {L"a=b", L""}}},
        {"the empty name", {{L"", L"v"}}, L"=v;", {{L"", L"v"}}},
    };
    for (const Case& c : cases) {
        TNameValueList list;
        for (const auto& [name, value] : c.sets)
            list.SetValue(name, value);
        EXPECT_EQ(Lines(list), c.lines) << c.what;
        for (const auto& [name, value] : c.lookups)
            EXPECT_EQ(list.Value(name), value) << c.what;
    }
}

TEST(NameValueList, ACopyIsUntouchedByChangesToTheOther) {
    TNameValueList a;
    a.SetValue(L"x", L"1");
    a.SetValue(L"y", L"2");
    const TNameValueList before = a;
    for (const auto& change : std::vector<std::function<void(TNameValueList&)>>{
             [](TNameValueList& l) { l.SetValue(L"X", L"3"); },
             [](TNameValueList& l) { l.SetValue(L"y", L""); },
             [](TNameValueList& l) { l.SetValue(L"z", L"4"); },
             [](TNameValueList& l) { l.Clear(); },
         }) {
        TNameValueList copy = a;
        change(copy);
        EXPECT_EQ(Lines(a), L"x=1;y=2;");
        EXPECT_EQ(a.Value(L"x"), L"1");
        change(a);
        EXPECT_EQ(Lines(copy), Lines(a)) << "the same change gives the same list";
        a = before;
    }
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

    fake::FakePlatform platform;
    test::RecordingView view;
    TGestureStore store{nullptr, &view};
};

TEST_F(GestureFiles, TheSameGestureTwiceKeepsTheLaterSection) {
    Write(L"Gestures_x.exe.ini", L"[91]\r\nActionType=Keystroke\r\nAction=000041\r\n"
                                 L"[A1]\r\nActionType=Run Program / File\r\nAction=x.exe|\r\n");
    store.LoadGestures(L"Gestures_x.exe.ini", true);
    EXPECT_EQ(Lines(store.Gestures), L"[TOP]+DOWN=A1;");
    store.SaveGestures(L"Gestures_x.exe.ini");
    EXPECT_EQ(Read(L"Gestures_x.exe.ini"),
              L"[A1]\r\nActionType=Run Program / File\r\nAction=x.exe|\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
}

TEST_F(GestureFiles, AnUnchangedFileIsNotReadAgainButAHandEditIsSeen) {
    Write(L"Gestures_a.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                 L"[1]\r\nAction=orphan\r\n");
    Write(L"Gestures_b.exe.ini", L"[1]\r\nActionType=Multiple Keystrokes\r\nAction=000042B\r\n");
    store.LoadGestures(L"Gestures_a.exe.ini", true);
    const TNameValueList gestures = store.Gestures, actions = store.Actions;
    store.LoadGestures(L"Gestures_b.exe.ini", true);
    const int reads = platform.files.profileReads;
    store.LoadGestures(L"Gestures_a.exe.ini", true);
    EXPECT_EQ(platform.files.profileReads, reads);
    EXPECT_EQ(store.Gestures, gestures);
    EXPECT_EQ(store.Actions, actions);
    // b's type of "1" does not leak into a's "1", which has none.
    EXPECT_EQ(store.ActionTypes.Value(L"1"), L"");
    // What was changed in memory and not saved is gone at the next load, even of the same file.
    store.ActionTypes.SetValue(L"03", L"Macro");
    store.Actions.SetValue(L"03", L"");
    store.LoadGestures(L"Gestures_a.exe.ini", true);
    EXPECT_EQ(store.ActionTypes.Value(L"03"), L"Keystroke");
    EXPECT_EQ(store.Actions, actions);

    Write(L"Gestures_a.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    store.LoadGestures(L"Gestures_a.exe.ini", true);
    EXPECT_EQ(store.Actions.Value(L"03"), L"000042B");
    EXPECT_EQ(store.Gestures.Value(L"DOWN"), L"");
}

// With coarse write times a file rewritten at the same size keeps its stamp: what the store itself
// saved or deleted is read again, not taken from the last load.
TEST_F(GestureFiles, WhatTheStoreSavedIsNeverServedFromAnOlderLoad) {
    platform.files.coarseStamps = true;
    const std::wstring a = L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    const std::wstring b = L"[03]\r\nActionType=Keystroke\r\nAction=000042B\r\n";
    const std::wstring file = L"Gestures_x.exe.ini";

    Write(file, a + L"[Settings]\r\ncbDisableAll=0\r\n");
    store.LoadGestures(file, true);
    store.cbDisableAll = true;
    store.SaveGestures(file); // the same size: only the flag's digit changed
    store.LoadGestures(file, true);
    EXPECT_TRUE(store.cbDisableAll) << "a rewrite by the store";

    // Emptied and deleted by a save, then written again (by hand) at the old size.
    store.Gestures.Clear();
    store.cbDisableAll = false;
    Write(file, a);
    store.LoadGestures(file, true);
    store.Gestures.Clear();
    store.SaveGestures(file);
    ASSERT_FALSE(platform.files.Exists(Path(file)));
    Write(file, b);
    store.LoadGestures(file, true);
    EXPECT_EQ(store.Actions.Value(L"03"), L"000042B") << "a deletion by the store";
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
    store.LoadGestures(L"Gestures_x.exe.ini", false);
    using Row = test::RecordingView::Row;
    EXPECT_EQ(view.rows, (std::vector<Row>{
                             {L"UP+RIGHT", L"Keystroke", L"ctrl+w"},
                             {L"DOWN+LEFT", L"Multiple Keystrokes", L"ctrl+w | F5"},
                             {L"[TOP]+DOWN", L"Run Program / File", L"%WINDIR%\\notepad.exe | "},
                             {L"LEFT", L"Macro", std::nullopt},
                             {L"RIGHT", L"", std::nullopt},
                             {L"DOWN", L"Keystroke", L"none"},
                         }));
    EXPECT_TRUE(store.cbDisableAll);

    store.SaveGestures(L"Gestures_x.exe.ini");
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
        store.LoadGestures(file, false);
        ASSERT_EQ(view.rows.size(), 1u);
        EXPECT_EQ(view.rows[0].action, c.shown) << c.stored;
        EXPECT_EQ(store.Actions.Value(L"03"), c.normal) << c.stored;
        store.SaveGestures(file);
        EXPECT_EQ(Read(file), std::wstring(L"[03]\r\nActionType=Keystroke\r\nAction=") + c.normal +
                                  L"\r\n[Settings]\r\ncbDisableAll=0\r\n")
            << c.stored;
        store.LoadGestures(file, true);
        EXPECT_EQ(store.Actions.Value(L"03"), c.normal) << c.stored << ": read again";
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
        store.LoadGestures(file, true);
        store.StoreGesture(L"DOWN", L"1", c.added, TActionType::atProgram);
        const std::vector<std::wstring> saved = test::Bindings(store);
        store.SaveGestures(file);
        EXPECT_EQ(platform.files.IsUnicode(Path(file)), c.afterUnicode) << c.what;
        TGestureStore reread{nullptr, nullptr};
        reread.LoadGestures(file, true);
        EXPECT_EQ(test::Bindings(reread), saved) << c.what;
        // Saved once more unchanged, it stays as it is.
        const auto bytes = platform.files.files[Path(file)];
        reread.SaveGestures(file);
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
        store.LoadGestures(c.file, true);
        store.Gestures.SetValue(L"UP+RIGHT", L"");
        store.cbDisableAll = c.disabled;
        store.SaveGestures(c.file);
        EXPECT_EQ(platform.files.Exists(Path(c.file)), c.written != nullptr) << c.file;
        if (c.written) {
            EXPECT_EQ(Read(c.file), c.written) << c.file;
        }
    }
    for (const auto& [path, bytes] : platform.files.files)
        EXPECT_EQ(path.find(L".new"), std::wstring::npos) << "left beside the gesture files";
}

TEST_F(GestureFiles, OnlyTheGlobalFileFillsTheGlobalLists) {
    Write(L"Gestures.ini", L"[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    Write(L"Gestures_x.exe.ini", L"[1]\r\nActionType=Keystroke\r\nAction=000042B\r\n");
    store.LoadGestures(L"Gestures.ini", true);
    store.LoadGestures(L"Gestures_x.exe.ini", true);
    EXPECT_EQ(Lines(store.GlobalGestures), L"UP+RIGHT=03;");
    EXPECT_EQ(Lines(store.GlobalActions), L"03=000041A;");
    store.SaveGestures(L"Gestures.ini"); // saving the current lists under the global name
    EXPECT_EQ(Lines(store.GlobalGestures), L"DOWN=1;");
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
        store.LoadGestures(L"Gestures_x.exe.ini", true);
        store.Gestures.SetValue(L"DOWN", L"1");
        platform.files.readOnly = {c.readOnly};
        platform.files.moveFails = c.moveFails;
        try {
            store.SaveGestures(L"Gestures_x.exe.ini");
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
    store.Gestures.SetValue(L"UP", L"0");
    store.ActionTypes.SetValue(L"0", L"Macro");
    store.SaveGestures(L"Gestures_x.exe.ini");
    EXPECT_EQ(Read(L"Gestures_x.exe.ini"),
              L"[0]\r\nActionType=Macro\r\n[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_FALSE(platform.files.Exists(Path(L"Gestures_x.exe.ini.new")));
}

TEST_F(GestureFiles, ValuesTheProfileReaderWouldTrimOrUnquoteSurviveASave) {
    const std::wstring quotedBoth = L"\"C:\\My Apps\\x.exe\"|\"C:\\My Docs\\a b.txt\"";
    store.Gestures.SetValue(L"UP", L"0");
    store.ActionTypes.SetValue(L"0", L"Run Program / File");
    store.Actions.SetValue(L"0", quotedBoth);
    store.Gestures.SetValue(L"DOWN", L"1");
    store.ActionTypes.SetValue(L"1", L"Run Program / File");
    store.Actions.SetValue(L"1", L" x.exe| ");
    store.Gestures.SetValue(L"LEFT", L"2");
    store.ActionTypes.SetValue(L"2", L"Run Program / File");
    store.Actions.SetValue(L"2", L"\"C:\\My Apps\\x.exe\"|-q");
    store.SaveGestures(L"Gestures_x.exe.ini");
    EXPECT_NE(Read(L"Gestures_x.exe.ini").find(L"Action=\"C:\\My Apps\\x.exe\"|-q\r\n"),
              std::wstring::npos)
        << "a value the reader keeps is written as it is";

    TGestureStore reread;
    reread.LoadGestures(L"Gestures_x.exe.ini", true);
    EXPECT_EQ(reread.Actions.Value(L"0"), quotedBoth);
    EXPECT_EQ(reread.Actions.Value(L"1"), L" x.exe| ");
    EXPECT_EQ(reread.Actions.Value(L"2"), L"\"C:\\My Apps\\x.exe\"|-q");
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
        store.LoadGestures(L"Gestures_x.exe.ini", false);
        const std::vector<std::wstring> first = test::Bindings(store);
        store.SaveGestures(L"Gestures_x.exe.ini");
        TGestureStore again;
        again.LoadGestures(L"Gestures_x.exe.ini", true);
        EXPECT_EQ(test::Bindings(again), first) << c.what;
    }
    // The long value was read through the 2048-character buffer.
    platform.files.files[Path(L"Gestures_x.exe.ini")] = cases[1].bytes;
    store.LoadGestures(L"Gestures_x.exe.ini", true);
    EXPECT_EQ(store.Actions.Value(L"0"), std::wstring(2047, L'v'));
    // The malformed keystroke stays as stored and the bindings after it are loaded.
    platform.files.files[Path(L"Gestures_x.exe.ini")] = cases[2].bytes;
    store.LoadGestures(L"Gestures_x.exe.ini", true);
    EXPECT_EQ(Lines(store.Actions), L"0=000041;1=0x0041;2=000042;");
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

    view.programs = {{L"CALC.EXE", false}, {L"a.exe", false}};
    view.selected = L"CALC.EXE";
    Write(L"Gestures_CALC.EXE.ini", L"[0]\r\nActionType=Macro\r\n");
    test::LogMark mark;
    store.ReportScanDone(lists);
    EXPECT_EQ(mark.Messages(),
              (std::vector<std::wstring>{L"[FGest] INI count 2", L"[FGest] PROGS count 3"}));
    using P = test::RecordingView::Program;
    EXPECT_EQ(
        view.programs,
        (std::vector<P>{
            {L"CALC.EXE", false}, {L"a.exe", true}, {L"gestures", true}, {L"notepad.exe", false}}));
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(store.lastINI, L"Gestures_CALC.EXE.ini");
    EXPECT_EQ(view.rows.size(), 1u) << "the selected program's file is shown";
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
    TGesturesParts parts;
    parts.mainThread = [&](const std::function<void()>& f) { mainThread.Call(f); };
    TFrmGestures gestures(parts);

    platform.files.SetText(Path(L"Gestures_a.exe.ini"), L"x");
    AddProgram(2, L"notepad.exe");
    TopIsForeground();
    gestures.StartScan();
    ASSERT_TRUE(mainThread.WaitForCalls(1));

    // The first scan waits for its hand-over while the world changes and a second one runs.
    platform.files.SetText(Path(L"Gestures_b.exe.ini"), L"x");
    AddProgram(3, L"calc.exe");
    TopIsForeground();
    gestures.StartScan();
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
