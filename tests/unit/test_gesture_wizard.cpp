// The gesture wizard on the fakes: the checks that keep the user on a page, the result and the
// summary of each kind of action, editing on either page, and the example menus.
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestureWizard.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace fg {
namespace {

// A native window that runs a script while it is "shown".
struct FakeWizardView : IGestureWizardView {
    void Mirror() override { ++mirrors; }
    void ShowModal() override {
        showing = true;
        pagesShownAt.push_back(wizard->Page());
        if (whileShown) whileShown(*wizard);
        showing = false;
    }
    void EndModal() override { showing = false; }
    bool IsShowing() override { return showing; }
    void FocusKeystroke() override { ++focusAsks; }
    HWindow ShapeExamplesButton() override { return 0; }
    HWindow ActionExamplesButton() override { return 0; }

    TFrmGestureWizard* wizard = nullptr;
    std::function<void(TFrmGestureWizard&)> whileShown;
    std::vector<int> pagesShownAt;
    bool showing = false;
    int mirrors = 0;
    int focusAsks = 0;
};

class GestureWizard : public ::testing::Test {
  protected:
    GestureWizard()
        : wizard(&view,
                 {.diagonalsEnabled = [this] { return diagonals; },
                  .gestureListed =
                      [this](const std::wstring& h) { return listed.count(Upper(h)) > 0; }}) {
        view.wizard = &wizard;
        wizard.FormCreate();
    }
    static std::wstring Upper(std::wstring s) {
        for (wchar_t& c : s)
            c = static_cast<wchar_t>(towupper(c));
        return s;
    }
    // Runs a new binding: compose, then the steps, then Finish.
    bool New(const std::function<void(TFrmGestureWizard&)>& steps) {
        view.whileShown = [steps](TFrmGestureWizard& w) {
            steps(w);
            w.btnFinishClick();
        };
        return wizard.NewGesture();
    }
    const std::vector<std::wstring>& Messages() const { return os.desktop.messageBoxes; }

    fake::FakePlatform os;
    FakeWizardView view;
    bool diagonals = false;
    std::set<std::wstring> listed;
    TFrmGestureWizard wizard;
};

TEST_F(GestureWizard, TheGesturePageRefusesDuplicatesAndGesturesWithoutStrokes) {
    struct Case {
        const wchar_t* composed; // drawn with the editor
        const wchar_t* shape;    // or chosen from the shape menu
        const wchar_t* message;  // null: the wizard moves on to the action page
    };
    const Case cases[] = {
        {L"03", nullptr, L"Cannot use UP+RIGHT. Gesture already exists."},
        {L"", nullptr, L"Gesture not defined."},
        {L"A", nullptr, L"Gesture not defined."},
        {L"A1", nullptr, nullptr},
        {nullptr, L"\"L\" shape", L"Cannot use DOWN+RIGHT. Gesture already exists."},
        {nullptr, L"backwards \"L\" shape", nullptr},
    };
    listed = {L"UP+RIGHT", L"DOWN+RIGHT"};
    for (const Case& c : cases) {
        const std::wstring what = c.composed ? c.composed : c.shape;
        SCOPED_TRACE(testing::Message() << std::string(what.begin(), what.end()));
        os.desktop.messageBoxes.clear();
        view.whileShown = [this, &c](TFrmGestureWizard& w) {
            if (c.shape) {
                os.desktop.pick = {c.shape};
                os.desktop.PopupMenu(w.ShapeExamples(), {}, 0);
            } else {
                w.FrameGestureEdit1.SetGesture(c.composed);
            }
            w.btnNextClick();
        };
        EXPECT_FALSE(wizard.NewGesture()); // never finished
        if (c.message) {
            EXPECT_EQ(Messages(), std::vector<std::wstring>{c.message});
            EXPECT_EQ(wizard.Page(), wpGestureMovements);
        } else {
            EXPECT_TRUE(Messages().empty());
            EXPECT_EQ(wizard.Page(), wpAction);
        }
    }
}

// Only the binding being edited may keep its own gesture: the gesture it had is no pass for a
// later new binding, nor for another listed gesture chosen as an example.
TEST_F(GestureWizard, EditingABindingKeepsItsOwnGestureAndNothingElsePassesForIt) {
    listed = {L"UP+RIGHT", L"DOWN+RIGHT"};
    const auto edit = [this] {
        wizard.SetGesture(L"03");
        wizard.SetActionType(TActionType::atKeystroke);
        wizard.SetActionData(L"010057CTRL+W");
    };
    edit();
    view.whileShown = [](TFrmGestureWizard& w) {
        w.btnNextClick();
        w.btnFinishClick();
    };
    ASSERT_TRUE(wizard.EditGesture(false));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(wizard.Gesture(), L"03");

    edit();
    view.whileShown = [this](TFrmGestureWizard& w) {
        os.desktop.pick = {L"\"L\" shape"};
        os.desktop.PopupMenu(w.ShapeExamples(), {}, 0);
        w.btnNextClick();
    };
    EXPECT_FALSE(wizard.EditGesture(false));
    EXPECT_EQ(Messages(),
              std::vector<std::wstring>{L"Cannot use DOWN+RIGHT. Gesture already exists."});

    os.desktop.messageBoxes.clear();
    view.whileShown = [](TFrmGestureWizard& w) {
        w.FrameGestureEdit1.SetGesture(L"03");
        w.btnNextClick();
    };
    EXPECT_FALSE(wizard.NewGesture());
    EXPECT_EQ(Messages(),
              std::vector<std::wstring>{L"Cannot use UP+RIGHT. Gesture already exists."});
    EXPECT_EQ(wizard.Page(), wpGestureMovements);
}

TEST_F(GestureWizard, EachActionGivesItsStoredTextAndSummary) {
    struct Case {
        const char* name;
        std::function<void(TFrmGestureWizard&)> fill;
        TActionType type;
        const wchar_t* data;
        std::vector<std::wstring> summaryAfterGesture;
    };
    const Case cases[] = {
        {"single keystroke",
         [](TFrmGestureWizard& w) { w.FrameKeystrokeEdit1.SetKeystroke(L"010057CTRL+W"); },
         TActionType::atKeystroke,
         L"010057CTRL+W",
         {L"Keystroke: ", L"\tCTRL+W"}},
        {"keystroke list",
         [](TFrmGestureWizard& w) {
             w.rbMultipleClick();
             w.FrameKeystrokeList1.SetKeystrokeList(L"100046ALT+F|000053S");
         },
         TActionType::atMultiKeystroke,
         L"100046ALT+F|000053S",
         {L"Keystrokes: ", L"\tALT+F", L"\tS", L" "}},
        {"program with parameters",
         [](TFrmGestureWizard& w) {
             w.rbRunClick();
             w.FrameProgramEdit1.SetProgram(L"C:\\Program Files\\My Tools\\x.exe|-q \"a b\"");
         },
         TActionType::atProgram,
         L"C:\\Program Files\\My Tools\\x.exe|-q \"a b\"",
         {L"Program: ", L"\tC:\\Program Files\\My Tools\\x.exe", L" ", L"Parameters: ",
          L"\t-q \"a b\""}},
        {"empty program",
         [](TFrmGestureWizard& w) {
             w.rbRunClick();
             w.FrameProgramEdit1.SetProgram(L"");
         },
         TActionType::atProgram,
         L"|",
         {L"Program: ", L"\t", L" "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(New([&c](TFrmGestureWizard& w) {
            w.FrameGestureEdit1.SetGesture(L"03");
            w.btnNextClick();
            c.fill(w);
            w.btnNextClick();
            EXPECT_EQ(w.Page(), wpFinish);
            EXPECT_TRUE(w.FinishEnabled());
            EXPECT_TRUE(w.BackEnabled());
            EXPECT_FALSE(w.NextEnabled());
        }));
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(wizard.Gesture(), L"03");
        EXPECT_EQ(wizard.GestureName(), L"UP+RIGHT");
        EXPECT_EQ(wizard.ActionType(), c.type);
        EXPECT_EQ(wizard.ActionData(), c.data);
        std::vector<std::wstring> expected{L"Gesture:   ", L"\tUP+RIGHT", L" "};
        expected.insert(expected.end(), c.summaryAfterGesture.begin(), c.summaryAfterGesture.end());
        EXPECT_EQ(wizard.mLines(), expected);
    }
}

TEST_F(GestureWizard, ASingleKeystrokeMustBeCapturedAndClosingGivesNoResult) {
    view.whileShown = [](TFrmGestureWizard& w) {
        w.FrameGestureEdit1.SetGesture(L"1");
        w.btnNextClick();
        w.btnNextClick(); // nothing captured
        EXPECT_EQ(w.Page(), wpAction);
        w.FormClose();
    };
    EXPECT_FALSE(wizard.NewGesture());
    EXPECT_EQ(Messages(), std::vector<std::wstring>{L"Keystroke not defined."});
}

TEST_F(GestureWizard, EditingTheActionOpensOnTheFilledActionPageAndBackLeadsToTheGesture) {
    wizard.SetGesture(L"A1");
    wizard.SetActionType(TActionType::atMultiKeystroke);
    wizard.SetActionData(L"100020ALT+SPACE|00004EN");
    view.whileShown = [](TFrmGestureWizard& w) {
        EXPECT_EQ(w.Page(), wpAction);
        EXPECT_EQ(w.Action(), TWizardAction::waMultiple);
        EXPECT_TRUE(w.BackEnabled());
        EXPECT_TRUE(w.NextEnabled());
        EXPECT_FALSE(w.FinishEnabled());
        std::vector<std::wstring> sl;
        w.FrameKeystrokeList1.GetKeystrokeList(sl, L"");
        EXPECT_EQ(sl, (std::vector<std::wstring>{L"100020ALT+SPACE", L"00004EN"}));
        w.btnBackClick();
        EXPECT_EQ(w.Page(), wpGestureMovements);
        EXPECT_FALSE(w.BackEnabled());
        w.btnNextClick();
        w.btnNextClick();
        w.btnFinishClick();
    };
    ASSERT_TRUE(wizard.EditGesture(true));
    EXPECT_EQ(wizard.Gesture(), L"A1");
    EXPECT_EQ(wizard.GestureName(), L"[TOP]+DOWN");
    EXPECT_EQ(wizard.ActionData(), L"100020ALT+SPACE|00004EN");
}

TEST_F(GestureWizard, ExampleMenusFillThePages) {
    std::vector<std::wstring> shapes;
    for (const TMenuEntry& e : wizard.ShapeExamples())
        shapes.push_back(e.caption);
    EXPECT_EQ(shapes, (std::vector<std::wstring>{L"\"r \" shape", L"backwards \"r\" shape", L"-",
                                                 L"\"L\" shape", L"backwards \"L\" shape", L"-",
                                                 L"\"C\" shape", L"backwards \"C\" shape"}));
    struct Case {
        std::vector<std::wstring> path;
        TWizardAction action;
        const wchar_t* data; // what the filled editor gives
    };
    const Case cases[] = {
        {{L"Web Browser", L"Next Tab"}, TWizardAction::waSingle, L"010022CTRL+PAGEDOWN"},
        {{L"Window Management", L"Move to Right Monitor"},
         TWizardAction::waSingle,
         L"001127WINKEY+SHIFT+RIGHT"},
        {{L"Farrowglimmer", L"Edit Gesture Settings"},
         TWizardAction::waRun,
         L"Farrowglimmer.exe|EDIT_GESTURES"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.path.back().size());
        os.desktop.pick = c.path;
        os.desktop.PopupMenu(wizard.ActionExamples(), {}, 0);
        EXPECT_EQ(wizard.Action(), c.action);
        if (c.action == TWizardAction::waSingle) {
            TKeystrokeData k;
            ASSERT_TRUE(wizard.FrameKeystrokeEdit1.GetHotKey(k, false));
            EXPECT_EQ(FrmKeystrokeEdit->ToString(k), c.data);
        } else {
            std::wstring prog, param;
            wizard.FrameProgramEdit1.GetProgram(prog, param);
            EXPECT_EQ(prog + L"|" + param, c.data);
        }
    }
    os.desktop.pick = {L"\"C\" shape"};
    os.desktop.PopupMenu(wizard.ShapeExamples(), {}, 0);
    EXPECT_EQ(wizard.Gesture(), L"213");
    std::wstring h, g;
    wizard.FrameGestureEdit1.GetGesture(h, g);
    EXPECT_EQ(h, L"LEFT+DOWN+RIGHT");
}

TEST_F(GestureWizard, ANewBindingEmptiesTheGestureAndKeystrokeEditors) {
    wizard.FrameGestureEdit1.SetGesture(L"03");
    wizard.FrameKeystrokeEdit1.SetKeystroke(L"010057CTRL+W");
    wizard.FrameKeystrokeList1.SetKeystrokeList(L"000053S");
    view.whileShown = [](TFrmGestureWizard& w) {
        std::wstring h, g;
        w.FrameGestureEdit1.GetGesture(h, g);
        EXPECT_EQ(g, L"");
        TKeystrokeData k;
        EXPECT_FALSE(w.FrameKeystrokeEdit1.GetHotKey(k, false));
        std::vector<std::wstring> sl{L"x"};
        w.FrameKeystrokeList1.GetKeystrokeList(sl, L"");
        EXPECT_TRUE(sl.empty());
        EXPECT_EQ(w.Page(), wpGestureMovements);
        EXPECT_TRUE(w.NextEnabled());
        EXPECT_FALSE(w.BackEnabled());
    };
    EXPECT_FALSE(wizard.NewGesture());
}

TEST(GestureWizardParts, AMissingPartStopsTheStartAndNamesItself) {
    TFrmGestureWizard w(nullptr, {});
    try {
        w.CheckParts();
        FAIL();
    } catch (const TUserError& e) {
        EXPECT_NE(e.Message().find(L"diagonals"), std::wstring::npos);
        EXPECT_NE(e.Message().find(L"gesture-list"), std::wstring::npos);
    }
    EXPECT_FALSE(w.NewGesture()); // no window: nothing to show
}

} // namespace
} // namespace fg
