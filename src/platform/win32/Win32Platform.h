// The Win32 implementations of the platform seam, and installing them.
#pragma once

#include "platform/Platform.h"

namespace fg {

// Installs the Win32 services process-wide (they live until the process ends).
void InstallWin32Platform();

} // namespace fg
