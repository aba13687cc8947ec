// The hidden window through which a scan's thread hands its
// lists to the main thread.
#pragma once

#include "gestures/UnitGatherINIData.h"
#include "platform/win32/Window.h"

namespace fg {

// A message-only window of the thread that creates it (the main thread). Its caller sends it a
// message, so the callable runs on that thread, under the top-level error handler, while the
// calling thread waits.
class TMainThreadWindow : public TWin32Window {
  public:
    TMainThreadWindow();
    // The hand-over for TGesturesEditParts::mainThread. Once the window is gone it runs nothing.
    TMainThreadCall Caller() const;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace fg
