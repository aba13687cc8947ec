// The per-program list files: each encoding read and written back as it came, the toggle rules,
// and a write that fails leaving the user's file as it was.
#include "app/UnitExeList.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fg {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::wstring>;

class ExeList : public ::testing::Test {
  protected:
    std::wstring Path() const { return GetDataPath() + L"disabled.ini"; }
    fake::FakePlatform os;
};

// "[x]" (a line without "=") and "é.exe=" (no value) in each encoding; toggling é.exe gives it
// the value 1 and writes the file back in the encoding, with the mark, it was read in.
struct EncodingCase {
    const char* name;
    TListEncoding encoding;
    Bytes before;
    Bytes after;
};

const EncodingCase kEncodings[] = {
    {"UTF-8",
     TListEncoding::Utf8,
     {0xEF, 0xBB, 0xBF, '[', 'x', ']', '\r', '\n', 0xC3, 0xA9, '.', 'e', 'x', 'e', '=', '\r', '\n'},
     {0xEF, 0xBB, 0xBF, '[', 'x', ']', '\r', '\n', 0xC3, 0xA9, '.', 'e', 'x', 'e', '=', '1', '\r',
      '\n'}},
    {"UTF-16 LE",
     TListEncoding::Utf16Le,
     {0xFF, 0xFE, '[', 0, 'x', 0, ']', 0, '\n', 0, 0xE9, 0, '.', 0, 'e', 0, 'x', 0, 'e', 0, '=', 0},
     {0xFF, 0xFE, '[', 0,   'x', 0,   ']', 0,   '\r', 0,   '\n', 0,    0xE9, 0,    '.',
      0,    'e',  0,   'x', 0,   'e', 0,   '=', 0,    '1', 0,    '\r', 0,    '\n', 0}},
    {"UTF-16 BE",
     TListEncoding::Utf16Be,
     {0xFE, 0xFF, 0, '[', 0, 'x', 0, ']', 0, '\r', 0, '\n', 0, 0xE9,
      0,    '.',  0, 'e', 0, 'x', 0, 'e', 0, '=',  0, '\r', 0, '\n'},
     {0xFE, 0xFF, 0,   '[', 0,   'x', 0,   ']', 0,   '\r', 0,   '\n', 0,    0xE9, 0,
      '.',  0,    'e', 0,   'x', 0,   'e', 0,   '=', 0,    '1', 0,    '\r', 0,    '\n'}},
    // The fake's ANSI code page is Latin-1.
    {"ANSI",
     TListEncoding::Ansi,
     {'[', 'x', ']', '\r', 0xE9, '.', 'e', 'x', 'e', '='},
     {'[', 'x', ']', '\r', '\n', 0xE9, '.', 'e', 'x', 'e', '=', '1', '\r', '\n'}},
};

TEST_F(ExeList, EachEncodingIsReadAndWrittenBackInItsOwnForm) {
    for (const EncodingCase& c : kEncodings) {
        SCOPED_TRACE(c.name);
        os.files.files[Path()] = c.before;
        TExeList list(Path());
        list.Load();
        EXPECT_EQ(list.Encoding(), c.encoding);
        EXPECT_EQ(list.Lines(), (Lines{L"[x]", L"\u00e9.exe="}));
        EXPECT_FALSE(list.IsOn(L"\u00e9.exe"));
        list.Toggle(L"\u00e9.exe");
        ASSERT_TRUE(list.Save());
        EXPECT_EQ(os.files.files[Path()], c.after);
    }
}

// A name the code page cannot hold would be written as "?": the list moves to UTF-16 instead.
TEST_F(ExeList, AnAnsiListGivenANameTheCodePageCannotHoldBecomesUtf16) {
    os.files.files[Path()] = {'a', '.', 'e', 'x', 'e', '=', '1', '\r', '\n'};
    TExeList list(Path());
    list.Load();
    list.Toggle(L"記録.exe");
    ASSERT_TRUE(list.Save());
    TExeList again(Path());
    again.Load();
    EXPECT_EQ(again.Encoding(), TListEncoding::Utf16Le);
    EXPECT_EQ(again.Lines(), (Lines{L"a.exe=1", L"記録.exe=1"}));
}

TEST_F(ExeList, CharactersBeyondTheBasicPlaneKeepTheirBytes) {
    // U+1F600 is two UTF-16 code units and four UTF-8 bytes.
    const Bytes utf8 = {0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80, '=', '1', '\r', '\n'};
    const Bytes utf16 = {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE, '=', 0, '1', 0, '\r', 0, '\n', 0};
    for (const Bytes& file : {utf8, utf16}) {
        os.files.files[Path()] = file;
        TExeList list(Path());
        list.Load();
        list.Toggle(L"x.exe");
        list.Toggle(L"x.exe"); // on and off again: the list is rewritten, the same
        ASSERT_TRUE(list.Save());
        EXPECT_EQ(os.files.files[Path()], file);
    }
}

TEST_F(ExeList, AnUnchangedListGoesBackByteForByte) {
    // Bare line feeds, no break at the end and a malformed UTF-8 byte: nothing the program
    // understands any better than the user's editor does.
    const Bytes file = {0xEF, 0xBB, 0xBF, 'a', '=', '1', '\n', 0xFF, 'b', '\n', 'c', '=', '1'};
    os.files.files[Path()] = file;
    TExeList list(Path());
    list.Load();
    EXPECT_TRUE(list.IsOn(L"C"));
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(os.files.files[Path()], file);
}

TEST_F(ExeList, AMissingFileIsAnEmptyListAndIsCreatedEmpty) {
    TExeList list(Path());
    list.Load();
    EXPECT_TRUE(list.Lines().empty());
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(os.files.files.at(Path()), Bytes{});
    list.Toggle(L"notepad.exe");
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(os.files.Text(Path()), L"notepad.exe=1\r\n");
}

TEST_F(ExeList, AFailedWriteLeavesTheOldFile) {
    const Bytes file = {'a', '=', '1', '\r', '\n'};
    os.files.files[Path()] = file;
    TExeList list(Path());
    list.Load();
    list.Toggle(L"b.exe");
    os.files.readOnly.insert(Path());
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(os.files.files[Path()], file);
    EXPECT_EQ(os.files.files.size(), 1u) << "nothing is left beside it";
}

struct ToggleCase {
    const char* what;
    Lines before;
    bool onBefore;
    Lines after;
};

const ToggleCase kToggles[] = {
    {"absent: added", {L"a.exe=1"}, false, {L"a.exe=1", L"Notepad.exe=1"}},
    {"on: removed, whatever the case", {L"NOTEPAD.EXE=1", L"b=1"}, true, {L"b=1"}},
    {"any value counts as on", {L"notepad.exe=0"}, true, {}},
    {"empty value: given 1", {L"x", L"notepad.exe="}, false, {L"x", L"notepad.exe=1"}},
    {"the first line of the name decides",
     {L"notepad.exe=", L"notepad.exe=1"},
     false,
     {L"notepad.exe=1", L"notepad.exe=1"}},
    {"a line without \"=\" names nothing",
     {L"notepad.exe"},
     false,
     {L"notepad.exe", L"Notepad.exe=1"}},
    {"the name ends at the first \"=\"", {L"notepad.exe=a=b"}, true, {}},
};

TEST_F(ExeList, ToggleRules) {
    for (const ToggleCase& c : kToggles) {
        SCOPED_TRACE(c.what);
        std::wstring text;
        for (const std::wstring& line : c.before)
            text += line + L"\r\n";
        const std::string ansi(text.begin(), text.end());
        os.files.files[Path()] = Bytes(ansi.begin(), ansi.end());
        TExeList list(Path());
        list.Load();
        EXPECT_EQ(list.IsOn(L"Notepad.exe"), c.onBefore);
        list.Toggle(L"Notepad.exe");
        EXPECT_EQ(list.Lines(), c.after);
        EXPECT_EQ(list.IsOn(L"notepad.exe"), !c.onBefore);
    }
}

} // namespace
} // namespace fg
