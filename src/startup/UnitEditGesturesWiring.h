// The Edit Gestures window's collaborators as start-up hands them over, and the ways into the
// window: the tray's entries, the instance command "EDIT_GESTURES" and the scratchpad's button.
// The wiring is checked before the program runs.
#pragma once

#include <functional>
#include <vector>

namespace fg {

class TFrmDummyInstance;
class TFrmGestureWizard;
class TFrmMouseMonitor;
class TFrmGesturesEdit;
class TFrmScratchPad;

struct TEditGesturesRoad {
    TFrmGesturesEdit& window;
    TFrmScratchPad& scratchpad;
    TFrmMouseMonitor& monitor;                 // reads a saved file's disable flag again
    std::vector<TFrmDummyInstance*> instances; // each instance window a later start may find
    TFrmGestureWizard& wizard;
    std::function<bool()> diagonalsEnabled;  // the mouse monitor's setting, for the wizard
    std::function<void()> showConfiguration; // on the page it showed last
    std::function<void()> showDebug;         // the debug log window, in front
    std::function<void()> endProgram;        // ends the message loop
    bool dataFolderWritable = true;          // false: start-up said nothing can be saved there
};

// Hands the window and its wizard their parts and the other windows their way into the window,
// then checks both: raises TUserError naming what is missing.
void WireEditGestures(const TEditGesturesRoad& road);

} // namespace fg
