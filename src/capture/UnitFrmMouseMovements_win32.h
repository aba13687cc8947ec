// The hidden window of the movement analysis; it has no controls and shows nothing.
#pragma once

#include "capture/UnitFrmMouseMovements.h"
#include "platform/win32/Window.h"

namespace fg {

class TfrmMouseMovementsWindow : public TWin32Window {
  public:
    TfrmMouseMovementsWindow();
    ~TfrmMouseMovementsWindow() override;
    TfrmMouseMovements& Logic() { return logic; }

  private:
    TfrmMouseMovements logic;
};

// The one analysis of the program; null before start-up creates its window.
extern TfrmMouseMovements* frmMouseMovements;

} // namespace fg
