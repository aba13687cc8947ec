// DPI of windows and monitors, and fonts made for a DPI. The functions that report DPI appeared
// over several Windows versions, so each is looked up at run time with a fallback to the system's
// DPI (GetDeviceCaps LOGPIXELSY), which is what every monitor has on a system without them.
#pragma once

#include <windows.h>

#include "platform/Dpi.h"

namespace fg {

// The DPI the system uses for a window: GetDpiForWindow (Windows 10 1607), else the DPI of the
// monitor the window is on.
int WindowDpi(HWND h);
// The DPI of the monitor nearest to a screen point: GetDpiForMonitor (Windows 8.1), else the
// system's.
int MonitorDpiAt(POINT p);
// The DPI the system was started with (GetDeviceCaps LOGPIXELSY of the screen).
int SystemDpi();

// The window rectangle around a client area of the given size, with the frame metrics of dpi
// (AdjustWindowRectExForDpi where the system has it).
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// A font by face and point size for a DPI; made once per face, size, weight and DPI and kept for
// the program's life.
HFONT ScaledFont(const wchar_t* face, int points, int dpi, bool bold = false);
// A font whose character height is px96 pixels at 96 DPI, scaled to dpi; kept likewise.
HFONT ScaledPixelFont(const wchar_t* face, int px96, int dpi, bool bold = false);

// A rectangle given in 96-DPI pixels, at dpi. Both edges are scaled, so neighbours stay
// neighbours.
RECT ScaleRect(const RECT& r96, int dpi);

} // namespace fg
