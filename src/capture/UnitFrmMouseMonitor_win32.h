// The mouse monitor's hidden window. It shows nothing; its one native duty is the last resort of
// the full-screen check, which needs a real window of the program's own to show briefly.
#pragma once

#include "capture/UnitFrmMouseMonitor.h"
#include "platform/win32/Window.h"

#include <memory>

namespace fg {

class TFrmMouseMonitorWindow : public TWin32Window {
  public:
    // The parts' monitorOfWindow is this window's own.
    TFrmMouseMonitorWindow(IInput& input, IDesktop& desktop, IClock& clock,
                           TMouseMonitorParts parts);
    ~TFrmMouseMonitorWindow() override;

    TFrmMouseMonitor& Logic() { return *logic; }

  private:
    bool MonitorOfWindow(HWindow window, TRect& monitor);

    std::unique_ptr<TFrmMouseMonitor> logic;
};

} // namespace fg
