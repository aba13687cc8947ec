// The scratchpad as the dispatcher sees it: while a binding runs, the pad hands the foreground
// to the program the user works in and may be hidden for the moment.
#pragma once

#include "platform/Types.h"

namespace fg {

class IDrawingPad {
  public:
    virtual ~IDrawingPad() = default;
    // The first window below the program's own; with NoFocus false it also gets the foreground.
    virtual HWindow RemoveSelfFromFocus(bool NoFocus) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool on) = 0;
};

} // namespace fg
