// A borderless window that is created hidden at start-up and never shown.
#pragma once

#include "platform/win32/Window.h"

namespace fg {

class TFrmLinesWindow : public TWin32Window {
  public:
    TFrmLinesWindow();
};

} // namespace fg
