// Time as the program sees it. Every pause, sleep and tick count goes through here, so tests can
// run on virtual time.
#pragma once

#include <cstdint>
#include <string>

namespace fg {

class IClock {
  public:
    virtual ~IClock() = default;
    // Milliseconds since some start; wraps at 2^32 like the system's tick counter.
    virtual std::uint32_t TickCount() = 0;
    virtual void Sleep(std::uint32_t ms) = 0;
    // The local time of day in the user's long time format (hours, minutes, seconds).
    virtual std::wstring LocalTimeText() = 0;
};

} // namespace fg
