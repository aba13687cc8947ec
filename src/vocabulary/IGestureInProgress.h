// The gesture being drawn, as the pop-ups see it: they drop it, stop polling while their menu is
// open, read the angle at which a stroke was drawn, and wait until the gesture button is let go.
// The mouse monitor is it; the dispatcher only knows this much of the monitor.
#pragma once

namespace fg {

class IGestureInProgress {
  public:
    virtual ~IGestureInProgress() = default;
    // The release of the gesture in progress reports nothing.
    virtual void AbortInterpret() = 0;
    // Polling on or off.
    virtual void SetMonitorEnabled(bool enable) = 0;
    // The angle (screen degrees) at which the stroke at this zero-based position of the gesture
    // string in progress was drawn; -1 for a monitor position or a position without a stroke.
    virtual int GetDirectionAngle(int index) const = 0;
    // Returns once the gesture button is up; window messages keep being handled meanwhile.
    virtual void WaitUntilButtonRelease() = 0;
};

} // namespace fg
