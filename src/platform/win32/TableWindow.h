// A window made from a table of controls: it creates them, lays them out at its DPI and again
// when its size or DPI changes, runs a control's click from its row, and draws its links (the
// hand over them, Enter and Space press them).
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"

#include <functional>
#include <vector>

namespace fg {

class TTableWindow : public TWin32Window {
  public:
    ~TTableWindow() override;

  protected:
    // Creates the table's controls for atDpi, in a client area of the designed size (96-DPI px).
    void CreateControls(std::vector<ControlRow> rows, FontChoice font, int designWidth,
                        int designHeight, int atDpi);
    // Places the controls for the client area as it is now.
    void LayOut();

    // The table's controls have their fonts for another DPI: a window with fonts, pictures or
    // panels of its own makes them anew here (and may call it once to make them first).
    virtual void DpiTaken() {}
    // The table has placed its controls; a window that places some itself does so here.
    virtual void LaidOut() {}
    // The bold font the links' underlined one is made from, at atDpi: the table's font in bold.
    virtual HFONT LinkBoldFont(int atDpi);
    // What the links are drawn over: the dialog's colour.
    virtual HBRUSH LinkBackground();

    // The window's DPI changed: new fonts, DpiTaken, the suggested rectangle, everything redrawn.
    void DpiChanged(const RECT& suggested) override;
    // Gives the table's controls their fonts for atDpi (a panel, whose parent tells it the DPI).
    void TakeTableDpi(int atDpi);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TControlTable controls;
    // What Enter and Escape do when no control of the table answers to IDOK or IDCANCEL.
    std::function<void()> onEnter;
    std::function<void()> onEscape;
    bool mirroring = false; // the window sets its own controls: their notifications are echoes

  private:
    void MakeLinkFont();
    HFONT linkFont = nullptr;
};

} // namespace fg
