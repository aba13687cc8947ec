#include "platform/win32/Panel.h"

#include "platform/win32/Dpi.h"

namespace fg {

TWin32Panel::TWin32Panel(const PanelDesign& d) : design(d) {}

bool TWin32Panel::CreatePanel(HWND parent, int x, int y, int atDpi) {
    if (hwnd) return true;
    panelDpi = atDpi;
    // Sized by Place: CreateNative would scale the size by the DPI of a screen point, and this
    // position is in the parent's client area.
    if (!CreateNative({.className = design.className,
                       .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                       .exStyle = WS_EX_CONTROLPARENT,
                       .parent = parent,
                       .x = ScaleByDpi(x, atDpi),
                       .y = ScaleByDpi(y, atDpi)}))
        return false;
    CreateControls(Rows(), {L"Tahoma", 8}, design.width, design.height, panelDpi);
    Place(x, y);
    PanelCreated();
    ShowWindow(hwnd, SW_SHOWNA); // made hidden, as every window is
    return true;
}

void TWin32Panel::Place(int x, int y) {
    SetWindowPos(hwnd, nullptr, ScaleByDpi(x, panelDpi), ScaleByDpi(y, panelDpi),
                 ScaleByDpi(design.width, panelDpi), ScaleByDpi(design.height, panelDpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Panel::SetPanelDpi(int newDpi, int x, int y) {
    if (!hwnd) return;
    panelDpi = newDpi;
    TakeTableDpi(newDpi);
    Place(x, y);
    // Place sends no WM_SIZE when the size stays, and the new fonts still want their places.
    controls.Layout(ScaleByDpi(design.width, newDpi), ScaleByDpi(design.height, newDpi));
    InvalidateRect(hwnd, nullptr, TRUE);
    DpiTaken();
}

} // namespace fg
