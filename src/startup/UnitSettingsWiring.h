// Where the settings go: start-up fills the configuration window's consumer slots with the parts of
// the gesture road.
#pragma once

#include "startup/UnitGestureRoad.h"
#include "ui/UnitSettings.h"

namespace fg {

class TActionRunner;
class TFrmConfig;
struct TMovementSettings;

// The slots of each consumer, filled with its setters.
void AddMovementConsumers(TSettingsConsumers& c, TMovementSettings& settings);
void AddMonitorConsumers(TSettingsConsumers& c, TFrmMouseMonitor& monitor);
void AddScratchpadConsumers(TSettingsConsumers& c, TFrmScratchPad& scratchpad);
void AddDispatcherConsumers(TSettingsConsumers& c, TFrmGestures& gestures, TActionRunner& runner);

// Fills every slot from the road and checks the slots: raises TUserError naming any left empty.
// Reads nothing yet (the window's FormCreate does).
void WireSettings(const TGestureRoad& road, TFrmConfig& config);

} // namespace fg
