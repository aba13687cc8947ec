// The gesture wizard's native window: three pages shown one at a time, the editors' panels, the
// grey band with the program's name, and Back / Next / Finish.
#pragma once

#include "gestures/UnitFrameGestureEdit_win32.h"
#include "gestures/UnitFrmGestureWizard.h"
#include "platform/win32/Modal.h"
#include "platform/win32/TableWindow.h"
#include "ui/UnitFrameHotKey_win32.h"
#include "ui/UnitFrameKeystrokeList_win32.h"
#include "ui/UnitFrameProgramEdit_win32.h"

#include <memory>

namespace fg {

class TFrmGestureWizardWindow : public TTableWindow, public IGestureWizardView {
  public:
    explicit TFrmGestureWizardWindow(TGestureWizardParts parts);
    ~TFrmGestureWizardWindow() override;

    TFrmGestureWizard& Logic() { return *logic; }

    void Mirror() override;
    void ShowModal() override;
    void EndModal() override;
    bool IsShowing() override;
    void FocusKeystroke() override;
    HWindow ShapeExamplesButton() override;
    HWindow ActionExamplesButton() override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override; // the panels and the band's font

  private:
    std::vector<ControlRow> Rows();
    void MakePanels();
    void PlacePanels();
    void ShowPages();
    void PaintBand(HDC dc);

    std::unique_ptr<TFrmGestureWizard> logic;
    std::unique_ptr<TFrameGestureEditPanel> gesturePanel;
    std::unique_ptr<TFrameKeystrokeEditPanel> keystrokePanel;
    std::unique_ptr<TFrameKeystrokeListPanel> listPanel;
    std::unique_ptr<TFrameProgramEditPanel> programPanel;
    TModalLoop modal;
    HFONT bandFont = nullptr;
};

} // namespace fg
