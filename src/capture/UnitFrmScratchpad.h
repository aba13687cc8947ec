// The scratchpad: a strip at the right edge of the primary monitor that widens into a small pad
// to draw gestures in, when that drawing method is chosen.
#pragma once

#include "platform/Types.h"

namespace fg {

class TFrmScratchPad {
  public:
    TFrmScratchPad();
    virtual ~TFrmScratchPad();

    virtual void ReportMouseButton(bool down);
    virtual void ReportPoint(TPoint p);
    // Finds the window the user works in, skipping the program's own; gives it the foreground
    // unless NoFocus.
    virtual HWindow RemoveSelfFromFocus(bool NoFocus);
    // Whether the pad takes input (the monitor turns it off while a gesture drawn in it runs).
    virtual bool Enabled() const { return enabled; }
    virtual void SetEnabled(bool on) { enabled = on; }
    // Whether a screen point lies in the pad's client area (only while it is shown).
    virtual bool ContainsClientPoint(TPoint screen) const;

  protected:
    bool enabled = true;
};

} // namespace fg
