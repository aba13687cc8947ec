// The settings file's defaults handed to parts a test makes by itself, through start-up's own
// wiring of their setters: the parts hold no defaults of their own.
#pragma once

#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmHotKey.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestures.h"
#include "startup/UnitSettingsWiring.h"
#include "ui/UnitSettings.h"

namespace fg::test {

inline void UseDefaultSettings(TFrmMouseMonitor& monitor) {
    TSettingsConsumers c;
    AddMonitorConsumers(c, monitor);
    HandOverDefaults(c);
}

// The analysis alone: its settings come through a monitor, as in the program.
inline void UseDefaultSettings(TfrmMouseMovements& movements) {
    TMouseMonitorParts parts;
    parts.movements = &movements;
    TFrmMouseMonitor monitor(parts);
    UseDefaultSettings(monitor);
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
