// The program editor's own window: the editor's panel with "Set" and "Cancel", shown modally.
#pragma once

#include "platform/win32/Modal.h"
#include "platform/win32/TableWindow.h"
#include "ui/UnitFrameProgramEdit_win32.h"
#include "ui/UnitFrmProgramEdit.h"

namespace fg {

class TFrmProgramEditWindow : public TTableWindow, public IModalProgramView {
  public:
    // owner: the window it is centred on and that is disabled while it shows (may be null).
    explicit TFrmProgramEditWindow(HWND owner = nullptr);
    ~TFrmProgramEditWindow() override;

    TFrmProgramEdit& Logic() { return logic; }
    bool ShowModal() override;

    static constexpr int kClientWidth = 411, kClientHeight = 164;
    enum : int { idSet = IDOK, idCancel = IDCANCEL };

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override { panel.SetPanelDpi(Dpi(), 0, 0); }

  private:
    void CenterOnOwner();
    void MirrorSet();

    HWND owner;
    TFrmProgramEdit logic;
    TFrameProgramEditPanel panel;
    TModalLoop loop;
};

} // namespace fg
