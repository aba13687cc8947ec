#include "ui/UnitFrmProgramEdit_win32.h"

namespace fg {

TFrmProgramEditWindow::TFrmProgramEditWindow(HWND ownerWindow)
    : owner(ownerWindow), logic(this), panel(logic.Editor()) {
    if (!CreateNative({.className = L"TFrmProgramEdit",
                       .caption = L"FrmProgramEdit",
                       .style = WS_CAPTION | WS_SYSMENU,
                       .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME,
                       .parent = owner,
                       .x = 0,
                       .y = 0,
                       .clientWidth = kClientWidth,
                       .clientHeight = kClientHeight}))
        return;
    // The panel first: Tab walks from the program through the parameters to "Set".
    panel.CreatePanel(hwnd, 0, 0, Dpi());
    CreateControls(
        {// Enter reaches "Set" as IDOK even while it is greyed out: only a file that exists sets.
         {idSet, ControlKind::DefaultButton, L"Set", 236, 128, 80, 25, akTopLeft,
          [this] {
              if (logic.Editor().SetEnabled()) loop.End(mrOK);
          }},
         {idCancel, ControlKind::Button, L"Cancel", 323, 128, 80, 25, akTopLeft,
          [this] { loop.End(mrCancel); }}},
        {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
    logic.Editor().OnProgramChange = [this] { MirrorSet(); };
    MirrorSet();
}

TFrmProgramEditWindow::~TFrmProgramEditWindow() {
    logic.Editor().OnProgramChange = nullptr;
    logic.SetView(nullptr);
}

void TFrmProgramEditWindow::MirrorSet() {
    if (HWND set = controls.Item(idSet)) EnableWindow(set, logic.Editor().SetEnabled());
}

void TFrmProgramEditWindow::CenterOnOwner() {
    RECT area{};
    if (owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &mi);
        area = mi.rcWork;
    }
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int x = area.left + (area.right - area.left - (r.right - r.left)) / 2;
    const int y = area.top + (area.bottom - area.top - (r.bottom - r.top)) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFrmProgramEditWindow::ShowModal() {
    if (!hwnd) return false;
    CenterOnOwner();
    MirrorSet();
    SetFocus(panel.Item(TFrameProgramEditPanel::idTxtProgram));
    return loop.Run(hwnd, owner) == mrOK;
}

LRESULT TFrmProgramEditWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        loop.End(mrCancel);
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
