// The hidden window that carries the gesture pictures' drawing; it has no controls and shows
// nothing.
#pragma once

#include "platform/win32/Window.h"
#include "ui/UnitDrawGesture.h"

namespace fg {

class TFrmDrawGestureWindow : public TWin32Window {
  public:
    TFrmDrawGestureWindow();
};

} // namespace fg
