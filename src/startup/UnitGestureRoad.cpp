#include "startup/UnitGestureRoad.h"

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Errors.h"

namespace fg {

void WireGestureRoad(const TGestureRoad& road) {
    TMouseMonitorParts& monitor = road.monitor.Parts();
    monitor.gestures = &road.gestures;
    monitor.ratTrap = &road.ratTrap;
    monitor.watch = &road.watch;
    monitor.scratchpad = &road.scratchpad;
    monitor.target = &road.target;
    monitor.gate = &road.gate;
    // The gate leaves alone the right button of a program in "noright.ini" or with its gestures
    // off; asked when the program in front changes, never by the hook.
    road.gate.Parts().leaveAlone = [&gestures = road.gestures,
                                    noRight = road.noRightClick](HWindow foreground) {
        return noRight(GetWindowEXEName(foreground)) || gestures.ProgramIsDisabled();
    };

    TGesturesParts& dispatcher = road.gestures.Parts();
    dispatcher.runner = &road.runner;
    dispatcher.monitor = &road.monitor;
    // The pop-ups' "Configure" and the scratchpad's "?" open the configuration window's pages.
    dispatcher.showConfigPage = road.showConfigPage;
    road.scratchpad.ShowConfigPage = road.showConfigPage;

    road.monitor.CheckParts();
    road.gestures.CheckParts();
    if (!road.noRightClick)
        throw TUserError(L"The right-button gate has no list of the programs to leave alone");
    road.gate.CheckParts();
}

} // namespace fg
