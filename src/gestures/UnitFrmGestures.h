// The gesture store and dispatcher: what the mouse monitor hands each finished gesture to.
#pragma once

#include "capture/UnitMouseMovement.h"

#include <string>

namespace fg {

class TFrmGestures {
  public:
    virtual ~TFrmGestures() = default;
    // Whether gestures are switched off for the foreground program.
    virtual bool ProgramIsDisabled() { return false; }
    virtual bool ReportGestures(const std::wstring& gesture, bool quiet);
    virtual bool ReportGesturesDiagonal(const std::wstring& gesture);
    virtual void ReportDisableGestures() {}
    virtual void ReportEnableGestures() {}
    // The help pop-up after a pause with the first stroke held.
    virtual void ReportFirstDirection(TMouseDirection md) { (void)md; }
};

// The one dispatcher; null before start-up creates it.
extern TFrmGestures* FrmGestures;

} // namespace fg
