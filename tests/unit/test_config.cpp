// The settings file and the configuration window on the fakes: the text rules, the walk over the
// table at start-up and at every close, the drawing-method pair, a refused write, and the Run key
// behind "Start with Windows".
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitSettings.h"
#include "unit/LogLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fg {
namespace {

// --- text rules ------------------------------------------------------------------------------

TEST(SettingsText, IntegersAcceptDecimalAndHexadecimalAndNothingElse) {
    struct Case {
        const wchar_t* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {L"12", true, 12},
        {L" 7 ", true, 7},
        {L"+5", true, 5},
        {L"-40", true, -40},
        {L"0x1F", true, 31},
        {L"0X1f", true, 31},
        {L"$ff", true, 255},
        {L"-$10", true, -16},
        {L"$FFFFFFFF", true, -1}, // a 32-bit pattern
        {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1},
        {L"2147483648", false, 0},
        {L"99999999999999999999", false, 0},
        {L"$123456789", false, 0},
        {L"0x", false, 0},
        {L"$", false, 0},
        {L"", false, 0},
        {L"-", false, 0},
        {L"1.5", false, 0},
        {L"12abc", false, 0},
        {L"true", false, 0},
        {L"1 2", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "'" << std::string(c.text, c.text + wcslen(c.text)) << "'");
        int v = 12345;
        EXPECT_EQ(ParseInteger(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(SettingsText, RealsUseTheRegionalSeparatorOnly) {
    struct Case {
        const wchar_t* text;
        wchar_t separator;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {L"0.8", L'.', true, 0.8},
        {L"0,8", L',', true, 0.8},
        {L"0.8", L',', false, 0},
        {L"0,8", L'.', false, 0},
        {L"-1.25e-2", L'.', true, -0.0125},
        {L"3", L'.', true, 3},
        {L".5", L'.', true, 0.5},
        {L" 0.3 ", L'.', true, 0.3},
        {L"1e999", L'.', false, 0},
        {L"nan", L'.', false, 0},
        {L"inf", L'.', false, 0},
        {L"0.8.1", L'.', false, 0},
        {L"1e", L'.', false, 0},
        {L"", L'.', false, 0},
        {L"0x10", L'.', false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.text, c.text + wcslen(c.text)) << " with '"
                                        << char(c.separator) << "'");
        double v = 42;
        EXPECT_EQ(ParseReal(c.text, c.separator, v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
    EXPECT_EQ(FormatReal(1 - 70 / 100.0, L'.'), L"0.3"); // 0.30000000000000004
    EXPECT_EQ(FormatReal(0.82, L','), L"0,82");
    EXPECT_EQ(FormatReal(0.8, L'.'), L"0.8");
    EXPECT_EQ(FormatReal(1e-5, L'.'), L"1e-05");
    double back = 0;
    EXPECT_TRUE(ParseReal(FormatReal(1e-5, L','), L',', back));
    EXPECT_EQ(back, 1e-5);
}

TEST(SettingsText, ABooleanIsAnyIntegerAndTheRestFallsBack) {
    const TSetting& flag = *FindSetting(L"cbEnableDiagonals");
    const TSetting& whole = *FindSetting(L"ExecutePause");
    struct Case {
        const TSetting* s;
        const wchar_t* text;
        double expected; // fallback 9 where the text is no value
    };
    const Case cases[] = {
        {&flag, L"1", 1},      {&flag, L"0", 0},    {&flag, L"-3", 1},
        {&flag, L"$0", 0},     {&flag, L"yes", 9},  {&flag, L"", 9},
        {&whole, L"0x20", 32}, {&whole, L"abc", 9}, {&whole, L"2.5", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
        EXPECT_EQ(ReadSetting(*c.s, c.text, 9, L'.'), c.expected);
    }
    EXPECT_EQ(FormatSetting(flag, 1, L'.'), L"1");
    EXPECT_EQ(FormatSetting(whole, -7, L'.'), L"-7");
}

TEST(SettingsText, DecimalTrackBarsKeepEveryPositionThroughTheirText) {
    for (const wchar_t* key : {L"tbDeltaBias", L"tbDistanceBias"}) {
        const TSetting& s = *FindSetting(key);
        for (const wchar_t separator : {L'.', L','})
            for (int p = s.low; p <= s.high; ++p) {
                const std::wstring text = FormatSetting(s, ValueOfPosition(s, p), separator);
                EXPECT_EQ(PositionOf(s, ReadSetting(s, text, -1, separator)), p) << text;
            }
        // The positions the controls start from are the defaults: 20 is 0.8, 18 is 0.82.
        EXPECT_EQ(PositionOf(s, s.byDefault), std::wstring(key) == L"tbDeltaBias" ? 20 : 18);
        EXPECT_EQ(PositionOf(s, 1e300), s.low);
        EXPECT_EQ(PositionOf(s, -1e300), s.high);
    }
    const TSetting& pixels = *FindSetting(L"tbXPixel");
    EXPECT_EQ(PositionOf(pixels, 500), 150);
    EXPECT_EQ(PositionOf(pixels, -2147483647 - 1), 10);
}

// --- the window on the fakes -----------------------------------------------------------------

class Config : public ::testing::Test {
  protected:
    Config() {
        // Every slot records what it is handed, as text.
        TSettingsConsumers& c = config.Consumers();
        for (const TSetting& s : SettingsTable()) {
            const std::wstring key = s.key;
            if (s.slot.asInteger)
                c.*s.slot.asInteger = [this, key](int v) { got[key] = std::to_wstring(v); };
            if (s.slot.asBoolean)
                c.*s.slot.asBoolean = [this, key](bool v) { got[key] = v ? L"true" : L"false"; };
            if (s.slot.asReal)
                c.*s.slot.asReal = [this, key](float v) { got[key] = std::to_wstring(v); };
        }
    }
    std::wstring Path() const { return GetDataPath() + L"defaults.ini"; }
    void Write(const std::wstring& text) { os.files.SetText(Path(), text); }
    std::wstring Value(const std::wstring& key, const std::wstring& section = L"init") {
        return os.files.ProfileRead(Path(), section, key, L"<missing>");
    }
    std::wstring LoadError() {
        try {
            config.LoadSettings();
        } catch (const TUserError& e) {
            return e.Message();
        }
        return L"";
    }

    fake::FakePlatform os;
    TFrmConfig config;
    std::map<std::wstring, std::wstring> got;
};

TEST_F(Config, AFirstStartWritesEveryKeyInItsOrderAndHandsTheDefaultsOver) {
    test::LogMark mark;
    config.FormCreate();
    // Written out here rather than taken from the settings table, so that a key moved, dropped or
    // added in the table shows.
    const std::vector<std::pair<std::wstring, std::wstring>> file = {
        {L"timethreshold", L"160"},
        {L"xThreshold", L"3"},
        {L"yThreshold", L"3"},
        {L"directionThreshold", L"0"},
        {L"tbDeltaBias", L"0.8"},
        {L"tbDistanceBias", L"0.82"},
        {L"tbXPixel", L"30"},
        {L"tbYPixel", L"25"},
        {L"tbHelpPause", L"800"},
        {L"cbEnableHelpPoup", L"1"},
        {L"cbEnableDiagonals", L"0"},
        {L"cbPreciseCorners", L"0"},
        {L"rbFullscreen", L"1"},
        {L"rbScratchpad", L"0"},
        {L"cbMouseCording", L"1"},
        {L"tbFadeTime", L"800"},
        {L"cbEnabledSuggestions", L"1"},
        {L"cbEnableCorrections", L"0"},
        {L"ExecutePause", L"100"},
        {L"WelcomeShown", L"0"},
        {L"LogHandles", L"0"},
        {L"cbHoldBackRightButton", L"0"},
        {L"RightButtonHoldTime", L"500"},
        {L"RightButtonBypassKey", L"0"}};
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : file)
        keys.push_back(key);
    EXPECT_EQ(os.files.ProfileKeyNames(Path(), L"init"), keys);
    for (const auto& [key, value] : file)
        EXPECT_EQ(Value(key), value) << std::string(key.begin(), key.end());
    EXPECT_EQ(got[L"tbDeltaBias"], std::to_wstring(0.8f));
    EXPECT_EQ(got[L"tbXPixel"], L"30");
    EXPECT_EQ(got[L"rbFullscreen"], L"true");
    EXPECT_EQ(got[L"ExecutePause"], L"100");
    EXPECT_EQ(got.size(), 23u); // every key but WelcomeShown has a consumer
    // No welcome window yet: said so, and not marked as shown.
    const auto messages = mark.Messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), L"Welcome window not available yet"),
              messages.end());
    EXPECT_EQ(config.Page(), cpGestureMethod);
    EXPECT_EQ(config.DrawingSubPage(), TDrawingSubPage::dsFullScreen);

    // The second start reads what the first wrote.
    TFrmConfig again;
    again.LoadSettings();
    EXPECT_EQ(Value(L"WelcomeShown"), L"0");
}

TEST_F(Config, TheFileIsReadByItsRulesAndWrittenBackAsRead) {
    Write(L"[debug]\r\ntiming=1\r\n[init]\r\nown=kept\r\ntbXPixel=500\r\ntbHelpPause=abc\r\n"
          L"ExecutePause=0x20\r\ncbEnableDiagonals=-1\r\ntbDeltaBias=0.3\r\nWelcomeShown=7\r\n");
    test::LogMark mark;
    config.LoadSettings();
    // The consumer gets the value as read; the track bar clamps it.
    EXPECT_EQ(got[L"tbXPixel"], L"500");
    EXPECT_EQ(config.Position(L"tbXPixel"), 150);
    EXPECT_EQ(Value(L"tbXPixel"), L"500");
    // No number: the default, which replaces it.
    EXPECT_EQ(got[L"tbHelpPause"], L"800");
    EXPECT_EQ(Value(L"tbHelpPause"), L"800");
    EXPECT_EQ(Value(L"ExecutePause"), L"32");
    EXPECT_EQ(Value(L"cbEnableDiagonals"), L"1");
    EXPECT_EQ(config.Position(L"tbDeltaBias"), 70);
    EXPECT_EQ(Value(L"WelcomeShown"), L"1");
    EXPECT_TRUE(mark.Messages().empty());
    // Whatever else the file holds stays.
    EXPECT_EQ(Value(L"timing", L"debug"), L"1");
    EXPECT_EQ(Value(L"own"), L"kept");

    // Closing stores the track bar's position.
    config.FormClose();
    EXPECT_EQ(Value(L"tbXPixel"), L"150");
    EXPECT_EQ(got[L"tbXPixel"], L"150");
}

TEST_F(Config, ADecimalPositionSurvivesEveryCloseAndReopen) {
    config.FormCreate();
    config.TrackBarChange(L"tbDeltaBias", 70);
    config.TrackBarChange(L"tbDistanceBias", 75);
    for (int i = 0; i < 5; ++i) {
        config.ShowPage(-1);
        config.FormClose();
        EXPECT_EQ(config.Position(L"tbDeltaBias"), 70);
        EXPECT_EQ(config.Position(L"tbDistanceBias"), 75);
    }
    EXPECT_EQ(Value(L"tbDeltaBias"), L"0.3");
    EXPECT_EQ(Value(L"tbDistanceBias"), L"0.25");
    EXPECT_EQ(got[L"tbDeltaBias"], std::to_wstring(0.3f));
}

TEST_F(Config, ADecimalCommaWritesCommasAndDropsPointsToTheDefault) {
    os.system.decimalSeparator = L',';
    Write(L"[init]\r\ntbDeltaBias=0.5\r\ntbDistanceBias=0.3\r\n");
    config.LoadSettings();
    EXPECT_EQ(Value(L"tbDeltaBias"), L"0,8");
    EXPECT_EQ(Value(L"tbDistanceBias"), L"0,82");
    EXPECT_EQ(got[L"tbDistanceBias"], std::to_wstring(0.82f));
    EXPECT_EQ(config.Position(L"tbDistanceBias"), 18);
}

TEST_F(Config, TheDrawingMethodsAreOneGroupButEachKeyIsHandedOverByItself) {
    struct Case {
        const wchar_t* full;
        const wchar_t* pad;
        bool fullChecked, padChecked;
        TDrawingSubPage sub;
    };
    const Case cases[] = {
        {L"0", L"0", false, false, TDrawingSubPage::dsNone},
        {L"1", L"1", false, true, TDrawingSubPage::dsScratchPad},
        {L"0", L"1", false, true, TDrawingSubPage::dsScratchPad},
        {L"1", L"0", true, false, TDrawingSubPage::dsFullScreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << char(c.full[0]) << char(c.pad[0]));
        Write(std::wstring(L"[init]\r\nrbFullscreen=") + c.full + L"\r\nrbScratchpad=" + c.pad +
              L"\r\n");
        TFrmConfig fresh;
        fresh.Consumers() = config.Consumers();
        fresh.LoadSettings();
        EXPECT_EQ(fresh.Checked(L"rbFullscreen"), c.fullChecked);
        EXPECT_EQ(fresh.Checked(L"rbScratchpad"), c.padChecked);
        EXPECT_EQ(fresh.DrawingSubPage(), c.sub);
        EXPECT_EQ(got[L"rbFullscreen"], c.full[0] == L'1' ? L"true" : L"false");
        EXPECT_EQ(got[L"rbScratchpad"], c.pad[0] == L'1' ? L"true" : L"false");
    }
    config.LoadSettings();
    config.rbScratchpadClick();
    EXPECT_FALSE(config.Checked(L"rbFullscreen"));
    EXPECT_EQ(config.DrawingSubPage(), TDrawingSubPage::dsScratchPad);
    config.FormClose();
    EXPECT_EQ(Value(L"rbFullscreen"), L"0");
    EXPECT_EQ(Value(L"rbScratchpad"), L"1");
}

TEST_F(Config, ARefusedWriteIsReportedOnceAfterEveryPartHasItsValue) {
    Write(L"[init]\r\ntbXPixel=150\r\ncbEnableDiagonals=0\r\nExecutePause=7\r\nWelcomeShown=1\r\n");
    os.files.readOnly.insert(Path());
    EXPECT_EQ(LoadError(), L"Unable to write to " + Path());
    EXPECT_EQ(got.size(), 23u);
    EXPECT_EQ(got[L"tbXPixel"], L"150");
    EXPECT_EQ(got[L"ExecutePause"], L"7");
    EXPECT_EQ(got[L"RightButtonBypassKey"], L"0"); // the last key with a consumer
    EXPECT_EQ(got[L"tbHelpPause"], L"800");

    config.CheckBoxClick(L"cbEnableDiagonals", true);
    try {
        config.FormClose();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + Path()); // once for save and load
    }
    // The file refused it, so the read gives back what it holds.
    EXPECT_EQ(got[L"cbEnableDiagonals"], L"false");
}

TEST_F(Config, OnlyAKeyThatReadsOtherwiseThanItWouldBeWrittenIsWritten) {
    config.FormCreate();
    EXPECT_EQ(os.files.profileWrites, 24); // the first start: every key
    TFrmConfig again;
    again.Consumers() = config.Consumers();
    again.LoadSettings();
    config.FormClose();
    EXPECT_EQ(os.files.profileWrites, 24) << "a start and a close that change nothing";

    config.CheckBoxClick(L"cbEnableDiagonals", true);
    config.FormClose();
    EXPECT_EQ(os.files.profileWrites, 25);
    EXPECT_EQ(Value(L"cbEnableDiagonals"), L"1");

    // A file the system refuses to write that already holds every key as it would be written:
    // nothing is lost, so nothing is reported.
    os.files.readOnly.insert(Path());
    EXPECT_EQ(LoadError(), L"");
    EXPECT_NO_THROW(config.FormClose());
}

TEST_F(Config, PagesOpenAsAskedAndMinusOneKeepsTheLastOne) {
    config.FormCreate();
    EXPECT_FALSE(config.Showing());
    config.ShowPage(3);
    EXPECT_TRUE(config.Showing());
    EXPECT_EQ(config.Page(), cpDiagonals);
    config.tvGroupClick(1);
    config.FormClose();
    config.ShowPage(-1);
    EXPECT_EQ(config.Page(), cpGesturesAdvanced);
    config.ShowPage(9); // no such page: the page stays
    EXPECT_EQ(config.Page(), cpGesturesAdvanced);
}

TEST_F(Config, TheSavedControlsAreExactlyTheKeysWithAControl) {
    std::set<std::wstring> withControl;
    for (const TSetting& s : SettingsTable())
        if (s.control != TSettingControl::scNone) withControl.insert(s.key);
    const auto& saved = TFrmConfig::SavedKeys();
    EXPECT_EQ(std::set<std::wstring>(saved.begin(), saved.end()), withControl);
    EXPECT_EQ(saved.size(), withControl.size());
}

TEST_F(Config, AnEmptySlotIsNamed) {
    config.Consumers().prFadeTime = nullptr;
    config.Consumers().prExecutePause = nullptr;
    try {
        config.CheckConsumers();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(),
                  L"The settings are missing their consumers TFrmScratchPad.prFadeTime "
                  L"TFrmGestures.prExecutePause");
    }
}

TEST_F(Config, ThePixelPreviewDrawsBothThresholdsAboutTheCentre) {
    config.TrackBarChange(L"tbXPixel", 31);
    config.TrackBarChange(L"tbYPixel", 150);
    const TPicture& p = config.imgPixel();
    EXPECT_EQ(p.Width, 157);
    EXPECT_EQ(p.Height, 101);
    // w/2 = 78, h/2 = 50, X/2 = 15, Y/2 = 75: every division whole.
    TPicture expected(157, 101);
    TRecordingCanvas c(expected);
    c.SetPen(clBlack, 1, PenStyle::Solid);
    c.SetBrush(clWhite, BrushStyle::Solid);
    c.Rectangle({0, 0, 157, 101});
    c.MoveTo(63, 50);
    c.LineTo(93, 50);
    c.MoveTo(78, -25);
    c.LineTo(78, 125);
    EXPECT_EQ(p.ops, expected.ops);
    // At 150 % the same lengths for the eye.
    EXPECT_EQ(config.PixelPreview(144).Width, 236);
}

// --- Start with Windows ----------------------------------------------------------------------

TEST_F(Config, StartWithWindowsFollowsTheRunKeyAndIsAppliedOnClose) {
    const std::wstring quoted = L"\"" + os.system.exePath + L"\"";
    config.FormCreate();
    config.ShowPage(-1);
    EXPECT_FALSE(config.StartWithWindows());
    config.cbStartWithWindowsClick(true);
    config.FormClose();
    EXPECT_EQ(os.system.runValues,
              (std::map<std::wstring, std::wstring>{{L"Farrowglimmer", quoted}}));
    EXPECT_EQ(Value(L"StartWithWindows"), L"<missing>"); // not a settings key

    // Removed behind the program's back: the box shows it when the window opens again.
    os.system.runValues.clear();
    config.ShowPage(-1);
    EXPECT_FALSE(config.StartWithWindows());
    config.FormClose();
    EXPECT_TRUE(os.system.runValues.empty());

    // A value left by a copy elsewhere is taken over; unticking removes it.
    os.system.runValues[L"Farrowglimmer"] = L"\"D:\\Old\\Farrowglimmer.exe\"";
    config.ShowPage(-1);
    EXPECT_TRUE(config.StartWithWindows());
    config.FormClose();
    EXPECT_EQ(os.system.runValues[L"Farrowglimmer"], quoted);
    config.ShowPage(-1);
    config.cbStartWithWindowsClick(false);
    config.FormClose();
    EXPECT_TRUE(os.system.runValues.empty());
}

TEST_F(Config, ARefusedRunKeyIsReportedAndTheSettingsAreStillSaved) {
    config.FormCreate();
    config.ShowPage(-1);
    config.cbStartWithWindowsClick(true);
    config.CheckBoxClick(L"cbEnableDiagonals", true);
    os.system.registryFails = true;
    try {
        config.FormClose();
        FAIL() << "no error";
    } catch (const TUserError& e) {
        EXPECT_NE(e.Message().find(L"Run key"), std::wstring::npos);
    }
    EXPECT_EQ(Value(L"cbEnableDiagonals"), L"1");
    EXPECT_EQ(got[L"cbEnableDiagonals"], L"true");
}

} // namespace
} // namespace fg
