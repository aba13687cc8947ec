// The keystroke editors on the fakes: the capture from key presses and the keyboard's state, the
// examples, the modal window's Set and Cancel, the wizard's panel, and the keystroke list with
// its map from display name to stored form.
#include "KeystrokeBuilder.h"
#include "KeystrokeCaptureCases.h"
#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "ui/UnitFrameHotKey.h"
#include "ui/UnitFrameKeystrokeList.h"
#include "ui/UnitFrmKeystrokeEditor.h"
#include "ui/UnitFrmKeystrokeList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace fg {
namespace {

using test::Keys;

// The modal keystroke window as the logic sees it: showing it runs a script of the user's
// actions; closing it ends the script's effect.
struct ScriptedKeystrokeWindow : IKeystrokeWindowView {
    void Mirror() override {
        ++mirrors;
        shown = editor->Text();
    }
    bool CanFocusField() override { return visible; }
    void FocusField() override { ++focuses; }
    HWindow Handle() override { return 0x4242; }
    void ShowModal() override {
        visible = true;
        if (!scripts.empty()) {
            auto script = scripts.front();
            scripts.erase(scripts.begin());
            script(*editor);
        }
        visible = false;
    }
    void CloseModal() override { ++closes; }
    void MoveTo(TPoint p) override { moves.push_back(p); }

    TFrmKeystrokeEditor* editor = nullptr;
    std::vector<std::function<void(TFrmKeystrokeEditor&)>> scripts;
    std::wstring shown;
    int mirrors = 0, focuses = 0, closes = 0;
    bool visible = false;
    std::vector<TPoint> moves;
};

class KeystrokeEditors : public ::testing::Test {
  protected:
    KeystrokeEditors() {
        window.editor = &editor;
        editor.SetWindowView(&window);
    }
    // A key press into the field as the user makes it: the key goes down, the field hears it.
    void Press(TKeystrokeCapture& c, std::uint16_t key) {
        os.input.Press(key);
        c.txtHotkeyKeyDown(key);
    }
    void Release(std::uint16_t key) { os.input.Release(key); }
    // The user presses keys (the last one is the main key) and leaves the window with Set.
    std::function<void(TFrmKeystrokeEditor&)> Captures(std::vector<std::uint16_t> keys) {
        return [this, keys](TFrmKeystrokeEditor& e) {
            for (std::uint16_t k : keys)
                Press(e, k);
            for (std::uint16_t k : keys)
                Release(k);
            e.bSetClick();
        };
    }
    static void Cancels(TFrmKeystrokeEditor& e) {
        e.txtHotkeyKeyDown('Q');
        e.bCancelClick();
    }

    fake::FakePlatform os;
    TFrmKeystrokeEditor editor;
    ScriptedKeystrokeWindow window;
};

// --- the capture -----------------------------------------------------------------------------

// Every capture is stored and read back to the same record and display name.
TEST_F(KeystrokeEditors, EveryCaptureSurvivesTheStoredForm) {
    for (const test::CaptureCase& c : test::CaptureCases()) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        TFrameKeystrokeEdit panel;
        os.input.state = {};
        for (std::uint8_t h : c.held)
            os.input.Press(h);
        panel.txtHotkeyKeyDown(c.key);
        EXPECT_EQ(panel.Text(), c.shown);
        TKeystrokeData captured;
        panel.GetHotKey(captured, false);
        EXPECT_EQ(captured.name, c.shown);
        EXPECT_EQ(captured.key, c.key);
        const TKeystrokeData back = panel.FromString(panel.ToString(captured));
        EXPECT_EQ(back, captured);
        bool valid = false;
        EXPECT_EQ(panel.GetHumanReadable(back, valid), c.shown);
    }
    // And every key with every set of modifiers, as the capture makes them.
    for (int held = 0; held < 16; ++held)
        for (int key = 1; key < 256; ++key) {
            TFrameKeystrokeEdit panel;
            os.input.state = {};
            const std::uint8_t modifiers[] = {91, 17, 16, 18};
            for (int m = 0; m < 4; ++m)
                if (held & (1 << m)) os.input.Press(modifiers[m]);
            panel.txtHotkeyKeyDown(static_cast<std::uint16_t>(key));
            TKeystrokeData captured;
            panel.GetHotKey(captured, false);
            const TKeystrokeData back = panel.FromString(panel.ToString(captured));
            ASSERT_EQ(back, captured) << "key " << key << " modifiers " << held;
            bool valid = false;
            ASSERT_EQ(panel.GetHumanReadable(back, valid), panel.Text());
        }
}

TEST_F(KeystrokeEditors, ModifiersStayOnceSeenUntilCleared) {
    TFrameKeystrokeEdit panel;
    Press(panel, 17);
    EXPECT_EQ(panel.Text(), L"CTRL+");
    EXPECT_EQ(panel.Captured().key, 17);
    Release(17);
    Press(panel, 'A');
    EXPECT_EQ(panel.Text(), L"CTRL+A");
    Release('A');
    Press(panel, 'B');
    EXPECT_EQ(panel.Text(), L"CTRL+B");
    panel.btnClearClick();
    EXPECT_EQ(panel.Text(), L"");
    EXPECT_EQ(panel.Captured(), Keys(false, false, false, false, 0, L""));
    Press(panel, 'B');
    EXPECT_EQ(panel.Text(), L"B");
}

TEST_F(KeystrokeEditors, TheButtonsPressTabAndTheWindowsKey) {
    TFrameKeystrokeEdit panel;
    os.input.Press(18);
    panel.btnTabClick();
    EXPECT_EQ(panel.Captured(), Keys(true, false, false, false, 9, L"ALT+TAB"));
    os.input.Release(18);
    panel.btnWinkeyClick();
    EXPECT_EQ(panel.Captured(), Keys(true, false, false, true, 91, L"WINKEY+ALT+"));
}

TEST_F(KeystrokeEditors, ExamplesReplayTheirKeysOrDoNothing) {
    const struct {
        const wchar_t* entry;
        const wchar_t* shown;
        TKeystrokeData captured;
    } cases[] = {
        {L"Task Manager [Ctrl+Shift+Escape]", L"CTRL+SHIFT+ESCAPE",
         Keys(false, true, true, false, 27, L"CTRL+SHIFT+ESCAPE")},
        {L"Close Window [Alt+F4]", L"ALT+F4", Keys(true, false, false, false, 115, L"ALT+F4")},
        {L"Next Program [Alt+Tab]", L"ALT+TAB", Keys(true, false, false, false, 9, L"ALT+TAB")},
        {L"Minimize All [Winkey+M]", L"WINKEY+M", Keys(false, false, false, true, 77, L"WINKEY+M")},
        {L"Select all   [CTRL+A]", L"SHIFT+F5", Keys(false, false, true, false, 116, L"SHIFT+F5")},
        {L"Clear Keystroke", L"", Keys(false, false, false, false, 0, L"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entry);
        TFrameKeystrokeEdit panel;
        // An earlier capture: the examples replace it, "Select all" leaves it.
        Press(panel, 16);
        Press(panel, 116);
        Release(116);
        Release(16);
        os.input.cursor = {300, 200};
        os.desktop.popups.clear();
        os.desktop.pick = {c.entry};
        panel.SpeedButton1Click();
        ASSERT_EQ(os.desktop.popups.size(), 1u);
        EXPECT_EQ(os.desktop.popups[0].at, (TPoint{305, 207}));
        EXPECT_EQ(panel.Text(), c.shown);
        EXPECT_EQ(panel.Captured(), c.captured);
    }
    EXPECT_EQ(os.desktop.popups[0].captions,
              (std::vector<std::wstring>{L"Clear Keystroke", L"-", L"Close Window [Alt+F4]",
                                         L"Next Program [Alt+Tab]", L"Select all   [CTRL+A]",
                                         L"Minimize All [Winkey+M]",
                                         L"Task Manager [Ctrl+Shift+Escape]"}));
}

// --- the modal window ------------------------------------------------------------------------

TEST_F(KeystrokeEditors, WindowAnswersOnlyWithSetAndStartsEmptyEachTime) {
    window.scripts = {Captures({17, 187}), Cancels, Captures({})};
    TKeystrokeData k = Keys(true, true, true, true, 99, L"untouched");

    EXPECT_TRUE(editor.GetHotKey(k, false));
    EXPECT_EQ(k, Keys(false, true, false, false, 187, L"CTRL+="));
    EXPECT_EQ(editor.ToString(k), L"0100BBCTRL+=");

    EXPECT_FALSE(editor.GetHotKey(k, false)); // cancelled: the outputs stay
    EXPECT_EQ(k, Keys(false, true, false, false, 187, L"CTRL+="));

    // The earlier Ctrl is gone, and Set on the empty capture is no answer: the window stays open
    // and the outputs stay.
    EXPECT_FALSE(editor.GetHotKey(k, false));
    EXPECT_EQ(k, Keys(false, true, false, false, 187, L"CTRL+="));
    EXPECT_EQ(window.closes, 2);
}

// Set is greyed whenever there is nothing to set: while the window is new, and after every
// clear, also the one each later use of the window starts with.
TEST_F(KeystrokeEditors, SetIsDisabledWhileTheCaptureIsEmpty) {
    EXPECT_FALSE(editor.SetEnabled());
    const auto use = [](TFrmKeystrokeEditor& e) {
        EXPECT_FALSE(e.SetEnabled());
        e.txtHotkeyKeyDown('K');
        EXPECT_TRUE(e.SetEnabled());
        e.Clear1Click();
        EXPECT_FALSE(e.SetEnabled());
        e.txtHotkeyKeyDown(capturekey::Ctrl); // a modifier alone is a keystroke to set
        EXPECT_TRUE(e.SetEnabled());
        e.bCancelClick();
    };
    window.scripts = {use, use};
    TKeystrokeData k;
    editor.GetHotKey(k, false);
    editor.GetHotKey(k, false);
}

TEST_F(KeystrokeEditors, ViewSeesEveryChangeAndTheFieldTakesTheFocus) {
    window.scripts = {[this](TFrmKeystrokeEditor& e) {
        e.FormActivate();
        EXPECT_EQ(window.focuses, 1);
        Press(e, 'Z');
        EXPECT_EQ(window.shown, L"Z");
        e.btnClearClick(); // the window shows: the field gets the focus back
        EXPECT_EQ(window.shown, L"");
        EXPECT_EQ(window.focuses, 2);
        e.bCancelClick();
    }};
    TKeystrokeData k;
    editor.GetHotKey(k, false);
    EXPECT_EQ(window.focuses, 2); // the clear before the window showed gave no focus
}

// --- the panel -------------------------------------------------------------------------------

TEST_F(KeystrokeEditors, PanelLoadsStoredKeystrokesAndRefusesAnEmptyCapture) {
    TFrameKeystrokeEdit panel;
    TKeystrokeData k;
    EXPECT_FALSE(panel.GetHotKey(k, false));

    // The field shows the stored name; the answer's name is worked out from the keys.
    panel.SetKeystroke(L"010057Close tab");
    EXPECT_EQ(panel.Text(), L"Close tab");
    EXPECT_TRUE(panel.GetHotKey(k, true));
    EXPECT_EQ(k, Keys(false, true, false, false, 0x57, L"CTRL+W"));

    // A modifier alone is accepted; only an empty name is refused.
    panel.Init();
    EXPECT_EQ(panel.Text(), L"");
    EXPECT_FALSE(panel.GetHotKey(k, false));
    panel.txtHotkeyKeyDown(16);
    EXPECT_TRUE(panel.GetHotKey(k, false));
    EXPECT_EQ(k, Keys(false, false, true, false, 16, L"SHIFT+"));

    EXPECT_THROW(panel.SetKeystroke(L"01X057CTRL+W"), TUserError);
}

// --- the keystroke list ----------------------------------------------------------------------

// The list's view: what the rows look like after every change.
struct ListView : IKeystrokeListWindowView {
    void Mirror() override { rows = list->Rows(); }
    HWindow Handle() override { return 0x4343; }
    bool ShowModal() override {
        if (script) script();
        return closedWithSet;
    }
    void CloseModal(bool set) override { closedWithSet = set; }
    TFrameKeystrokeList* list = nullptr;
    std::vector<std::wstring> rows;
    std::function<void()> script;
    bool closedWithSet = false;
};

std::vector<std::wstring> Stored(TFrameKeystrokeList& list) {
    std::vector<std::wstring> sl{L"old line"};
    list.GetKeystrokeList(sl, L"");
    return sl;
}

TEST_F(KeystrokeEditors, ListAddsEditsAndDeletesRowsThroughTheKeystrokeWindow) {
    TFrameKeystrokeList list(&editor);
    ListView view;
    view.list = &list;
    list.SetView(&view);
    list.Init();
    EXPECT_TRUE(Stored(list).empty()); // joined by the wizard, the empty text

    window.scripts = {Captures({17, 187}), Captures({18, 'F'}), Cancels, Captures({'S'})};
    os.input.cursor = {500, 300};
    list.btnAddClick();
    list.btnAddClick();
    EXPECT_EQ(window.moves, (std::vector<TPoint>{{510, 300}, {510, 300}}));
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{L"CTRL+=", L"ALT+F"}));
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"0100BBCTRL+=", L"100046ALT+F"}));

    list.SelectRow(1);
    list.Edit1Click(); // cancelled
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"0100BBCTRL+=", L"100046ALT+F"}));
    list.Edit1Click(); // confirmed
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{L"CTRL+=", L"S"}));
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"0100BBCTRL+=", L"000053S"}));
    EXPECT_EQ(list.Keys().count(L"ALT+F"), 0u);

    // Reordered: the selection travels with its row and stops at either end.
    list.SelectRow(1);
    list.MoveUp1Click();
    list.MoveUp1Click();
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000053S", L"0100BBCTRL+="}));
    EXPECT_EQ(list.Selected(), 0);
    list.MoveDown1Click();
    list.MoveDown1Click();
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{L"CTRL+=", L"S"}));
    EXPECT_EQ(list.Selected(), 1);

    list.SelectRow(0);
    list.Delete1Click();
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000053S"}));
    EXPECT_EQ(list.Keys().count(L"CTRL+="), 0u);

    // Without a selected row Edit and Delete do nothing.
    list.SelectRow(-1);
    window.scripts = {Captures({'X'})};
    list.Edit1Click();
    list.Delete1Click();
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000053S"}));
    EXPECT_EQ(window.scripts.size(), 1u); // the keystroke window never opened
}

// After the keystroke window's first use, Set on an empty capture neither adds a row (which
// would show nothing and send key 0) nor empties the row being edited.
TEST_F(KeystrokeEditors, AnEmptyCaptureAddsAndChangesNoRow) {
    TFrameKeystrokeList list(&editor);
    ListView view;
    view.list = &list;
    list.SetView(&view);
    const auto setsEmpty = [](TFrmKeystrokeEditor& e) {
        e.bSetClick();
        e.bCancelClick(); // the user gives up on the window that stayed open
    };
    window.scripts = {Captures({'A'}), setsEmpty, setsEmpty};
    list.btnAddClick();
    list.btnAddClick();
    EXPECT_EQ(view.rows, std::vector<std::wstring>{L"A"});
    list.SelectRow(0);
    list.Edit1Click();
    EXPECT_EQ(Stored(list), std::vector<std::wstring>{L"000041A"});
}

TEST_F(KeystrokeEditors, ListExamplesReplaceTheWholeList) {
    TFrameKeystrokeList list(&editor);
    list.SetKeystrokeList(L"010057CTRL+W|000074F5");
    const struct {
        const wchar_t* entry;
        std::vector<std::wstring> rows;
    } cases[] = {
        {L"File Save [Alt+F S]", {L"ALT+F", L"S"}},
        {L"Minimize [Alt+Space N]", {L"ALT+SPACE", L"N"}},
        {L"Maximize [Alt+Space X]", {L"ALT+SPACE", L"X"}},
        {L"Restore [Alt+Space R]", {L"ALT+SPACE", L"R"}},
        {L"File New [ALT+F N]", {L"ALT+F", L"N"}},
        {L"Clear List", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entry);
        os.input.cursor = {100, 100};
        os.desktop.popups.clear();
        os.desktop.pick = {c.entry};
        list.SpeedButton1Click();
        ASSERT_EQ(os.desktop.popups.size(), 1u);
        EXPECT_EQ(os.desktop.popups[0].at, (TPoint{110, 110}));
        EXPECT_EQ(list.Rows(), c.rows);
        EXPECT_EQ(list.Keys().size(), c.rows.size()); // the earlier entries are gone
    }
    list.MinimizeAltSpaceM1Click(L"100046ALT+F|000053S");
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"100046ALT+F", L"000053S"}));
}

TEST_F(KeystrokeEditors, RowsWithOneNameShareTheirKeystroke) {
    TFrameKeystrokeList list(&editor);
    list.SetKeystrokeList(L"010057CTRL+W|000074F5|010057CTRL+W");
    list.SelectRow(0);
    list.Delete1Click();
    // The other "CTRL+W" row still has its keystroke.
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000074F5", L"010057CTRL+W"}));
    window.scripts = {Captures({'Y'})};
    list.SelectRow(1);
    list.Edit1Click();
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000074F5", L"000059Y"}));
}

TEST_F(KeystrokeEditors, ListLoadStopsAtAMalformedKeystroke) {
    TFrameKeystrokeList list(&editor);
    ListView view;
    view.list = &list;
    list.SetView(&view);
    EXPECT_THROW(list.SetKeystrokeList(L"000074F5|0Z0057CTRL+W|000075F6"), TUserError);
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{L"F5"}));
    // An empty field reads as the record named "none".
    list.SetKeystrokeList(L"000074F5||000075F6");
    EXPECT_EQ(Stored(list), (std::vector<std::wstring>{L"000074F5", L"000000none", L"000075F6"}));
}

TEST_F(KeystrokeEditors, ListWindowReplacesTheLinesOnlyWithSet) {
    TFrmKeystrokeList list(&editor);
    ListView view;
    view.list = &list;
    list.SetWindowView(&view);
    window.scripts = {Captures({'B'}), Captures({'C'})};

    view.script = [&] {
        EXPECT_EQ(view.rows, (std::vector<std::wstring>{L"A"}));
        list.btnAddClick();
        list.btnCancelClick();
    };
    std::vector<std::wstring> sl{L"kept"};
    EXPECT_FALSE(list.GetKeystrokeList(sl, L"000041A"));
    EXPECT_EQ(sl, (std::vector<std::wstring>{L"kept"}));

    view.script = [&] {
        list.btnAddClick();
        list.btnSetClick();
    };
    EXPECT_TRUE(list.GetKeystrokeList(sl, L"000041A"));
    EXPECT_EQ(sl, (std::vector<std::wstring>{L"000041A", L"000043C"}));
    EXPECT_TRUE(window.moves.empty()); // the window version leaves the keystroke window be
}

} // namespace
} // namespace fg
