// Where a top-level window opens: in the middle of a monitor's work area, clear of the taskbar.
#pragma once

#include <windows.h>

#include <optional>

namespace fg {

// Centres window on the monitor at point, or on its own monitor without one.
void CenterOnMonitor(HWND window, std::optional<POINT> point = std::nullopt);

// Centres window on the monitor other is on (window's own when null).
void CenterOnMonitorOf(HWND window, HWND other);

} // namespace fg
