// The program editor's native panel: a child window that the wizard places on its "Run File or
// Program" page, and that the program editor's own window holds.
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrameProgramEdit.h"

namespace fg {

class TFrameProgramEditPanel : public TWin32Window, public IProgramEditView {
  public:
    explicit TFrameProgramEditPanel(TFrameProgramEdit& logic); // logic outlives the panel
    ~TFrameProgramEditPanel() override;

    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place
    static constexpr int kWidth = 411, kHeight = 106; // design size, 96-DPI pixels

    void Mirror() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }
    HWND Item(int id) const { return controls.Item(id); }

    enum : int { idLblProgram = 10, idTxtProgram, idSpeedButton1, idLblParam, idTxtParam };

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Place(int x, int y);
    void Changed(int id);
    void DrawBrowse(const DRAWITEMSTRUCT& item);

    TFrameProgramEdit& logic;
    TControlTable controls;
    int panelDpi = 96;
    bool mirroring = false; // the panel sets its own text boxes: their notifications are echoes
};

} // namespace fg
