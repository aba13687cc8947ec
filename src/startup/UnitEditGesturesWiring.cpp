#include "startup/UnitEditGesturesWiring.h"

#include "app/UnitFrmInstance.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"

#include <utility>

namespace fg {

TGestureWizardParts GestureWizardParts(TFrmMouseMonitor& monitor,
                                       std::function<bool(const std::wstring& h)> gestureListed) {
    return {.diagonalsEnabled = [&monitor] { return monitor.EnableDiagonals; },
            .gestureListed = std::move(gestureListed)};
}

TGesturesEditParts GesturesEditParts(const TEditGesturesRoad& road) {
    return {.wizard = &road.wizard,
            .showConfiguration = road.showConfiguration,
            .showDebug = road.showDebug,
            .endProgram = road.endProgram,
            .fileSaved = [&monitor = road.monitor] { monitor.DisableFlagsChanged(); },
            .mainThread = road.mainThread,
            .dataFolderWritable = road.dataFolderWritable};
}

void WireEditGestures(TFrmGesturesEdit& window, TFrmScratchPad& scratchpad,
                      const std::vector<TFrmDummyInstance*>& instances) {
    scratchpad.ShowEditGestures = [&window] { window.ShowWithCurrentForegroundProgram(); };
    for (TFrmDummyInstance* instance : instances)
        if (instance)
            instance->showEditGestures = [&window] {
                return window.ShowWithCurrentForegroundProgram();
            };
}

} // namespace fg
