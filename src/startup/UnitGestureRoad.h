// The windows a gesture passes through, from the press to the keystrokes, as start-up makes
// them: each is handed the ones it works with, and the wiring is checked before the program runs.
#pragma once

#include <functional>
#include <string>

namespace fg {

class TActionRunner;
class TFrmGestures;
class TFrmMouseMonitor;
class TFrmRatTrap;
class TFrmScratchPad;
class TPaste;
class TRightButtonGate;
class TTargetFocus;
class TfrmDummyWatchForExplorerPopup;

struct TGestureRoad {
    TFrmGestures& gestures;
    TActionRunner& runner;
    TFrmMouseMonitor& monitor;
    TFrmRatTrap& ratTrap;
    TfrmDummyWatchForExplorerPopup& watch;
    TFrmScratchPad& scratchpad;
    TPaste& sender;
    TTargetFocus& target;
    TRightButtonGate& gate;
    // Whether a program is listed in "noright.ini" (the tray keeps the list).
    std::function<bool(const std::wstring& exeName)> noRightClick;
    // Opens the configuration window on a page (-1: the page it showed last): the pop-ups' and
    // the scratchpad's way there.
    std::function<void(int page)> showConfigPage;
};

// Hands every window its neighbours, then checks that none is missing: raises TUserError
// naming what is, so a slip in the wiring stops the start instead of hiding a feature.
void WireGestureRoad(const TGestureRoad& road);

} // namespace fg
