#include "capture/UnitFrmMouseMonitor_win32.h"

#include "platform/win32/Win32Platform.h"

#include <utility>

namespace fg {

TFrmMouseMonitorWindow::TFrmMouseMonitorWindow(IInput& input, IDesktop& desktop, IClock& clock,
                                               TMouseMonitorParts parts) {
    CreateNative({.className = L"TFrmMouseMonitor",
                  .caption = L"FrmMouseMonitor",
                  .exStyle = WS_EX_TOOLWINDOW, // no taskbar button during its brief showing
                  .clientWidth = 120,
                  .clientHeight = 40});
    parts.monitorOfWindow = [this](HWindow window, TRect& monitor) {
        return MonitorOfWindow(window, monitor);
    };
    logic = std::make_unique<TFrmMouseMonitor>(input, desktop, clock, std::move(parts));
}

TFrmMouseMonitorWindow::~TFrmMouseMonitorWindow() {
    logic.reset(); // its timers go while the window still exists
}

bool TFrmMouseMonitorWindow::MonitorOfWindow(HWindow window, TRect& monitor) {
    if (hwnd) {
        // Shrunk, minimised and never activated: the flash is a 10 x 10 icon at most.
        SetWindowPos(hwnd, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
        ShowWindow(hwnd, SW_HIDE);
    }
    return MonitorBounds(MonitorFromWindow(reinterpret_cast<HWND>(window), MONITOR_DEFAULTTONULL),
                         monitor);
}

} // namespace fg
