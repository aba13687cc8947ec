// The window "Keystroke List": the keystroke list panel with Set and Cancel, run modally.
#pragma once

#include "platform/win32/Modal.h"
#include "platform/win32/TableWindow.h"
#include "ui/UnitFrameKeystrokeList_win32.h"
#include "ui/UnitFrmKeystrokeList.h"

namespace fg {

class TFrmKeystrokeListWindow : public TTableWindow, public IKeystrokeListWindowView {
  public:
    static constexpr int kClientWidth = 427, kClientHeight = 373;

    TFrmKeystrokeListWindow();
    ~TFrmKeystrokeListWindow() override;

    TFrmKeystrokeList& Logic() { return logic; }
    TFrameKeystrokeListPanel& Panel() { return panel; }

    void Mirror() override { panel.Mirror(); }
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }
    bool ShowModal() override;
    void CloseModal(bool set) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override { panel.SetPanelDpi(Dpi(), 0, 0); }

  private:
    TFrmKeystrokeList logic;
    TFrameKeystrokeListPanel panel{logic};
    TModalLoop loop;
    bool centred = false;
};

} // namespace fg
