#include "platform/Timer.h"

#include "platform/Platform.h"

namespace fg {

TTimer::TTimer(std::uint32_t intervalMs, bool on, std::function<void()> onTimer)
    : clock(Os().clock), id(clock->AddTimer(std::move(onTimer))), interval(intervalMs), enabled(on) {
    Apply();
}

TTimer::~TTimer() { clock->RemoveTimer(id); }

void TTimer::SetEnabled(bool on) {
    if (on == enabled) return;
    enabled = on;
    Apply();
}

void TTimer::SetInterval(std::uint32_t ms) {
    if (ms == interval) return;
    interval = ms;
    Apply();
}

void TTimer::Apply() { clock->SetTimer(id, enabled, interval); }

} // namespace fg
