// A panel: a child window with a table of controls that another window places on itself, at a
// point of that window's 96-DPI design, and lays out again when that window's DPI changes.
#pragma once

#include "platform/win32/TableWindow.h"

#include <vector>

namespace fg {

class TWin32Panel : public TTableWindow {
  public:
    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place

  protected:
    // What a panel is made of: its window class and its size in 96-DPI pixels.
    struct PanelDesign {
        const wchar_t* className;
        int width, height;
    };
    explicit TWin32Panel(const PanelDesign& design);

    // The panel's controls, made when the panel is.
    virtual std::vector<ControlRow> Rows() = 0;
    // The panel's own setup once its controls exist, before it shows.
    virtual void PanelCreated() {}

    int PanelDpi() const { return panelDpi; }

  private:
    void Place(int x, int y);

    PanelDesign design;
    int panelDpi = kDesignDpi;
};

} // namespace fg
