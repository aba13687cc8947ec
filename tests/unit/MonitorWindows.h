// A mouse monitor with the windows it is made with, on the fake platform, for tests that need a
// monitor but none of its neighbours' doings.
#pragma once

#include "actions/UnitTargetFocus.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "vocabulary/IGestureReceiver.h"

namespace fg::test {

// A dispatcher that has every program enabled and takes every gesture without a binding.
class NoBindings : public IGestureReceiver {
  public:
    bool ProgramIsDisabled() override { return false; }
    bool ReportGestures(const std::wstring&, bool) override { return false; }
    bool ReportGesturesDiagonal(const std::wstring&) override { return false; }
    void ReportDisableGestures() override {}
    void ReportEnableGestures() override {}
    void ReportFirstDirection(TMouseDirection) override {}
};

struct MonitorWindows {
    explicit MonitorWindows(fake::FakePlatform& os)
        : gate(TRightButtonGate::OnPlatform(os.desktop, os.input, {}, {}, {})),
          ratTrap(os.desktop, os.input), scratchpad(os.desktop, os.input),
          monitor(os.input, os.desktop, os.clock,
                  {.target = target,
                   .gestures = gestures,
                   .gate = gate,
                   .ratTrap = ratTrap,
                   .scratchpad = scratchpad}) {}

    TTargetFocus target;
    NoBindings gestures;
    TRightButtonGate gate;
    TFrmRatTrap ratTrap;
    TFrmScratchPad scratchpad;
    TFrmMouseMonitor monitor;
};

} // namespace fg::test
