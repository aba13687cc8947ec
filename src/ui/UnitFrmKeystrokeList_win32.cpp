#include "ui/UnitFrmKeystrokeList_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Tally.h"
#include "ui/UnitKeystrokeField_win32.h"

#include <vector>

namespace fg {

namespace {

using K = ControlKind;

// Below the panel, which fills the top of the window.
const std::vector<ControlRow> kRows = {
    {IDOK, K::Button, L"Set", 244, 334, 80, 25, akRight | akBottom},
    {IDCANCEL, K::Button, L"Cancel", 332, 334, 80, 25, akRight | akBottom},
};

} // namespace

TFrmKeystrokeListWindow::TFrmKeystrokeListWindow() {
    if (!CreateNative({.className = L"TFrmKeystrokeList",
                       .caption = L"Keystroke List",
                       .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                       .clientWidth = kClientWidth,
                       .clientHeight = kClientHeight}))
        return;
    panel.CreatePanel(hwnd, 0, 0, Dpi());
    controls.Create(hwnd, kRows, {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
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

void TFrmKeystrokeListWindow::DpiChanged(const RECT& suggested) {
    controls.SetDpi(Dpi());
    panel.SetPanelDpi(Dpi(), 0, 0);
    TWin32Window::DpiChanged(suggested);
}

LRESULT TFrmKeystrokeListWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) logic.btnSetClick();
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) logic.btnCancelClick();
        return 0;
    case WM_CLOSE:
        logic.btnCancelClick();
        return 0;
    case WM_SIZE:
        controls.Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
