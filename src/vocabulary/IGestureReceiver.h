// The far end of a gesture as the mouse monitor sees it: the few calls it makes into the
// dispatcher. Capture and dispatch meet only here, so neither includes the other.
#pragma once

#include "vocabulary/UnitMouseMovement.h"

#include <string>

namespace fg {

class IGestureReceiver {
  public:
    virtual ~IGestureReceiver() = default;
    // Whether gestures are switched off for the foreground program.
    virtual bool ProgramIsDisabled() = 0;
    // A finished gesture (diagonals off); true when a binding was found and run. With NoTooltip
    // (a menu entry) no confirmation is shown and the program's disable flag does not count.
    virtual bool ReportGestures(const std::wstring& gesture, bool NoTooltip) = 0;
    // The same with diagonals on; true when a binding ran or suggestions were offered.
    virtual bool ReportGesturesDiagonal(const std::wstring& gesture) = 0;
    // The mouse chords: set or clear the foreground program's disable flag.
    virtual void ReportDisableGestures() = 0;
    virtual void ReportEnableGestures() = 0;
    // The help pop-up after a pause with the first stroke held.
    virtual void ReportFirstDirection(TMouseDirection md) = 0;
};

} // namespace fg
