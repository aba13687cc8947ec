#include "startup/UnitEditGesturesWiring.h"

#include "app/UnitFrmInstance.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGesturesEdit.h"

namespace fg {

void WireEditGestures(const TEditGesturesRoad& road) {
    TFrmGesturesEdit& window = road.window;
    TGesturesEditParts& parts = window.Parts();
    parts.wizard = road.wizard;
    parts.showConfiguration = road.showConfiguration;
    parts.showDebug = road.showDebug;
    parts.endProgram = road.endProgram;
    // Both open it on the program the user works in.
    road.scratchpad.ShowEditGestures = [&window] { window.ShowWithCurrentForegroundProgram(); };
    for (TFrmDummyInstance* instance : road.instances)
        if (instance)
            instance->showEditGestures = [&window] {
                return window.ShowWithCurrentForegroundProgram();
            };
    window.CheckParts();
}

} // namespace fg
