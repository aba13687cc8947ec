// The Edit Gestures window on the fakes: what its edits write to which file, the program list,
// and the files that change under it (by hand, by the dispatcher, read-only, malformed).
#include "DispatchFakes.h"
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrmGestures.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Errors.h"
#include "ui/UnitDrawGesture.h"
#include "unit/LogLines.h"
#include "vocabulary/UnitMouseMovement.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fg {
namespace {

class FakeEditView : public IGesturesEditView {
  public:
    void Mirror() override { ++mirrors; }
    bool IsShowing() override { return showing; }
    void Show() override { showing = true; }
    void Hide() override { showing = false; }
    HWindow Handle() override { return 0x4711; }
    bool Confirm(const std::wstring& text) override {
        questions.push_back(text);
        return answer;
    }
    int mirrors = 0;
    bool showing = false;
    bool answer = true;
    std::vector<std::wstring> questions;
};

// Plays the user's part in the wizard: takes the binding handed in, changes what the test's
// answer says and presses Finish (or Cancel).
class ScriptedWizard : public IGestureWizard {
  public:
    bool NewGesture() override {
        runs.push_back(L"new");
        return Answer();
    }
    bool EditGesture(bool dataPage) override {
        runs.push_back(dataPage ? L"edit action" : L"edit gesture");
        handedIn = gesture;
        return Answer();
    }
    std::wstring Gesture() const override { return gesture; }
    void SetGesture(const std::wstring& v) override { gesture = v; }
    std::wstring GestureName() const override { return ToHumanReadable(gesture); }
    TActionType ActionType() const override { return type; }
    void SetActionType(TActionType v) override { type = v; }
    std::wstring ActionData() const override { return data; }
    void SetActionData(const std::wstring& v) override { data = v; }

    struct {
        std::optional<std::wstring> gesture, data;
        std::optional<TActionType> type;
    } answer;
    bool finish = true;
    std::wstring gesture, data, handedIn;
    TActionType type = TActionType::atKeystroke;
    std::vector<std::wstring> runs;

  private:
    bool Answer() {
        gesture = answer.gesture.value_or(gesture);
        data = answer.data.value_or(data);
        type = answer.type.value_or(type);
        answer = {};
        return finish;
    }
};

constexpr const wchar_t* kGlobal = L"[A1]\r\nActionType=Run Program / File\r\n"
                                   L"Action=Farrowglimmer.exe|CONFIG\r\n"
                                   L"[Settings]\r\ncbDisableAll=0\r\n";
constexpr const wchar_t* kNotepad = L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                    L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
                                    L"[Settings]\r\ncbDisableAll=0\r\n";

class EditGestures : public ::testing::Test {
  protected:
    EditGestures() {
        os.system.processes = {{100, L"notepad.exe"}, {200, L"other.exe"}};
        other = os.desktop.AddWindow(20, 200);
        notepad = os.desktop.AddWindow(10, 100);
        os.desktop.foreground = notepad;
        Write(L"Gestures.ini", kGlobal);
        Write(L"Gestures_notepad.exe.ini", kNotepad);
    }
    void Write(const std::wstring& name, const std::wstring& text) {
        os.files.SetText(GetDataPath() + name, text);
    }
    std::wstring Read(const std::wstring& name) const {
        const std::wstring path = GetDataPath() + name;
        return os.files.files.count(path) ? os.files.Text(path) : L"<none>";
    }
    TFrmGesturesEdit& Make() {
        TGesturesParts parts;
        parts.tooltip = &tooltip;
        store = std::make_unique<TGestureStore>();
        gestures = std::make_unique<TFrmGestures>(*store, runner, parts);
        window = std::make_unique<TFrmGesturesEdit>(*store, &view, editParts);
        window->CheckParts();
        return *window;
    }
    std::vector<std::wstring> Captions() const {
        std::vector<std::wstring> out;
        for (const auto& r : window->Rows())
            out.push_back(r.gesture + L" | " + r.type + L" | " + r.action.value_or(L"-"));
        return out;
    }
    void Pick(const std::wstring& program) {
        const auto& programs = window->Programs();
        for (std::size_t i = 0; i < programs.size(); ++i)
            if (programs[i].caption == program) return window->lbProgramsSelectItem(i);
        FAIL() << "no row for the program";
    }
    void SelectRow(const std::wstring& caption) {
        for (std::size_t i = 0; i < window->Rows().size(); ++i)
            if (window->Rows()[i].gesture == caption) return window->lvGesturesSelectItem(i);
        FAIL() << "no row for the gesture";
    }
    // The Per-Program tab on notepad.exe.
    TFrmGesturesEdit& OnNotepad() {
        Make().tsSwitchChange(kProgramTab);
        Pick(L"notepad.exe");
        return *window;
    }

    fake::FakePlatform os;
    HWindow other = 0, notepad = 0;
    test::RecordingTooltip tooltip;
    test::RecordingSender sender{os.clock};
    test::RecordingScratchpad pad;
    TTargetFocus target;
    test::RecordingWatch watch;
    TActionRunner runner{{pad, sender, target, watch, TKeystrokeConversions::Default()}};
    FakeEditView view;
    ScriptedWizard wizard;
    std::vector<std::wstring> opened;
    std::unique_ptr<TGestureStore> store;
    std::unique_ptr<TFrmGestures> gestures;
    std::unique_ptr<TFrmGesturesEdit> window;
    // The window's parts, as a test may have changed them before Make.
    TGesturesEditParts editParts{
        .wizard = &wizard,
        .showConfiguration = [this] { opened.push_back(L"configuration"); },
        .showDebug = [this] { opened.push_back(L"debug"); },
        .endProgram = [this] { opened.push_back(L"end"); },
        .fileSaved = [] {},
        // The scan as it runs, handed over at once.
        .startScan = [this] { window->ReportScanDone(TGatherINIData::Execute()); }};
};

TEST_F(EditGestures, OpensOnTheGlobalRowsAndTheProgramTabListsFilesAndRunningPrograms) {
    Write(L"Gestures_gone.exe.ini", L"[0]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    // The global file is read once at start: the window shows the store's reading.
    const int before = os.files.profileReads;
    TGestureStore reading;
    const int oneReading = os.files.profileReads - before;
    Make();
    EXPECT_EQ(os.files.profileReads - before, 2 * oneReading) << "a reading of its own each";
    EXPECT_EQ(window->Tab(), kGlobalTab);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{
                              L"[TOP]+DOWN | Run Program / File | Farrowglimmer.exe | CONFIG"}));
    window->tsSwitchChange(kProgramTab);
    EXPECT_TRUE(window->Rows().empty());
    using P = TFrmGesturesEdit::TProgramRow;
    EXPECT_EQ(window->Programs(),
              (std::vector<P>{{L"gone.exe", true}, {L"notepad.exe", true}, {L"other.exe", false}}));
    EXPECT_FALSE(window->DisableAllShown());
    Pick(L"notepad.exe");
    EXPECT_EQ(window->ShownFile(), L"Gestures_notepad.exe.ini");
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"UP+RIGHT | Keystroke | CTRL+W",
                                                     L"DOWN | Keystroke | F5"}));
    EXPECT_TRUE(window->DisableAllShown());
    EXPECT_EQ(window->DisableAllCaption(),
              L"Disable all gestures (including Global) for [notepad.exe]");
}

// Changing a binding's strokes moves it (never copies it) to the end of the file; changing only
// its action moves it too.
TEST_F(EditGestures, TheWizardsResultReplacesTheBindingAndMovesItToTheEnd) {
    OnNotepad();
    SelectRow(L"UP+RIGHT");
    wizard.answer.gesture = L"12";
    window->EditGesture1Click();
    EXPECT_EQ(wizard.runs, std::vector<std::wstring>{L"edit gesture"});
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
              L"[12]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"DOWN+LEFT | Keystroke | CTRL+W",
                                                     L"DOWN | Keystroke | F5"}));
    EXPECT_EQ(window->SelectedRow(), 0u);

    SelectRow(L"DOWN");
    wizard.answer.data = L"000075F6";
    window->MIEditActionClick();
    EXPECT_EQ(wizard.handedIn, L"1"); // from the selection
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[12]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
              L"[1]\r\nActionType=Keystroke\r\nAction=000075F6\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");

    // A new binding of a gesture the file has replaces that one once the user agrees.
    wizard.answer = {L"12", L"calc.exe|", TActionType::atProgram};
    window->btnNewGestureClick();
    EXPECT_EQ(view.questions,
              std::vector<std::wstring>{L"The gesture DOWN+LEFT already exists. Replace it?"});
    EXPECT_EQ(Captions(),
              (std::vector<std::wstring>{L"DOWN | Keystroke | F6",
                                         L"DOWN+LEFT | Run Program / File | calc.exe | "}));
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[1]\r\nActionType=Keystroke\r\nAction=000075F6\r\n"
              L"[12]\r\nActionType=Run Program / File\r\nAction=calc.exe|\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
    // The new gesture's picture is drawn at once.
    EXPECT_FALSE(window->Preview().ops.empty());

    // Cancelled: nothing changes.
    wizard.finish = false;
    const std::wstring before = Read(L"Gestures_notepad.exe.ini");
    window->btnNewGestureClick();
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), before);
}

// The wizard refuses a gesture the list shows, but the file can gain it while the wizard is
// open (by hand, or by the user's other edits): the binding there is replaced only when the user
// says so, whether a new binding or an edited one's strokes meet it.
TEST_F(EditGestures, ABindingIsReplacedOnlyAfterTheUserAgrees) {
    const std::wstring withLeft = L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                  L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
                                  L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n";
    struct Case {
        const char* what;
        std::function<void()> act;
        const wchar_t* replaced; // the file once the user said Yes
        std::size_t rows;        // and its rows
    };
    const Case cases[] = {
        {"a new binding",
         [this] {
             wizard.answer = {L"2", L"000042B", TActionType::atKeystroke};
             window->btnNewGestureClick();
         },
         L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
         L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
         L"[2]\r\nActionType=Keystroke\r\nAction=000042B\r\n"
         L"[Settings]\r\ncbDisableAll=0\r\n",
         3},
        {"an edited binding's strokes",
         [this] {
             SelectRow(L"DOWN");
             wizard.answer.gesture = L"2";
             window->EditGesture1Click();
         },
         L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
         L"[2]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
         L"[Settings]\r\ncbDisableAll=0\r\n",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool yes : {false, true}) {
            window.reset();
            Write(L"Gestures_notepad.exe.ini", kNotepad);
            OnNotepad();
            Write(L"Gestures_notepad.exe.ini", withLeft); // by hand, after the list was read
            view.questions.clear();
            view.answer = yes;
            c.act();
            EXPECT_EQ(view.questions,
                      std::vector<std::wstring>{L"The gesture LEFT already exists. Replace it?"});
            EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), yes ? c.replaced : withLeft);
            EXPECT_EQ(Captions().size(), yes ? c.rows : 3u);
        }
    }
}

// On the Per-Program tab before a program is picked the list shows no file: a new gesture has
// nowhere to go, and the global file still held from the Global tab is not rewritten by a close.
TEST_F(EditGestures, BeforeAProgramIsPickedNoFileIsWritten) {
    const std::wstring global = std::wstring(L"; the user's own note\r\n") + kGlobal;
    Write(L"Gestures.ini", global);
    Make().tsSwitchChange(kProgramTab);
    wizard.answer = {L"2", L"000041A", TActionType::atKeystroke};
    window->btnNewGestureClick();
    EXPECT_TRUE(wizard.runs.empty());
    EXPECT_EQ(os.desktop.messageBoxes,
              std::vector<std::wstring>{L"Pick a program in the list first."});
    EXPECT_TRUE(window->Rows().empty());
    window->FormCloseQuery();
    EXPECT_EQ(Read(L"Gestures.ini"), global);

    // Once one is picked, the new gesture goes to its file.
    Pick(L"other.exe");
    window->btnNewGestureClick();
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"), L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
                                               L"[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_EQ(Read(L"Gestures.ini"), global);
}

TEST_F(EditGestures, DeleteAsksFirstAndTheLastGestureTakesTheFileWithIt) {
    OnNotepad();
    window->Delete1Click(); // no row selected
    EXPECT_TRUE(view.questions.empty());
    SelectRow(L"UP+RIGHT");
    view.answer = false;
    window->Delete1Click();
    EXPECT_EQ(view.questions, std::vector<std::wstring>{L"Delete the gesture UP+RIGHT?"});
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), kNotepad);

    view.answer = true;
    window->Delete1Click();
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"DOWN | Keystroke | F5"});
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
    SelectRow(L"DOWN");
    window->Delete1Click();
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), L"<none>");
    EXPECT_FALSE(window->Programs()[window->SelectedProgramRow().value()].hasGestures);
}

// The box is written with the next save of its file: picking another program, switching tabs,
// closing.
TEST_F(EditGestures, TheDisableBoxIsWrittenWithTheNextSaveOfItsOwnFile) {
    OnNotepad();
    Pick(L"other.exe");
    EXPECT_FALSE(window->DisableAllChecked());
    window->cbDisableAllClick(true);
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"), L"<none>");
    Pick(L"notepad.exe");
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"), L"[Settings]\r\ncbDisableAll=1\r\n");
    EXPECT_FALSE(window->DisableAllChecked()); // notepad's own flag
    Pick(L"other.exe");
    EXPECT_TRUE(window->DisableAllChecked());
    EXPECT_TRUE(window->Programs()[*window->SelectedProgramRow()].hasGestures);
    window->cbDisableAllClick(false);
    window->tsSwitchChange(kGlobalTab);
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"), L"<none>");
    EXPECT_EQ(window->ShownFile(), L"Gestures.ini");

    // The dispatcher reads the flag the window wrote.
    window->tsSwitchChange(kProgramTab);
    Pick(L"notepad.exe");
    window->cbDisableAllClick(true);
    window->FormCloseQuery();
    EXPECT_TRUE(gestures->ProgramIsDisabled());
}

// A gesture drawn while the window is open loads the foreground program's file into the store
// the window shares; the window's next edit still goes to the file it shows.
TEST_F(EditGestures, EditsGoToTheShownFileAfterTheDispatcherLoadedAnother) {
    Write(L"Gestures_other.exe.ini", L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    OnNotepad();
    os.desktop.foreground = other;
    gestures->ReportGestures(L"2", false);
    SelectRow(L"UP+RIGHT");
    window->Delete1Click();
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"),
              L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    // And a close saves the shown file, not the dispatcher's.
    gestures->ReportGestures(L"2", false);
    window->cbDisableAllClick(true);
    window->FormCloseQuery();
    EXPECT_NE(Read(L"Gestures_notepad.exe.ini").find(L"cbDisableAll=1"), std::wstring::npos);
    EXPECT_EQ(Read(L"Gestures_other.exe.ini"),
              L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
}

TEST_F(EditGestures, AHandEditMadeWhileTheWindowIsOpenSurvivesTheWindowsNextEdit) {
    OnNotepad();
    SelectRow(L"DOWN");
    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
                                       L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
                                       L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n");
    window->Delete1Click();
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n"
              L"[2]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"UP+RIGHT | Keystroke | CTRL+W",
                                                     L"LEFT | Keystroke | A"}));

    // A row the hand edit removed is not deleted twice, and nothing else goes with it.
    SelectRow(L"LEFT");
    Write(L"Gestures_notepad.exe.ini", L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n");
    window->Delete1Click();
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"UP+RIGHT | Keystroke | CTRL+W"});
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n");

    // Showing the window again shows the file as it is now.
    window->FormCloseQuery();
    Write(L"Gestures_notepad.exe.ini", kNotepad);
    window->Show();
    EXPECT_EQ(Captions().size(), 2u);
}

TEST_F(EditGestures, AReadOnlyFileRaisesTheErrorAndTheWindowKeepsItsRows) {
    OnNotepad();
    const std::wstring path = GetDataPath() + L"Gestures_notepad.exe.ini";
    os.files.readOnly.insert(path);
    SelectRow(L"UP+RIGHT");
    try {
        window->Delete1Click();
        FAIL() << "the save did not fail";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + path);
    }
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"DOWN | Keystroke | F5"});
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), kNotepad);
    // Picking another program would lose the change: the pick is refused with the same error.
    EXPECT_THROW(Pick(L"other.exe"), TUserError);
    EXPECT_EQ(window->ShownFile(), L"Gestures_notepad.exe.ini");

    // Writable again, even after a gesture loaded another file: the next save writes the change.
    os.files.readOnly.clear();
    os.desktop.foreground = other;
    gestures->ReportGestures(L"03", false);
    window->FormCloseQuery();
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"),
              L"[1]\r\nActionType=Keystroke\r\nAction=000074F5\r\n"
              L"[Settings]\r\ncbDisableAll=0\r\n");

    // At the end of the program the error is shown and the program ends all the same.
    os.files.readOnly.insert(path);
    window->cbDisableAllClick(true);
    window->ExitProgram();
    EXPECT_EQ(os.desktop.messageBoxes, std::vector<std::wstring>{L"Unable to write to " + path});
    EXPECT_EQ(opened, std::vector<std::wstring>{L"end"});
}

// In a data folder start-up found unwritable (and said so), an edit still reports its failure;
// the save as the program ends is only logged.
TEST_F(EditGestures, InAnUnwritableFolderEditsFailAloudAndTheEndQuietly) {
    editParts.dataFolderWritable = false;
    OnNotepad();
    os.files.readOnlyFolders.insert(GetDataPath());
    const std::wstring path = GetDataPath() + L"Gestures_notepad.exe.ini";
    SelectRow(L"UP+RIGHT");
    try {
        window->Delete1Click();
        FAIL() << "the delete looked saved";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + path);
    }
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), kNotepad);

    test::LogMark mark;
    window->ExitProgram();
    EXPECT_TRUE(os.desktop.messageBoxes.empty());
    EXPECT_EQ(mark.Messages(), std::vector<std::wstring>{L"[FGest] Unable to write to " + path});
    EXPECT_EQ(opened, std::vector<std::wstring>{L"end"});
}

// Rows that cannot run as stored are marked, and a save writes every binding back as stored.
TEST_F(EditGestures, MalformedKeystrokesAndMissingProgramsAreMarkedAndKept) {
    os.system.environment = {{L"TOOLS", L"C:\\Tools"}};
    const std::wstring file =
        L"[0]\r\nActionType=Keystroke\r\nAction=0x0041A\r\n"
        L"[1]\r\nActionType=Multiple Keystrokes\r\nAction=000041A|0x0042B\r\n"
        L"[2]\r\nActionType=Run Program / File\r\nAction=C:\\Gone\\x.exe|-q\r\n"
        L"[3]\r\nActionType=Run Program / File\r\nAction=%TOOLS%\\gone.exe|\r\n"
        L"[4]\r\nActionType=Run Program / File\r\nAction=notepad.exe|\r\n"
        L"[5]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\here.exe|\r\n"
        L"[6]\r\nActionType=Macro\r\n"
        L"[Settings]\r\ncbDisableAll=0\r\n";
    Write(L"Gestures_notepad.exe.ini", file);
    os.files.SetText(L"C:\\Tools\\here.exe", L"MZ");
    OnNotepad();
    EXPECT_EQ(Captions(),
              (std::vector<std::wstring>{
                  L"UP | Keystroke | (invalid keystroke) 0x0041A",
                  L"DOWN | Multiple Keystrokes | A | (invalid keystroke) 0x0042B",
                  L"LEFT | Run Program / File | (not found) C:\\Gone\\x.exe | -q",
                  L"RIGHT | Run Program / File | (not found) %TOOLS%\\gone.exe | ",
                  L"NE | Run Program / File | notepad.exe | ",
                  L"NW | Run Program / File | C:\\Tools\\here.exe | ", L"SE | Macro | -"}));
    // Deleting another row writes every marked one back as it was.
    SelectRow(L"NW");
    window->Delete1Click();
    std::wstring expected = file;
    const std::wstring gone =
        L"[5]\r\nActionType=Run Program / File\r\nAction=C:\\Tools\\here.exe|\r\n";
    expected.erase(expected.find(gone), gone.size());
    // A binding without a known type keeps its type and no action.
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), expected);
}

// A program whose name is not ASCII has a file of its own like any other, and what its file
// holds that is not ASCII either outlives every save.
TEST_F(EditGestures, AProgramWithAUnicodeNameIsListedAndEdited) {
    os.system.processes.push_back({300, L"日本語.exe"});
    os.desktop.foreground = os.desktop.AddWindow(30, 300);
    const std::wstring tool = L"[5]\r\nActionType=Run Program / File\r\n"
                              L"Action=C:\\ツール\\記録.exe|日本 語\r\n";
    os.files.SetUnicodeText(GetDataPath() + L"Gestures_日本語.exe.ini", kNotepad + tool);
    Make();
    window->ShowWithCurrentForegroundProgram();
    ASSERT_TRUE(window->SelectedProgramRow());
    EXPECT_EQ(window->Programs()[*window->SelectedProgramRow()],
              (TFrmGesturesEdit::TProgramRow{L"日本語.exe", true}));
    EXPECT_EQ(window->ShownFile(), L"Gestures_日本語.exe.ini");
    SelectRow(L"DOWN");
    window->Delete1Click();
    window->cbDisableAllClick(true);
    window->FormCloseQuery();
    EXPECT_EQ(Read(L"Gestures_日本語.exe.ini"),
              L"[03]\r\nActionType=Keystroke\r\nAction=010057CTRL+W\r\n" + tool +
                  L"[Settings]\r\ncbDisableAll=1\r\n");
    EXPECT_TRUE(gestures->ProgramIsDisabled());
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), kNotepad);
}

TEST_F(EditGestures, EditGesturesCommandSelectsTheForegroundProgram) {
    Make();
    window->tsSwitchChange(kProgramTab);
    // Listed already: selected at once, and the window comes up.
    EXPECT_EQ(window->ShowWithCurrentForegroundProgram(), HWindow{0x4711});
    EXPECT_TRUE(view.showing);
    EXPECT_EQ(window->ShownFile(), L"Gestures_notepad.exe.ini");

    // Not listed yet: the scan the command starts brings the row, and it is selected.
    os.system.processes.push_back({300, L"new.exe"});
    os.desktop.foreground = os.desktop.AddWindow(30, 300);
    window->ShowWithCurrentForegroundProgram();
    EXPECT_EQ(window->DisableAllCaption(),
              L"Disable all gestures (including Global) for [new.exe]");
    // Only that scan: a later one does not jump to another program.
    os.desktop.foreground = other;
    window->ReportScanDone(TGatherINIData::Execute());
    EXPECT_EQ(window->ShownFile(), L"Gestures_new.exe.ini");
}

TEST_F(EditGestures, CloseHidesAndSavesExitSavesAndEnds) {
    OnNotepad();
    view.showing = true;
    window->cbDisableAllClick(true);
    window->FormCloseQuery();
    EXPECT_FALSE(view.showing);
    EXPECT_TRUE(opened.empty());
    EXPECT_NE(Read(L"Gestures_notepad.exe.ini").find(L"cbDisableAll=1"), std::wstring::npos);

    window->Show();
    window->cbDisableAllClick(false);
    EXPECT_TRUE(window->WMEndSession());
    EXPECT_TRUE(window->DoExit);
    EXPECT_EQ(Read(L"Gestures_notepad.exe.ini"), kNotepad);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"end"});
    window->ExitProgram(); // the session's second message ends nothing twice
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(EditGestures, ButtonsAndClicksReachTheirWindows) {
    Make();
    window->FormClick();
    EXPECT_TRUE(opened.empty());
    os.input.Press(0x10);
    window->FormClick();
    window->btnConfigureClick();
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"debug", L"configuration"}));

    // The preview draws the selected row's gesture at the picture box's size.
    window->SetPreviewSize(164, 158);
    const std::vector<TPictureOp> cleared = window->Preview().ops;
    window->lvGesturesClick(); // nothing selected: nothing drawn
    EXPECT_EQ(window->Preview().ops, cleared);
    window->lvGesturesSelectItem(0);
    window->lvGesturesClick();
    TPicture expected(164, 158);
    TRecordingCanvas canvas(expected);
    TFrmDrawGesture::GetImage(L"A1", canvas, 164, 158);
    EXPECT_EQ(window->Preview().ops, expected.ops);
}

TEST_F(EditGestures, EveryPartIsRequired) {
    editParts = {};
    try {
        Make();
        FAIL();
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(),
                  L"The Edit Gestures window is missing its wizard configuration debug-window "
                  L"end-of-program file-saved");
    }
}

} // namespace
} // namespace fg
