// A panel: a child window with a table of controls that another window places on itself, at a
// point of that window's 96-DPI design, and lays out again when that window's DPI changes.
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"

#include <vector>

namespace fg {

class TWin32Panel : public TWin32Window {
  public:
    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place

  protected:
    // What a panel is made of: its window class, its controls and its size in 96-DPI pixels.
    struct PanelDesign {
        const wchar_t* className;
        const std::vector<ControlRow>& rows; // lives as long as the program
        int width, height;
    };
    explicit TWin32Panel(const PanelDesign& design);

    // The panel's own setup once its controls exist, before it shows.
    virtual void PanelCreated() {}
    // The controls have their new fonts and places.
    virtual void PanelDpiTaken() {}

    int PanelDpi() const { return panelDpi; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TControlTable controls;

  private:
    void Place(int x, int y);

    PanelDesign design;
    int panelDpi = kDesignDpi;
};

} // namespace fg
