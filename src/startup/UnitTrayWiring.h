// The tray's collaborators as start-up hands them over: the mouse monitor's switch, the windows
// its clicks open, and the end of the program. The wiring is checked before the program runs.
#pragma once

#include <functional>

namespace fg {

class TFrmMouseMonitor;
class TfrmSysTrayMenu;

// What only the native start-up can give the tray.
struct TTrayActions {
    std::function<void()> showDebug; // shows the debug log window and brings it to the front
    std::function<void()> showConfiguration; // on the page it showed last
    std::function<void()> exitProgram;       // saves the gesture file shown and ends the loop
    std::function<void()> showEditGestures;  // the Edit Gestures window as it was left
    std::function<void()> showAbout;         // the About window, in front
};

// Fills every part of the tray, then checks it: raises TUserError naming what is missing.
void WireSysTray(TfrmSysTrayMenu& tray, TFrmMouseMonitor& monitor, const TTrayActions& actions);

} // namespace fg
