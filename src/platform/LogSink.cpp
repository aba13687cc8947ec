#include "platform/LogSink.h"

#include <cstdio>

namespace fg {

namespace {
TLogSink installed = nullptr;
} // namespace

void SetLogSink(TLogSink sink) {
    installed = sink;
}

void LogToSink(const std::wstring& text, bool includeLastError) {
    if (installed) {
        installed(text, includeLastError);
        return;
    }
    std::fprintf(stderr, "%ls\n", text.c_str());
}

} // namespace fg
