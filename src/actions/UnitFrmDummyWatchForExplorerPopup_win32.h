// The hidden window behind the shell popup watch; it is never shown.
#pragma once

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "platform/win32/TableWindow.h"

namespace fg {

class TfrmDummyWatchForExplorerPopupWindow : public TTableWindow {
  public:
    TfrmDummyWatchForExplorerPopupWindow();
    ~TfrmDummyWatchForExplorerPopupWindow() override;
    TfrmDummyWatchForExplorerPopup& Logic() { return logic; }

  private:
    TfrmDummyWatchForExplorerPopup logic;
};

} // namespace fg
