#include "startup/UnitSettingsWiring.h"

#include "actions/UnitActionRunner.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/HandlesLog.h"
#include "ui/UnitFrmConfig.h"

namespace fg {

void AddMovementConsumers(TSettingsConsumers& c, TMovementSettings& s) {
    // The settings file keeps it; nothing reads it.
    c.prTimethreshold = [](int) {};
    c.prXThreshold = [&s](int v) { s.xThreshold = v; };
    c.prYThreshold = [&s](int v) { s.yThreshold = v; };
    c.prDirectionThreshold = [&s](int v) { s.directionThreshold = v; };
    c.prDeltaBias = [&s](float v) { s.deltaBias = v; };
    c.prDirectionBias = [&s](float v) { s.directionBias = v; };
    c.prXPixelThreshold = [&s](int v) { s.XPixelThreshold = v; };
    c.prYPixelThreshold = [&s](int v) { s.YPixelThreshold = v; };
    c.prEnableDiagonals = [&s](bool v) { s.EnableDiagonals = v; };
    c.prPreciseCorners = [&s](bool v) { s.PreciseCorners = v; };
}

void AddMonitorConsumers(TSettingsConsumers& c, TFrmMouseMonitor& m) {
    AddMovementConsumers(c, m.MovementSettings());
    c.prHelpPause = [&m](int v) { m.prHelpPause(v); };
    c.prEnableHelpPause = [&m](bool v) { m.prEnableHelpPause(v); };
    c.prEnableDiagonals = [&m](bool v) { m.prEnableDiagonals(v); };
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
    TMovementSettings& movement = road.monitor.MovementSettings();
    c.prXPixelThreshold = [&gate, &movement](int v) {
        movement.XPixelThreshold = v;
        gate.SetStartBox(v, movement.YPixelThreshold);
    };
    c.prYPixelThreshold = [&gate, &movement](int v) {
        movement.YPixelThreshold = v;
        gate.SetStartBox(movement.XPixelThreshold, v);
    };
    c.prHoldBackRightButton = [&gate](bool v) { gate.SetOn(v); };
    c.prRightButtonHoldTime = [&gate](int v) { gate.SetHoldTime(v); };
    c.prRightButtonBypassKey = [&gate](int v) { gate.SetBypassKey(v); };
    config.CheckConsumers();
}

} // namespace fg
