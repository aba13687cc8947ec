// The hidden instance window that a later start finds by its class name.
#pragma once

#include "app/UnitFrmInstance.h"
#include "platform/win32/Window.h"

namespace fg {

class TFrmDummyInstanceWindow : public TWin32Window {
  public:
    TFrmDummyInstanceWindow();
    TFrmDummyInstance& Logic() { return logic; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    TFrmDummyInstance logic;
};

} // namespace fg
