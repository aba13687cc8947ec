#include "ui/UnitFrmKeystrokeList_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Tally.h"
#include "ui/UnitKeystrokeField_win32.h"

namespace fg {

TFrmKeystrokeListWindow::TFrmKeystrokeListWindow() {
    if (!CreateNative({.className = L"TFrmKeystrokeList",
                       .caption = L"Keystroke List",
                       .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                       .clientWidth = kClientWidth,
                       .clientHeight = kClientHeight}))
        return;
    panel.CreatePanel(hwnd, 0, 0, Dpi());
    // Below the panel, which fills the top of the window.
    CreateControls({{IDOK, ControlKind::Button, L"Set", 244, 334, 80, 25, akRight | akBottom,
                     [this] { logic.btnSetClick(); }},
                    {IDCANCEL, ControlKind::Button, L"Cancel", 332, 334, 80, 25, akRight | akBottom,
                     [this] { logic.btnCancelClick(); }}},
                   {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
    SendMessageW(controls.Item(IDOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
    logic.SetWindowView(this);
}

TFrmKeystrokeListWindow::~TFrmKeystrokeListWindow() {
    logic.SetWindowView(nullptr);
    if (hwnd) tally::DestroyWindow(hwnd);
}

bool TFrmKeystrokeListWindow::ShowModal() {
    if (!hwnd || loop.Running()) return false;
    HWND owner = GetActiveWindow();
    if (owner == hwnd) owner = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!centred) CenterOnMonitorOf(hwnd, owner);
    centred = true;
    return loop.Run(hwnd, owner) == mrOK;
}

void TFrmKeystrokeListWindow::CloseModal(bool set) {
    if (loop.Running()) loop.End(set ? mrOK : mrCancel);
}

LRESULT TFrmKeystrokeListWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        logic.btnCancelClick();
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
