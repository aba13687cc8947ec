// The gesture editor and the program editor on the fakes: what the buttons, the monitor position,
// Undo and Clear make of the gesture; how a program action text splits; when "Set" is enabled;
// the browse menu and its file dialog; and the program window's modal answer.
#include "app/UnitSpecialPaths.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitFrameGestureEdit.h"
#include "ui/UnitDrawGesture.h"
#include "ui/UnitFrameProgramEdit.h"
#include "ui/UnitFrmProgramEdit.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace fg {
namespace {

// --- gesture editor --------------------------------------------------------------------------

const wchar_t* const kButtonNames[kDirectionButtonCount] = {L"UP", L"Down", L"Left", L"Right",
                                                            L"NE", L"NW",   L"SE",   L"SW"};

// Runs steps written as the user would click: a button's name, "Undo", "Clear", "Init",
// "Mon:<entry>" or "Set:<gesture>".
void RunSteps(TFrameGestureEdit& e, const std::vector<std::wstring>& steps) {
    for (const std::wstring& s : steps) {
        if (s == L"Undo")
            e.btnUndoClick();
        else if (s == L"Clear")
            e.btnClearClick();
        else if (s == L"Init")
            e.Init();
        else if (s.rfind(L"Mon:", 0) == 0)
            e.cbxMonitorPosSelect(std::stoi(s.substr(4)));
        else if (s.rfind(L"Set:", 0) == 0)
            e.SetGesture(s.substr(4));
        else {
            bool found = false;
            for (int b = 0; b < kDirectionButtonCount; ++b)
                if (s == kButtonNames[b]) {
                    e.DirectionClick(static_cast<TDirectionButton>(b));
                    found = true;
                }
            ASSERT_TRUE(found) << "no step " << std::string(s.begin(), s.end());
        }
    }
}

std::set<std::wstring> Disabled(const TFrameGestureEdit& e) {
    std::set<std::wstring> names;
    for (int b = 0; b < kDirectionButtonCount; ++b)
        if (!e.ButtonEnabled(static_cast<TDirectionButton>(b))) names.insert(kButtonNames[b]);
    return names;
}

std::string Trace(const std::vector<std::wstring>& steps) {
    std::wstring s;
    for (const std::wstring& step : steps)
        s += step + L" ";
    return std::string(s.begin(), s.end());
}

TEST(GestureEdit, ButtonsMonitorPositionUndoAndClearComposeTheGesture) {
    struct Case {
        std::vector<std::wstring> steps;
        std::wstring gesture, text;
        int monitorPos;
        std::set<std::wstring> disabled;
    };
    const Case cases[] = {
        {{}, L"", L"", mpAnywhere, {}},
        {{L"Mon:1"}, L"A", L"[TOP]", mpTop, {L"UP"}},
        {{L"Mon:1", L"Down"}, L"A1", L"[TOP]+DOWN", mpTop, {L"Down", L"SE", L"SW"}},
        {{L"Mon:1", L"Down", L"Mon:2"}, L"B1", L"[BOTTOM]+DOWN", mpBottom, {}},
        {{L"Mon:1", L"Down", L"Mon:0"}, L"1", L"DOWN", mpAnywhere, {}},
        {{L"Mon:4", L"Mon:3"}, L"C", L"[LEFTSIDE]", mpLeftSide, {L"Left"}},
        {{L"Mon:1", L"Down", L"Undo"}, L"A", L"[TOP]", mpTop, {}},
        {{L"Mon:1", L"Down", L"Undo", L"Undo"}, L"", L"", mpAnywhere, {}},
        {{L"Undo"}, L"", L"", mpAnywhere, {}},
        {{L"Mon:1", L"Down", L"Right", L"Clear"}, L"A", L"[TOP]", mpTop, {}},
        {{L"UP", L"Right", L"UP"}, L"030", L"UP+RIGHT+UP", mpAnywhere, {L"UP", L"NE", L"NW"}},
        {{L"NE", L"Left"}, L"42", L"NE+LEFT", mpAnywhere, {L"Left", L"NW", L"SW"}},
        {{L"Set:D13"}, L"D13", L"[RIGHTSIDE]+DOWN+RIGHT", mpRightSide, {}},
        {{L"Set:D13", L"Undo"}, L"D1", L"[RIGHTSIDE]+DOWN", mpRightSide, {}},
        // Loading another gesture leaves nothing of the last stroke behind.
        {{L"UP", L"Set:"}, L"", L"", mpAnywhere, {}},
        {{L"Set:B0", L"Set:2"}, L"2", L"LEFT", mpAnywhere, {}},
        // A new gesture starts anywhere, whatever the one before started at.
        {{L"Mon:1", L"Down", L"Init"}, L"", L"", mpAnywhere, {}},
        {{L"Mon:9"}, L"", L"", mpAnywhere, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Trace(c.steps));
        TFrameGestureEdit e([] { return true; });
        e.Init();
        RunSteps(e, c.steps);
        std::wstring name, gesture;
        e.GetGesture(name, gesture);
        EXPECT_EQ(gesture, c.gesture);
        EXPECT_EQ(name, c.text);
        EXPECT_EQ(e.MonitorPos(), c.monitorPos);
        EXPECT_EQ(Disabled(e), c.disabled);
    }
}

TEST(GestureEdit, AStrokeDisablesItselfAndTheDirectionsThatContainItOrItContains) {
    // Each button as its two components: vertical (-1 up, 1 down) and horizontal.
    const int vertical[] = {-1, 1, 0, 0, -1, -1, 1, 1};
    const int horizontal[] = {0, 0, -1, 1, 1, -1, 1, -1};
    for (int pressed = 0; pressed < kDirectionButtonCount; ++pressed) {
        TFrameGestureEdit e([] { return true; });
        e.Init();
        e.DirectionClick(static_cast<TDirectionButton>(pressed));
        for (int b = 0; b < kDirectionButtonCount; ++b) {
            const auto within = [&](int inner, int outer) {
                return (vertical[inner] == 0 || vertical[inner] == vertical[outer]) &&
                       (horizontal[inner] == 0 || horizontal[inner] == horizontal[outer]);
            };
            const bool off = within(b, pressed) || within(pressed, b);
            EXPECT_EQ(e.ButtonEnabled(static_cast<TDirectionButton>(b)), !off)
                << "pressed " << pressed << ", button " << b;
        }
    }
}

TEST(GestureEdit, HiddenDiagonalsStillShowALoadedDiagonalGestureInFull) {
    bool diagonals = false;
    TFrameGestureEdit e([&] { return diagonals; });
    e.Init();
    for (int b = btnNE; b <= btnSW; ++b)
        EXPECT_FALSE(e.ButtonVisible(static_cast<TDirectionButton>(b)));
    EXPECT_TRUE(e.ButtonVisible(btnUP));

    e.SetGesture(L"A403");
    std::wstring name, gesture;
    e.GetGesture(name, gesture);
    EXPECT_EQ(name, L"[TOP]+NE+UP+RIGHT");
    EXPECT_EQ(gesture, L"A403");
    TPicture expected(kGesturePreviewWidth, kGesturePreviewHeight);
    TRecordingCanvas canvas(expected);
    TFrmDrawGesture::GetImage(L"A403", canvas, expected.Width, expected.Height);
    EXPECT_EQ(e.imgPreview().ops, expected.ops);

    // The setting is asked afresh whenever the buttons reset.
    diagonals = true;
    e.btnClearClick();
    EXPECT_TRUE(e.ButtonVisible(btnSW));
}

TEST(GestureEdit, ThePreviewFollowsTheGestureAndScalesWithTheDpi) {
    TFrameGestureEdit e([] { return true; });
    e.Init();
    TPicture blank(kGesturePreviewWidth, kGesturePreviewHeight);
    TRecordingCanvas blankCanvas(blank);
    TFrmDrawGesture::ClearImage(blankCanvas);
    EXPECT_EQ(e.imgPreview().ops, blank.ops);

    e.DirectionClick(btnUP);
    e.DirectionClick(btnRight);
    EXPECT_NE(e.imgPreview().ops, blank.ops);
    const TPicture big = e.Preview(144);
    EXPECT_EQ(big.Width, 158);
    EXPECT_EQ(big.Height, 150);
    TPicture expected(158, 150);
    TRecordingCanvas canvas(expected);
    TFrmDrawGesture::GetImage(L"03", canvas, 158, 150);
    EXPECT_EQ(big.ops, expected.ops);

    e.btnUndoClick();
    e.btnUndoClick();
    EXPECT_EQ(e.imgPreview().ops, blank.ops);
}

class CountingGestureView : public IGestureEditView {
  public:
    explicit CountingGestureView(const TFrameGestureEdit& e) : editor(e) {}
    void Mirror() override { texts.push_back(editor.Text()); }
    const TFrameGestureEdit& editor;
    std::vector<std::wstring> texts;
};

TEST(GestureEdit, EveryChangeReachesTheView) {
    TFrameGestureEdit e([] { return false; });
    CountingGestureView view(e);
    e.SetView(&view);
    e.SetGesture(L"03"); // as the wizard loads a binding
    e.cbxMonitorPosSelect(mpBottom);
    e.DirectionClick(btnLeft);
    e.btnUndoClick();
    e.btnClearClick();
    e.Init();
    const std::vector<std::wstring> expected = {L"",
                                                L"UP+RIGHT",
                                                L"[BOTTOM]+UP+RIGHT",
                                                L"[BOTTOM]+UP+RIGHT+LEFT",
                                                L"[BOTTOM]+UP+RIGHT",
                                                L"[BOTTOM]",
                                                L""};
    EXPECT_EQ(view.texts, expected);
    e.SetView(nullptr);
    e.DirectionClick(btnUP); // no view: nothing to reach
    EXPECT_EQ(view.texts.size(), expected.size());
}

// --- program editor --------------------------------------------------------------------------

TEST(ProgramEdit, AnActionTextSplitsAtItsFirstBar) {
    fake::FakePlatform platform;
    struct Case {
        const wchar_t* initdata;
        const wchar_t* program;
        const wchar_t* param;
    };
    const Case cases[] = {
        {L"%WINDIR%\\notepad.exe|C:\\a.txt", L"%WINDIR%\\notepad.exe", L"C:\\a.txt"},
        {L"", L"", L""},
        {L"C:\\Docs", L"C:\\Docs", L""},
        {L"C:\\Tools\\x.exe|", L"C:\\Tools\\x.exe", L""},
        {L"  C:\\Tools\\x.exe|a|b", L"C:\\Tools\\x.exe", L"a|b"},
        {L"x.exe| -q ", L"x.exe", L" -q "},
        {L"|-q", L"", L"-q"},
    };
    TFrameProgramEdit e;
    for (const Case& c : cases) {
        e.SetProgram(c.initdata);
        std::wstring prog = L"old", param = L"old";
        EXPECT_EQ(e.GetProgram(prog, param), *c.program != 0) << c.initdata;
        EXPECT_EQ(prog, c.program) << c.initdata;
        EXPECT_EQ(param, c.param) << c.initdata;
    }
}

TEST(ProgramEdit, SetIsEnabledOnlyForAnExistingFileAsWrittenOrExpanded) {
    fake::FakePlatform platform;
    platform.system.environment = {{L"WINDIR", L"C:\\Windows"}};
    platform.files.files[L"C:\\Windows\\notepad.exe"] = {};
    platform.files.folders = {L"C:\\Windows", L"C:\\Windows\\"};
    struct Case {
        const wchar_t* program;
        bool enabled;
    };
    const Case cases[] = {
        {L"C:\\Windows\\notepad.exe", true},
        {L"%WINDIR%\\notepad.exe", true},
        {L"C:\\Windows", false},
        {L"%WINDIR%", false},
        {L"notepad.exe", false},
        {L"%WINDIR%\\missing.exe", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        TFrameProgramEdit typed, loaded;
        int changes = 0;
        typed.OnProgramChange = [&] { ++changes; };
        typed.txtProgramChange(c.program);
        loaded.SetProgram(std::wstring(c.program) + L"|-q");
        EXPECT_EQ(typed.SetEnabled(), c.enabled) << c.program;
        EXPECT_EQ(loaded.SetEnabled(), c.enabled) << c.program;
        EXPECT_EQ(changes, 1);
    }
}

class ProgramView : public IProgramEditView {
  public:
    explicit ProgramView(const TFrameProgramEdit& e) : editor(e) {}
    void Mirror() override { shown.push_back(editor.Program() + L"|" + editor.Param()); }
    HWindow Handle() override { return 0x4242; }
    const TFrameProgramEdit& editor;
    std::vector<std::wstring> shown;
};

TEST(ProgramEdit, BrowseOpensTheFileDialogInTheChosenFolderAndTakesThePickedFile) {
    fake::FakePlatform platform;
    platform.system.specialFolders = {{0, L"C:\\Users\\me\\Desktop"},
                                      {11, L"C:\\Users\\me\\Start Menu"},
                                      {22, L"C:\\ProgramData\\Start Menu"},
                                      {5, L"C:\\Users\\me\\Documents"}};
    platform.input.cursor = {500, 300};
    struct Case {
        const wchar_t* entry;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"Desktop", L"C:\\Users\\me\\Desktop"},
        {L"Start Menu", L"C:\\Users\\me\\Start Menu"},
        {L"Start Menu All Users", L"C:\\ProgramData\\Start Menu"},
        {L"Documents", L"C:\\Users\\me\\Documents"},
    };
    for (const Case& c : cases) {
        TFrameProgramEdit e;
        ProgramView view(e);
        e.SetView(&view);
        e.SetProgram(L"old.exe|-q");
        platform.desktop.popups.clear();
        platform.desktop.fileDialogs.clear();
        platform.desktop.pick = {c.entry};
        platform.desktop.fileDialogChoice = L"C:\\Program Files\\Tools\\tool.exe";
        e.SpeedButton1Click();

        ASSERT_EQ(platform.desktop.popups.size(), 1u);
        const auto& menu = platform.desktop.popups[0];
        EXPECT_EQ(menu.captions,
                  (std::vector<std::wstring>{L"Desktop", L"Start Menu", L"Start Menu All Users",
                                             L"Documents"}));
        EXPECT_EQ(menu.at, (TPoint{470, 320}));
        EXPECT_EQ(menu.owner, 0x4242u);
        using Dialogs = std::vector<fake::FakeDesktop::FileDialog>;
        EXPECT_EQ(platform.desktop.fileDialogs, (Dialogs{{0x4242, c.folder, L"*.*"}}));
        std::wstring prog, param;
        e.GetProgram(prog, param);
        EXPECT_EQ(prog, L"C:\\Program Files\\Tools\\tool.exe") << c.entry;
        EXPECT_EQ(param, L"-q") << c.entry;
        EXPECT_EQ(view.shown.back(), L"C:\\Program Files\\Tools\\tool.exe|-q");
    }

    // Cancelling the dialog, or closing the menu without a pick, changes nothing.
    for (const std::vector<std::wstring>& pick :
         {std::vector<std::wstring>{L"Start Menu"}, std::vector<std::wstring>{}}) {
        TFrameProgramEdit e;
        e.SetProgram(L"old.exe|-q");
        platform.desktop.pick = pick;
        platform.desktop.fileDialogChoice.clear();
        e.SpeedButton1Click();
        std::wstring prog, param;
        e.GetProgram(prog, param);
        EXPECT_EQ(prog + L"|" + param, L"old.exe|-q");
    }
}

class ModalView : public IModalProgramView {
  public:
    explicit ModalView(fake::FakeDesktop& d) : desktop(d) {}
    bool ShowModal() override {
        attachedWhileShown = !desktop.attached.empty();
        ++shows;
        if (whileShown) whileShown();
        return answer;
    }
    fake::FakeDesktop& desktop;
    bool answer = true;
    int shows = 0;
    bool attachedWhileShown = false;
    std::function<void()> whileShown;
};

TEST(FrmProgramEdit, GetProgramShowsTheWindowJoinedToTheForegroundProgram) {
    fake::FakePlatform platform;
    platform.desktop.foreground = platform.desktop.AddWindow(7, 70);
    struct Case {
        const char* what;
        bool attachFails;
        bool set;
        bool shown;
        bool answer;
    };
    const Case cases[] = {
        {"closed with Set", false, true, true, true},
        {"cancelled", false, false, true, false},
        {"the join fails", true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform.desktop.attachFails = c.attachFails;
        ModalView view(platform.desktop);
        view.answer = c.set;
        TFrmProgramEdit w(&view);
        view.whileShown = [&] {
            w.Editor().txtProgramChange(L"C:\\Tools\\x.exe");
            w.Editor().txtParamChange(L"-q");
        };
        std::wstring prog = L"before", param = L"before";
        EXPECT_EQ(w.GetProgram(prog, param), c.answer);
        EXPECT_EQ(view.shows, c.shown ? 1 : 0);
        EXPECT_EQ(view.attachedWhileShown, c.shown);
        EXPECT_TRUE(platform.desktop.attached.empty()) << "the join is undone";
        EXPECT_EQ(prog + L" " + param, c.answer ? L"C:\\Tools\\x.exe -q" : L"before before");
    }
}

} // namespace
} // namespace fg
