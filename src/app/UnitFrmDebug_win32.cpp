#include "app/UnitFrmDebug_win32.h"

namespace fg {

namespace {

enum : int { idLabel1 = 100, idAutoSave, idMemo1, idButton1, idSave, idKill };

constexpr int kClientWidth = 542;
constexpr int kClientHeight = 503;
constexpr int kLineHeight = 13;

} // namespace

std::vector<ControlRow> TFrmDebugWindow::Rows() {
    const auto with = [this](void (TFrmDebug::*click)()) {
        return [this, click] {
            if (logic) (logic.get()->*click)();
        };
    };
    return {
        {idLabel1, ControlKind::Label, L"Most Recent Log Items", 5, 5, 0, 0, akTopLeft},
        {idAutoSave, ControlKind::CheckBox, L"Auto-Save on program Exit", 344, 2, 186, 17,
         akTopRight,
         [this] {
             if (logic)
                 logic->cbAutoSaveClick(
                     SendMessageW(controls.Item(idAutoSave), BM_GETCHECK, 0, 0) == BST_CHECKED);
         }},
        {idMemo1, ControlKind::ListBox, L"", 0, 22, 449, 479, akAll},
        {idButton1, ControlKind::Button, L"Copy", 455, 64, 75, 25, akTopRight,
         with(&TFrmDebug::Button1Click)},
        {idSave, ControlKind::Button, L"Save", 455, 95, 75, 25, akTopRight,
         with(&TFrmDebug::btnSaveClick)},
        {idKill, ControlKind::Button, L"Kill Program", 455, 470, 75, 25, akTopRight,
         with(&TFrmDebug::btnKillClick)},
    };
}

TFrmDebugWindow::TFrmDebugWindow() {
    // A taskbar button of its own although the program shows no main window.
    if (CreateNative({.className = L"TFrmDebug",
                      .caption = L"Debug Window",
                      .style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                      .exStyle = WS_EX_APPWINDOW,
                      .parent = GetDesktopWindow(),
                      .x = 0,
                      .y = 0,
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight})) {
        CreateControls(Rows(), {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
        SetLineHeight();
    }
    logic = std::make_unique<TFrmDebug>(this);
}

TFrmDebugWindow::~TFrmDebugWindow() {
    logic.reset(); // FormDestroy: its last lines and the auto-save happen while the window exists
}

void TFrmDebugWindow::SetLineHeight() {
    SendMessageW(Memo(), LB_SETITEMHEIGHT, 0, Scale(kLineHeight));
}

HWND TFrmDebugWindow::Memo() const {
    return controls.Item(idMemo1);
}

void TFrmDebugWindow::MemoClear() {
    SendMessageW(Memo(), LB_RESETCONTENT, 0, 0);
}

void TFrmDebugWindow::MemoAddBottom(const std::wstring& line) {
    SendMessageW(Memo(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TFrmDebugWindow::MemoInsertTop(const std::wstring& line) {
    SendMessageW(Memo(), LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TFrmDebugWindow::MemoDeleteBottom() {
    const LRESULT count = SendMessageW(Memo(), LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(Memo(), LB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
}

bool TFrmDebugWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

LRESULT TFrmDebugWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam && logic) logic->FormShow();
        break;
    case WM_CLOSE: // the window lives until the program ends: closing only hides it
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
