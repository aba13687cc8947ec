// A mouse monitor with the windows it is made with, on the fake platform, for tests that need a
// monitor but none of its neighbours' doings.
#pragma once

#include "actions/UnitTargetFocus.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "unit/NoBindings.h"

namespace fg::test {


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
