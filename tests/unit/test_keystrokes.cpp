// The keystroke record's text forms: the stored form both ways, the display name and its key
// names, and the stored forms that must be refused.
#include "KeystrokeBuilder.h"
#include "actions/UnitFrmHotKey.h"
#include "platform/Errors.h"
#include "app/UnitToken.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fg {
namespace {

const TFrmKeystrokeEdit& Edit() {
    return *FrmKeystrokeEdit;
}

using test::Keys;

TEST(KeystrokeForms, StoredFormBothWays) {
    const struct {
        TKeystrokeData keys;
        const wchar_t* stored;
    } cases[] = {
        {Keys(false, true, false, false, 0x57, L"CTRL+W"), L"010057CTRL+W"},
        {Keys(false, false, false, false, 116, L"F5"), L"000074F5"},
        {Keys(true, false, false, false, 115, L"ALT+F4"), L"100073ALT+F4"},
        {Keys(false, true, true, false, 27, L"CTRL+SHIFT+ESCAPE"), L"01101BCTRL+SHIFT+ESCAPE"},
        {Keys(false, false, false, true, 77, L"WINKEY+M"), L"00014DWINKEY+M"},
        {Keys(false, false, false, false, 222, L""), L"0000DE"},
        {TKeystrokeData{}, L"000000none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Edit().ToString(c.keys), c.stored);
        EXPECT_EQ(Edit().FromString(c.stored), c.keys);
        EXPECT_EQ(Edit().ToString(Edit().FromString(c.stored)), c.stored);
    }
}

TEST(KeystrokeForms, FromStringReadsWhatItFinds) {
    const struct {
        const wchar_t* stored;
        TKeystrokeData keys;
    } cases[] = {
        {L"100073", Keys(true, false, false, false, 115, L"")}, // no name
        {L"10007", TKeystrokeData{}},                           // too short: the default record
        {L"", TKeystrokeData{}},
        {L"0100c3X", Keys(false, true, false, false, 195, L"X")},          // lower-case hexadecimal
        {L"2900FFname|x", Keys(true, true, false, false, 255, L"name|x")}, // any digit sets
        {L"010041WRONG NAME", Keys(false, true, false, false, 65, L"WRONG NAME")}, // kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Edit().FromString(c.stored), c.keys);
    }
    EXPECT_EQ(Edit().FromString(L"10007").name, L"none");
}

TEST(KeystrokeForms, MalformedFieldsRaiseAConversionError) {
    const struct {
        const wchar_t* stored;
        const wchar_t* message;
    } cases[] = {
        {L"0x0057CTRL+W", L"'x' is not a valid integer value in the keystroke \"0x0057CTRL+W\""},
        {L" 10057", L"' ' is not a valid integer value in the keystroke \" 10057\""},
        {L"0100G7", L"'G7' is not a valid hexadecimal value in the keystroke \"0100G7\""},
        {L"01005 A", L"'5 ' is not a valid hexadecimal value in the keystroke \"01005 A\""},
        {L"0100-1", L"'-1' is not a valid hexadecimal value in the keystroke \"0100-1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        try {
            Edit().FromString(c.stored);
            ADD_FAILURE() << "no error";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(KeystrokeForms, AListSplitsWithAnEmptyFieldAsTheDefaultRecord) {
    std::wstring list = L"010057CTRL+W||000074F5";
    std::vector<std::wstring> names;
    while (!list.empty())
        names.push_back(Edit().FromString(NextToken(list, L"|")).name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"CTRL+W", L"none", L"F5"}));
}

TEST(KeystrokeForms, DisplayNameAndValidity) {
    const struct {
        bool alt, shift, ctrl, win;
        std::uint16_t key;
        const wchar_t* name;
        bool valid;
    } cases[] = {
        {true, true, true, true, 65, L"WINKEY+CTRL+SHIFT+ALT+A", true},
        {false, false, false, false, 112, L"F1", false},
        {false, false, true, false, 17, L"CTRL+", false}, // Ctrl itself has no name
        {false, true, false, false, 187, L"SHIFT+=", true},
        {false, false, true, true, 27, L"WINKEY+CTRL+ESCAPE", true},
        {true, false, false, false, 0, L"ALT+", false},
        {false, false, false, false, 0, L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool valid = !c.valid;
        EXPECT_EQ(Edit().GetHumanReadable(c.alt, c.shift, c.ctrl, c.win, c.key, valid), c.name);
        EXPECT_EQ(valid, c.valid);
        // The record's own name plays no part.
        valid = !c.valid;
        EXPECT_EQ(Edit().GetHumanReadable(Keys(c.alt, c.ctrl, c.shift, c.win, c.key, L"x"), valid),
                  c.name);
        EXPECT_EQ(valid, c.valid);
    }
}

TEST(KeystrokeForms, KeyNames) {
    const struct {
        std::uint16_t key;
        const wchar_t* name;
    } cases[] = {
        {8, L"BACKSPACE"}, {13, L"ENTER"},    {19, L"PAUSE"},     {33, L"PAGEUP"},    {40, L"DOWN"},
        {42, L"PRINT"},    {44, L""},         {46, L"DELETE"},    {48, L"0"},         {57, L"9"},
        {90, L"Z"},        {96, L"NUMPAD 0"}, {105, L"NUMPAD 9"}, {106, L"MULTIPLY"}, {108, L""},
        {111, L"DIVIDE"},  {123, L"F12"},     {124, L""},         {144, L"NUMLOCK"},  {145, L""},
        {186, L";"},       {192, L"`"},       {193, L""},         {219, L"["},        {220, L"\\"},
        {222, L"'"},       {16, L""},         {91, L""},          {255, L""},         {0x141, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        bool valid = false;
        EXPECT_EQ(Edit().GetHumanReadable(false, false, true, false, c.key, valid),
                  std::wstring(L"CTRL+") + c.name);
        EXPECT_EQ(valid, *c.name != 0);
    }
}

} // namespace
} // namespace fg
