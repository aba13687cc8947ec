// Joins the calling thread's input with the thread of another window for as long as it lives.
#pragma once

#include "platform/Types.h"

#include <cstdint>

namespace fg {

class TThreadAttach {
  public:
    explicit TThreadAttach(HWindow targetWindow);
    ~TThreadAttach() { Detach(); }
    TThreadAttach(const TThreadAttach&) = delete;
    TThreadAttach& operator=(const TThreadAttach&) = delete;

    bool IsAttached() const { return ThreadAttached; }
    void Detach();

  private:
    std::uint32_t ThreadTarget = 0;
    std::uint32_t ThreadOurs = 0;
    bool ThreadAttached = false;
};

} // namespace fg
