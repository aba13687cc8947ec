#include "platform/HandlesLog.h"

#include "platform/LogSink.h"

namespace fg {

namespace {
std::function<std::wstring()>& Report() {
    static std::function<std::wstring()> report;
    return report;
}
bool enabled = false;
} // namespace

void SetHandlesReport(std::function<std::wstring()> report) {
    Report() = std::move(report);
}

void EnableHandlesLog(bool on) {
    enabled = on;
}

void LogHandles() {
    if (!enabled || !Report()) return;
    LogToSink(Report()());
}

} // namespace fg
