// Where the seam's own code writes a line for the debug log. The seam sits below the program's
// debug log, so start-up installs the log here; until then lines go to the debugger's output.
#pragma once

#include <string>

namespace fg {

using TLogSink = void (*)(const std::wstring& text, bool includeLastError);

void SetLogSink(TLogSink sink);
void LogToSink(const std::wstring& text, bool includeLastError = false);

} // namespace fg
