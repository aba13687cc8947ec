#include "ui/UnitFrmKeystrokeEditor_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Tally.h"
#include "ui/UnitKeystrokeField_win32.h"

namespace fg {

namespace {

enum : int { idLabel = 10, idField, idExamples, idTab, idSet = IDOK, idCancel = IDCANCEL };

} // namespace

TFrmKeystrokeEditWindow::TFrmKeystrokeEditWindow() {
    // No title-bar buttons: the window ends with Set or Cancel.
    if (CreateNative({.className = L"TFrmKeystrokeEdit",
                      .caption = L"Farrowglimmer keystroke",
                      .style = WS_POPUP | WS_CAPTION,
                      .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight})) {
        CreateControls(Rows(), {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
        SinkEdge(Field());
        SendMessageW(controls.Item(idSet), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
        MakeCaptureField(Field(), [this](std::uint16_t key) { logic.txtHotkeyKeyDown(key); });
        hints = MakeHints(hwnd);
        AddHint(hints, controls.Item(idExamples), L"Common Examples");
        logic.SetWindowView(this);
    }
    previousConversions = FrmKeystrokeEdit;
    previousEditor = FrmKeystrokeEditor;
    FrmKeystrokeEdit = &logic;
    FrmKeystrokeEditor = &logic;
}

TFrmKeystrokeEditWindow::~TFrmKeystrokeEditWindow() {
    FrmKeystrokeEdit = previousConversions;
    FrmKeystrokeEditor = previousEditor;
    logic.SetWindowView(nullptr);
    if (hwnd) tally::DestroyWindow(hwnd);
}

// In the order a user tabs through them. Enter reaches a greyed "Set" too, and does nothing there.
std::vector<ControlRow> TFrmKeystrokeEditWindow::Rows() {
    using K = ControlKind;
    return {
        {idLabel, K::Label, L"Keystroke ", 16, 27, 0, 0, akTopLeft},
        {idField, K::Edit, L"", 80, 23, 200, 22, akTopLeft},
        {idExamples, K::Button, L"...", 284, 22, 28, 24, akTopLeft,
         [this] { logic.SpeedButton1Click(); }},
        {idTab, K::Button, L"Tab", 80, 56, 64, 25, akTopLeft, [this] { logic.btnTabClick(); }},
        {idSet, K::Button, L"Set", 148, 100, 80, 25, akTopLeft, [this] { logic.bSetClick(); }},
        {idCancel, K::Button, L"Cancel", 236, 100, 80, 25, akTopLeft,
         [this] { logic.bCancelClick(); }},
    };
}

HWND TFrmKeystrokeEditWindow::Field() const {
    return controls.Item(idField);
}

void TFrmKeystrokeEditWindow::Mirror() {
    if (!hwnd) return;
    ShowInField(Field(), logic.Text());
    EnableWindow(controls.Item(idSet), logic.SetEnabled());
}

bool TFrmKeystrokeEditWindow::CanFocusField() {
    return hwnd && IsWindowVisible(hwnd);
}

void TFrmKeystrokeEditWindow::FocusField() {
    if (hwnd) SetFocus(Field());
}

void TFrmKeystrokeEditWindow::ShowModal() {
    if (!hwnd || loop.Running()) return;
    // The window that asked stays below the editor while it runs.
    HWND owner = GetActiveWindow();
    if (owner == hwnd) owner = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!placed) CenterOnMonitorOf(hwnd, owner);
    placed = true;
    loop.Run(hwnd, owner);
}

void TFrmKeystrokeEditWindow::CloseModal() {
    if (loop.Running()) loop.End(mrOK);
}

void TFrmKeystrokeEditWindow::MoveTo(TPoint topLeft) {
    if (!hwnd) return;
    placed = true;
    SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TFrmKeystrokeEditWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) logic.FormActivate();
        return 0;
    case WM_CLOSE:
        logic.bCancelClick();
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
