// A timer owned by a portable class, on the platform clock: the program's TTimer.
#pragma once

#include "platform/IClock.h"

#include <cstdint>
#include <functional>

namespace fg {

class TTimer {
  public:
    TTimer(std::uint32_t interval, bool enabled, std::function<void()> onTimer);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled; }
    std::uint32_t Interval() const { return interval; }
    // Both restart the countdown when the timer runs.
    void SetEnabled(bool on);
    void SetInterval(std::uint32_t ms);

  private:
    void Apply();
    IClock* clock;
    IClock::TimerId id;
    std::uint32_t interval;
    bool enabled;
};

} // namespace fg
