#include "platform/win32/Center.h"

namespace fg {

namespace {

void CenterInWorkArea(HWND window, HMONITOR monitor) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(monitor, &mi);
    RECT r{};
    GetWindowRect(window, &r);
    const RECT& work = mi.rcWork;
    const int x = work.left + (work.right - work.left - (r.right - r.left)) / 2;
    const int y = work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void CenterOnMonitor(HWND window, std::optional<POINT> point) {
    CenterInWorkArea(window, point ? MonitorFromPoint(*point, MONITOR_DEFAULTTOPRIMARY)
                                   : MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

void CenterOnMonitorOf(HWND window, HWND other) {
    CenterInWorkArea(window, MonitorFromWindow(other ? other : window, MONITOR_DEFAULTTOPRIMARY));
}

} // namespace fg
