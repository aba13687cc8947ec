// Time as the program sees it. Every pause, sleep and tick count goes through here, so tests can
// run on virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fg {

class IClock {
  public:
    virtual ~IClock() = default;
    // Milliseconds since some start; wraps at 2^32 like the system's tick counter.
    virtual std::uint32_t TickCount() = 0;
    // Milliseconds with a fraction, from the system's high-resolution counter where there is
    // one; only the phase stamps of the debug log read it.
    virtual double PreciseMs() { return TickCount(); }
    virtual void Sleep(std::uint32_t ms) = 0;
    // The local time of day in the user's long time format (hours, minutes, seconds).
    virtual std::wstring LocalTimeText() = 0;

    // Timers fire on the main thread, between messages. A timer that is due again while its
    // handler still runs fires once more afterwards, never twice.
    using TimerId = int;
    virtual TimerId AddTimer(std::function<void()> onTimer) = 0;
    // Starts (from now) or stops a timer; an interval of 0 never fires.
    virtual void SetTimer(TimerId id, bool enabled, std::uint32_t intervalMs) = 0;
    virtual void RemoveTimer(TimerId id) = 0;
};

} // namespace fg
