// Modal windows: a nested message loop that runs while one window is shown, with dialog keyboard
// handling (Tab between controls, Enter for the default button, Escape as Cancel).
#pragma once

#include <windows.h>

namespace fg {

// The answers a modal window ends with.
enum TModalResult : int { mrNone = 0, mrOK = IDOK, mrCancel = IDCANCEL };

class TModalLoop {
  public:
    // Shows window in front, disables owner (may be null) and runs messages until End is called,
    // the window is hidden or destroyed, or the program is asked to quit (the quit is passed on).
    // The window is hidden again when it returns. Escape and the window's close button reach the
    // window as WM_COMMAND IDCANCEL and WM_CLOSE; it decides what they mean.
    int Run(HWND window, HWND owner);
    // Ends the loop with result; the window is hidden by Run.
    void End(int result);
    bool Running() const { return running; }

  private:
    bool running = false;
    int result = mrNone;
};

// The modeless windows answer the dialog keys too (Tab between controls, Space and Enter on a
// button, Escape as IDCANCEL) while the program's main loop runs: the loop hands each key message
// to DialogKeysHandled first, which gives it to the program's own visible top-level window with
// controls that it is meant for.
bool DialogKeysHandled(MSG& msg);

// A window's WM_ACTIVATE for the dialog keys: on leaving, remembers the focused control; on
// coming back, gives it the focus again (or the first one, first).
void RestoreFocus(HWND window, WPARAM activateState, HWND& remembered, HWND first);

} // namespace fg
