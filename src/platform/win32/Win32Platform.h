// The Win32 implementations of the platform seam, and installing them.
#pragma once

#include "platform/Platform.h"

#include <windows.h>

#include <string>

namespace fg {

// Installs the Win32 services process-wide (they live until the process ends).
void InstallWin32Platform();

// The bounds of a monitor; false for none, or one the system no longer knows.
bool MonitorBounds(HMONITOR monitor, TRect& bounds);

// The text of a movable memory block (clipboard data, a global handle) up to its first zero,
// never read beyond the block's own size; false when the block cannot be locked.
bool GlobalBlockText(HANDLE block, std::wstring& text);

} // namespace fg
