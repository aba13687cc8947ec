#include "startup/UnitTrayWiring.h"

#include "capture/UnitFrmMouseMonitor.h"

namespace fg {

TSysTrayParts SysTrayParts(TFrmMouseMonitor& monitor, const TTrayActions& actions) {
    return {.setMonitorEnabled = [&monitor](bool enabled) { monitor.SetMonitorEnabled(enabled); },
            .openConfiguration = actions.showConfiguration,
            .openEditGestures = actions.showEditGestures,
            .openAbout = actions.showAbout,
            .showDebug = actions.showDebug,
            .exitProgram = actions.exitProgram};
}

} // namespace fg
