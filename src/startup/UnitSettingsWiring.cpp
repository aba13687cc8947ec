#include "startup/UnitSettingsWiring.h"

#include "actions/UnitActionRunner.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/HandlesLog.h"
#include "ui/UnitFrmConfig.h"

namespace fg {

void AddMonitorConsumers(TSettingsConsumers& c, TFrmMouseMonitor& m) {
    c.prTimethreshold = [&m](int v) { m.prTimethreshold(v); };
    c.prXThreshold = [&m](int v) { m.prXThreshold(v); };
    c.prYThreshold = [&m](int v) { m.prYThreshold(v); };
    c.prDirectionThreshold = [&m](int v) { m.prDirectionThreshold(v); };
    c.prDeltaBias = [&m](float v) { m.prDeltaBias(v); };
    c.prDirectionBias = [&m](float v) { m.prDirectionBias(v); };
    c.prXPixelThreshold = [&m](int v) { m.prXPixelThreshold(v); };
    c.prYPixelThreshold = [&m](int v) { m.prYPixelThreshold(v); };
    c.prHelpPause = [&m](int v) { m.prHelpPause(v); };
    c.prEnableHelpPause = [&m](bool v) { m.prEnableHelpPause(v); };
    c.prEnableDiagonals = [&m](bool v) { m.prEnableDiagonals(v); };
    c.prPreciseCorners = [&m](bool v) { m.prPreciseCorners(v); };
    c.prEnableDrawing = [&m](bool v) { m.prEnableDrawing(v); };
    c.prMouseCordingToogle = [&m](bool v) { m.prMouseCordingToogle(v); };
}

void AddScratchpadConsumers(TSettingsConsumers& c, TFrmScratchPad& pad) {
    c.prScratchpadEnable = [&pad](bool v) { pad.prEnable(v); };
    c.prFadeTime = [&pad](int v) { pad.prFadeTime(v); };
}

void AddDispatcherConsumers(TSettingsConsumers& c, TFrmGestures& g, TActionRunner& runner) {
    c.prEnableSuggestions = [&g](bool v) { g.prEnableSuggestions(v); };
    c.prEnabledAutoCorrection = [&g](bool v) { g.prEnabledAutoCorrection(v); };
    c.prExecutePause = [&runner](int v) { runner.ExecutePause = v; };
}

void WireSettings(const TGestureRoad& road, TFrmConfig& config) {
    TSettingsConsumers& c = config.Consumers();
    AddMonitorConsumers(c, road.monitor);
    AddScratchpadConsumers(c, road.scratchpad);
    AddDispatcherConsumers(c, road.gestures, road.runner);
    c.prLogHandles = [](bool v) { EnableHandlesLog(v); };
    TRightButtonGate& gate = road.gate;
    // The gate's start box is the analysis's.
    TfrmMouseMovements& movements = road.movements;
    c.prXPixelThreshold = [&m = road.monitor, &gate, &movements](int v) {
        m.prXPixelThreshold(v);
        gate.SetStartBox(v, movements.YPixelThreshold);
    };
    c.prYPixelThreshold = [&m = road.monitor, &gate, &movements](int v) {
        m.prYPixelThreshold(v);
        gate.SetStartBox(movements.XPixelThreshold, v);
    };
    c.prHoldBackRightButton = [&gate](bool v) { gate.SetOn(v); };
    c.prRightButtonHoldTime = [&gate](int v) { gate.SetHoldTime(v); };
    c.prRightButtonBypassKey = [&gate](int v) { gate.SetBypassKey(v); };
    config.CheckConsumers();
}

} // namespace fg
