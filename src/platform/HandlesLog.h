// The handle count in the debug log: with "LogHandles" on in "defaults.ini", one line after each
// gesture and each window close says how many GDI and USER objects the program holds, so a run of
// hours shows whether anything is lost. Off, it costs one flag test.
#pragma once

#include <functional>
#include <string>

namespace fg {

// The line to log; start-up installs the count the Win32 side keeps. Unset, nothing is logged.
void SetHandlesReport(std::function<std::wstring()> report);
void EnableHandlesLog(bool on);
// Appends the report to the debug log when it is on.
void LogHandles();

} // namespace fg
