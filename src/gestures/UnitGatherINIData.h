// The scan of gesture files and running programs for the Edit Gestures window: it walks the data
// folder and every visible window on a thread of its own, so the window stays responsive.
#pragma once

#include "gestures/UnitGestureStore.h"

#include <chrono>
#include <functional>

namespace fg {

// Runs a callable on the main thread and returns once it has run there.
using TMainThreadCall = std::function<void(const std::function<void()>&)>;

class TGatherINIData {
  public:
    // Receives a scan's own lists on the scan's thread. It must have them handled on the main
    // thread and return only once they have been (a sent message does that).
    using THandOver = std::function<void(const TScanLists&)>;

    // Starts a scan on a thread of its own. The thread ends, and frees its lists, after the
    // hand-over; each hand-over carries the lists of the scan it belongs to, so scans that
    // overlap never mix.
    static void Start(THandOver handOver);
    // The scan itself: per-program gesture files of the data folder (empty ones left out) and
    // the executables of the visible windows from the foreground down.
    static TScanLists Execute();
    // Waits until no scan thread runs any more; false when the time ran out first.
    static bool WaitUntilIdle(std::chrono::milliseconds timeout);
};

} // namespace fg
