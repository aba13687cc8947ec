// The Edit Gestures window's and its wizard's collaborators as start-up hands them over, and the
// ways into the window: the tray's entries, the instance command "EDIT_GESTURES" and the
// scratchpad's button.
#pragma once

#include "gestures/UnitFrmGestureWizard.h"
#include "gestures/UnitFrmGesturesEdit.h"

#include <functional>
#include <string>
#include <vector>

namespace fg {

class TFrmDummyInstance;
class TFrmMouseMonitor;
class TFrmScratchPad;

// The wizard is made just before the Edit Gestures window, which runs it. gestureListed asks
// that window (the wizard refuses a gesture it already lists); it runs only while the wizard is
// shown, so it may reach a window made after the wizard.
TGestureWizardParts GestureWizardParts(TFrmMouseMonitor& monitor,
                                       std::function<bool(const std::wstring& h)> gestureListed);

struct TEditGesturesRoad {
    IGestureWizard& wizard;
    TFrmMouseMonitor& monitor;               // reads a saved file's disable flag again
    std::function<void()> showConfiguration; // on the page it showed last
    std::function<void()> showDebug;         // the debug log window, in front
    std::function<void()> endProgram;        // ends the message loop
    TMainThreadCall mainThread;              // where the file scan hands its lists over
    bool dataFolderWritable = true;          // false: start-up said nothing can be saved there
};

TGesturesEditParts GesturesEditParts(const TEditGesturesRoad& road);

// Hands the windows made before the Edit Gestures window their way into it. They are made first
// because the window's start needs nothing of them, and each opens it on the program the user
// works in.
void WireEditGestures(TFrmGesturesEdit& window, TFrmScratchPad& scratchpad,
                      const std::vector<TFrmDummyInstance*>& instances);

} // namespace fg
