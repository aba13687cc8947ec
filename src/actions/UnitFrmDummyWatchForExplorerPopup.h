// Closes the shell's context menu that a gesture released over the desktop can open: for half a
// second after the gesture, a fast timer looks for a popup menu of the shell and closes it.
#pragma once

#include "platform/Timer.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>

namespace fg {

class TfrmDummyWatchForExplorerPopup {
  public:
    TfrmDummyWatchForExplorerPopup();
    virtual ~TfrmDummyWatchForExplorerPopup() = default;
    TfrmDummyWatchForExplorerPopup(const TfrmDummyWatchForExplorerPopup&) = delete;
    TfrmDummyWatchForExplorerPopup& operator=(const TfrmDummyWatchForExplorerPopup&) = delete;

    // A gesture has just ended: watch when the shell has the foreground, otherwise stay idle.
    // A watch that is running starts over.
    virtual void StartWatch();
    void timIntervalTimer();

    TTimer timInterval;

    std::wstring lastEXEName; // of the foreground window when the watch started
    HWindow lastHandle = 0;
    TRect lastClientRect;          // kept from one watch to the next
    std::uint32_t startTime = 0;   // tick count at the start of the watch
    std::uint32_t timeElapsed = 0; // counted in timer intervals
    bool debug = false;            // a debugger was attached when the watch started

  private:
    // The first popup menu on the desktop, into w (or 0); true when the shell owns it.
    bool FindExplorerMenu(HWindow& w);
    void CloseMenu(HWindow menu);
    void LogRect(const TRect& r) const;
};

} // namespace fg
