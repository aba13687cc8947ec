// The hidden window behind the shell popup watch; it is never shown.
#pragma once

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"

namespace fg {

class TfrmDummyWatchForExplorerPopupWindow : public TWin32Window {
  public:
    TfrmDummyWatchForExplorerPopupWindow();
    ~TfrmDummyWatchForExplorerPopupWindow() override;
    TfrmDummyWatchForExplorerPopup& Logic() { return logic; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;

  private:
    TControlTable controls;
    TfrmDummyWatchForExplorerPopup logic;
};

} // namespace fg
