// The program editor's native panel: a child window that the wizard places on its "Run File or
// Program" page, and that the program editor's own window holds.
#pragma once

#include "platform/win32/Panel.h"
#include "ui/UnitFrameProgramEdit.h"

namespace fg {

class TFrameProgramEditPanel : public TWin32Panel, public IProgramEditView {
  public:
    explicit TFrameProgramEditPanel(TFrameProgramEdit& logic); // logic outlives the panel
    ~TFrameProgramEditPanel() override;

    static constexpr int kWidth = 411, kHeight = 106; // design size, 96-DPI pixels

    void Mirror() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }
    HWND Item(int id) const { return controls.Item(id); }

    enum : int { idLblProgram = 10, idTxtProgram, idSpeedButton1, idLblParam, idTxtParam };

  protected:
    std::vector<ControlRow> Rows() override;
    void PanelCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Changed(int id);
    void DrawBrowse(const DRAWITEMSTRUCT& item);

    TFrameProgramEdit& logic;
};

} // namespace fg
