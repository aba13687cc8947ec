// The gesture editor's and the program editor's native panels and the program editor's window
// under Wine: clicks and typing reach the logic, the logic's changes reach the controls, and the
// Set button follows the file. With FG_SHOTS naming a folder, pictures of the panels and the
// window at 96 and 144 DPI are written there for a person to look at.
#include "app/UnitMisc.h"
#include "gestures/UnitFrameGestureEdit_win32.h"
#include "platform/Platform.h"
#include "ui/UnitFrameProgramEdit_win32.h"
#include "ui/UnitFrmProgramEdit_win32.h"

#include "WinShots_win32.h"
#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fg {
namespace {

using test::PumpFor;

std::wstring TextOf(HWND h) {
    wchar_t text[512] = {};
    GetWindowTextW(h, text, 512);
    return text;
}

// The window's pixels as the screen shows them, written as a BMP into FG_SHOTS.
void Shoot(HWND window, const std::wstring& name) {
    const char* folder = std::getenv("FG_SHOTS");
    if (!folder || !*folder) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(100);
    test::SaveWindowShot(window, std::string(folder) + "\\" +
                                     std::string(name.begin(), name.end()) + ".bmp");
}

// A plain window to hold the panels, as the wizard's page would.
class Host : public test::ForegroundTestWindow {
  public:
    Host() : ForegroundTestWindow(L"FgEditorHost", 1000, 700) {
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                          GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    }
};

// A child control of a panel found by its id.
HWND Child(HWND panel, int id) {
    return GetDlgItem(panel, id);
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    PumpFor(20);
}

TEST(GestureEditPanel, ButtonsAndTheListDriveTheEditorAndItsChangesShow) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        Host host;
        bool diagonals = false;
        TFrameGestureEdit logic([&] { return diagonals; });
        TFrameGestureEditPanel panel(logic);
        ASSERT_TRUE(panel.CreatePanel(host.hwnd, 8, 8, dpi));
        logic.Init();
        host.Activate();
        RECT r{};
        GetClientRect(panel.Handle(), &r);
        EXPECT_EQ(r.right, MulDiv(TFrameGestureEditPanel::kWidth, dpi, 96));
        EXPECT_EQ(r.bottom, MulDiv(TFrameGestureEditPanel::kHeight, dpi, 96));

        HWND text = Child(panel.Handle(), 11);
        HWND up = Child(panel.Handle(), 20 + btnUP);
        HWND down = Child(panel.Handle(), 20 + btnDown);
        HWND ne = Child(panel.Handle(), 20 + btnNE);
        HWND combo = Child(panel.Handle(), 44);
        EXPECT_FALSE(GetWindowLongPtrW(ne, GWL_STYLE) & WS_VISIBLE);
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), mpAnywhere);

        SendMessageW(combo, CB_SETCURSEL, mpTop, 0);
        SendMessageW(panel.Handle(), WM_COMMAND, MAKEWPARAM(44, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        EXPECT_FALSE(IsWindowEnabled(up)) << "no stroke off the top edge";
        Click(down);
        EXPECT_EQ(TextOf(text), L"[TOP]+DOWN");
        EXPECT_FALSE(IsWindowEnabled(down));
        Shoot(host.hwnd, L"gesture-panel-" + std::to_wstring(dpi));

        // The wizard loads a binding: the controls follow.
        diagonals = true;
        logic.SetGesture(L"B43");
        EXPECT_EQ(TextOf(text), L"[BOTTOM]+NE+RIGHT");
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), mpBottom);
        EXPECT_TRUE(GetWindowLongPtrW(ne, GWL_STYLE) & WS_VISIBLE);
        Shoot(host.hwnd, L"gesture-panel-diagonals-" + std::to_wstring(dpi));
        Click(Child(panel.Handle(), 41)); // Undo
        EXPECT_EQ(TextOf(text), L"[BOTTOM]+NE");
        Click(Child(panel.Handle(), 42)); // Clear
        EXPECT_EQ(TextOf(text), L"[BOTTOM]");
    }
}

TEST(ProgramEditPanel, TypingReachesTheEditorAndALoadedActionShows) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        Host host;
        TFrameProgramEdit logic;
        TFrameProgramEditPanel panel(logic);
        ASSERT_TRUE(panel.CreatePanel(host.hwnd, 8, 8, dpi));
        host.Activate();
        HWND program = panel.Item(TFrameProgramEditPanel::idTxtProgram);
        HWND param = panel.Item(TFrameProgramEditPanel::idTxtParam);
        logic.SetProgram(L"%WINDIR%\\notepad.exe|C:\\a.txt");
        EXPECT_EQ(TextOf(program), L"%WINDIR%\\notepad.exe");
        EXPECT_EQ(TextOf(param), L"C:\\a.txt");
        EXPECT_TRUE(logic.SetEnabled());
        Shoot(host.hwnd, L"program-panel-" + std::to_wstring(dpi));

        SetWindowTextW(program, L"C:\\windows");
        SetWindowTextW(param, L"-q");
        std::wstring prog, par;
        logic.GetProgram(prog, par);
        EXPECT_EQ(prog, L"C:\\windows");
        EXPECT_EQ(par, L"-q");
        EXPECT_FALSE(logic.SetEnabled()) << "a folder is no file";
    }
}

// Runs while the window is modal: a picture, then a press of the button.
struct ModalScript {
    HWND window = nullptr;
    std::wstring shot;
    int press = IDCANCEL;
};
ModalScript script;

void CALLBACK WhileModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!script.shot.empty()) Shoot(script.window, script.shot);
    PostMessageW(script.window, WM_COMMAND, script.press, 0);
}

TEST(FrmProgramEditWindow, SetFollowsTheFileAndClosesWithTheFields) {
    test::ForegroundTestWindow foreground(L"FgProgramForeground", 300, 200);
    foreground.Activate();
    TFrmProgramEditWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    RECT r{};
    GetClientRect(window.Handle(), &r);
    const int dpi = window.Dpi();
    EXPECT_EQ(r.right, MulDiv(TFrmProgramEditWindow::kClientWidth, dpi, 96));
    EXPECT_EQ(r.bottom, MulDiv(TFrmProgramEditWindow::kClientHeight, dpi, 96));
    HWND set = GetDlgItem(window.Handle(), IDOK);
    TFrameProgramEdit& editor = window.Logic().Editor();

    editor.SetProgram(L"C:\\windows|x");
    EXPECT_FALSE(IsWindowEnabled(set));
    editor.SetProgram(L"%WINDIR%\\notepad.exe|C:\\a.txt");
    EXPECT_TRUE(IsWindowEnabled(set));

    script = {window.Handle(), L"program-window-" + std::to_wstring(dpi), IDOK};
    SetTimer(nullptr, 0, 300, WhileModal);
    std::wstring prog = L"before", param = L"before";
    EXPECT_TRUE(window.Logic().GetProgram(prog, param));
    EXPECT_EQ(prog, L"%WINDIR%\\notepad.exe");
    EXPECT_EQ(param, L"C:\\a.txt");
    EXPECT_FALSE(IsWindowVisible(window.Handle()));

    // Enter on a program that is no file does not set; Escape cancels.
    editor.SetProgram(L"C:\\windows|x");
    script = {window.Handle(), L"", IDOK};
    SetTimer(nullptr, 0, 100, WhileModal);
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        PostMessageW(script.window, WM_COMMAND, IDCANCEL, 0);
    });
    prog = param = L"before";
    EXPECT_FALSE(window.Logic().GetProgram(prog, param));
    EXPECT_EQ(prog, L"before");
}

// Answers the open-file dialog when it shows: a file name typed into it, or Cancel.
std::wstring dialogAnswer;
bool dialogSeen = false;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)))
        if (GetWindowThreadProcessId(dialog, nullptr) == GetCurrentThreadId() &&
            IsWindowVisible(dialog))
            break;
    if (!dialog) return; // not yet: the timer comes again
    KillTimer(nullptr, id);
    dialogSeen = true;
    if (dialogAnswer.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetDlgItemTextW(dialog, 0x47C, dialogAnswer.c_str()); // the file name box
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(OpenFileDialog, StartsInTheFolderAndAnswersTheFullPathOrCancel) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"fg editor dialog";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\pick me.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    for (const std::wstring& answer : {std::wstring(L"pick me.txt"), std::wstring()}) {
        dialogAnswer = answer;
        dialogSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerDialog);
        std::wstring chosen = L"unchanged";
        const bool picked = Os().desktop->OpenFileDialog(0, folder, L"*.*", chosen);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(dialogSeen);
        EXPECT_EQ(picked, !answer.empty());
        EXPECT_EQ(AsciiLower(chosen), AsciiLower(answer.empty() ? L"unchanged" : file));
    }
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
} // namespace fg
