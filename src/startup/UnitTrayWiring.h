// The tray's collaborators as start-up hands them over when it makes the tray: the mouse
// monitor's switch, the windows its clicks open, and the end of the program.
#pragma once

#include "ui/UnitFrmSysTrayMenu.h"

#include <functional>

namespace fg {

class TFrmMouseMonitor;

// What only the native start-up can give the tray.
struct TTrayActions {
    std::function<void()> showDebug; // shows the debug log window and brings it to the front
    std::function<void()> showConfiguration; // on the page it showed last
    std::function<void()> exitProgram;       // saves the gesture file shown and ends the loop
    std::function<void()> showEditGestures;  // the Edit Gestures window as it was left
    std::function<void()> showAbout;         // the About window, in front
};

// The tray's parts: the monitor, made before the tray, is switched directly.
TSysTrayParts SysTrayParts(TFrmMouseMonitor& monitor, const TTrayActions& actions);

} // namespace fg
