#include "startup/UnitGestureRoad.h"

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitTargetFocus.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestures.h"

namespace fg {

void WireGestureRoad(const TGestureRoad& road) {
    TMouseMonitorParts& monitor = road.monitor.Parts();
    monitor.gestures = &road.gestures;
    monitor.ratTrap = &road.ratTrap;
    monitor.watch = &road.watch;
    monitor.movements = &road.movements;
    monitor.scratchpad = &road.scratchpad;
    monitor.target = &road.target;

    TGesturesParts& dispatcher = road.gestures.Parts();
    dispatcher.scratchpad = &road.scratchpad;
    dispatcher.sender = &road.sender;
    dispatcher.target = &road.target;
    dispatcher.monitor = &road.monitor;
    dispatcher.watch = &road.watch;
    // The pop-ups' "Configure" and the scratchpad's "?" open the configuration window's pages.
    dispatcher.showConfigPage = road.showConfigPage;
    road.scratchpad.ShowConfigPage = road.showConfigPage;

    road.monitor.CheckParts();
    road.gestures.CheckParts();
}

} // namespace fg
