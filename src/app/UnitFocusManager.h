// Takes the foreground for a window against the system's foreground lock.
#pragma once

#include "platform/Types.h"

namespace fg {

class TFocusManager {
  public:
    // True when h is the foreground window afterwards.
    static bool ForceForeground(HWindow h);
};

} // namespace fg
