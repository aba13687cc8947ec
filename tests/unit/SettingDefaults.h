// The settings file's defaults handed to parts a test makes by itself, through start-up's own
// wiring of their setters: the parts hold no defaults of their own.
#pragma once

#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmHotKey.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Platform.h"
#include "startup/UnitSettingsWiring.h"
#include "ui/UnitSettings.h"

namespace fg::test {

inline void UseDefaultSettings(TFrmMouseMonitor& monitor) {
    TSettingsConsumers c;
    AddMonitorConsumers(c, monitor);
    HandOverDefaults(c);
}

// The analysis alone: its settings through start-up's own slots, as in the program.
inline TMovementSettings DefaultMovementSettings() {
    TMovementSettings s;
    TSettingsConsumers c;
    AddMovementConsumers(c, s);
    HandOverDefaults(c);
    return s;
}

// One sample as the mouse monitor feeds it: with the monitor nearest to it on the installed
// desktop.
inline TMouseDirection Sample(TfrmMouseMovements& mm, TPoint p, bool down) {
    return down ? mm.ReportMousePoint(p, true, MonitorGeometryAt(*Os().desktop, p))
                : mm.ReportMousePoint(p, false);
}

inline void UseDefaultSettings(TFrmScratchPad& pad) {
    TSettingsConsumers c;
    AddScratchpadConsumers(c, pad);
    HandOverDefaults(c);
}

inline void UseDefaultSettings(TFrmGestures& gestures, TActionRunner& runner) {
    TSettingsConsumers c;
    AddDispatcherConsumers(c, gestures, runner);
    HandOverDefaults(c);
}

} // namespace fg::test
