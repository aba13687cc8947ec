// The right-button gate's native part: a thread of its own that owns the low-level mouse hook,
// feeds the gate every mouse event, runs its hold timer and sends the events it hands on, marked
// so that the hook lets them through. The thread never waits for the main thread, so the hook
// answers at once even while a gesture's action runs.
#pragma once

#include "capture/UnitRightButtonGate.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <thread>

namespace fg {

class TRightButtonGateHook {
  public:
    // leaveAlone: whether the right button of the program in front goes untouched.
    TRightButtonGateHook(IDesktop& desktop, IInput& input,
                         std::function<bool(HWindow foreground)> leaveAlone);
    ~TRightButtonGateHook(); // removes the hook and ends its thread
    TRightButtonGateHook(const TRightButtonGateHook&) = delete;
    TRightButtonGateHook& operator=(const TRightButtonGateHook&) = delete;

    TRightButtonGate& Logic() { return *logic; }

    // The mark of the events the gate sends (dwExtraInfo).
    static constexpr ULONG_PTR kMark = 0x46474754; // "FGGT"

  private:
    void Install(bool on);  // main thread
    void Run(HANDLE ready); // the hook's thread
    void Send(const std::vector<TGateReplay>& replays);
    // The counter's time of the release whose click waits to be sent, 0 when none.
    double releaseMs = 0;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<TRightButtonGate> logic;
    std::thread thread;
    DWORD threadId = 0;
    bool installed = false;
};

} // namespace fg
