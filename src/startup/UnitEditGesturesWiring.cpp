#include "startup/UnitEditGesturesWiring.h"

#include "app/UnitFrmInstance.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestureWizard.h"
#include "gestures/UnitFrmGesturesEdit.h"

namespace fg {

void WireEditGestures(const TEditGesturesRoad& road) {
    TFrmGesturesEdit& window = road.window;
    TGesturesEditParts& parts = window.Parts();
    parts.wizard = &road.wizard;
    // The wizard refuses a gesture the window already lists.
    road.wizard.Parts().diagonalsEnabled = road.diagonalsEnabled;
    road.wizard.Parts().gestureListed = [&window](const std::wstring& h) {
        return window.ListsGesture(h);
    };
    parts.showConfiguration = road.showConfiguration;
    parts.showDebug = road.showDebug;
    parts.endProgram = road.endProgram;
    parts.dataFolderWritable = road.dataFolderWritable;
    parts.fileSaved = [&monitor = road.monitor] { monitor.DisableFlagsChanged(); };
    // Both open it on the program the user works in.
    road.scratchpad.ShowEditGestures = [&window] { window.ShowWithCurrentForegroundProgram(); };
    for (TFrmDummyInstance* instance : road.instances)
        if (instance)
            instance->showEditGestures = [&window] {
                return window.ShowWithCurrentForegroundProgram();
            };
    window.CheckParts();
    road.wizard.CheckParts();
}

} // namespace fg
