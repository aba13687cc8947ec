// The windows a gesture passes through, from the press to the keystrokes, as start-up makes
// them. Each capture window is handed the ones it works with as it is made; what is left is the
// dispatcher's side of the one pair that needs each other (the dispatcher and the monitor), and
// the configuration window, made after them all. The wiring is checked before the program runs.
#pragma once

#include "platform/Types.h"

#include <functional>
#include <string>

namespace fg {

class TActionRunner;
class TFrmGestures;
class TFrmMouseMonitor;
class TFrmScratchPad;
class TPaste;
class TRightButtonGate;

struct TGestureRoad {
    TFrmGestures& gestures;
    TActionRunner& runner;
    TFrmMouseMonitor& monitor;
    TFrmScratchPad& scratchpad;
    TPaste& sender;
    TRightButtonGate& gate;
    // Opens the configuration window on a page (-1: the page it showed last): the pop-ups' and
    // the scratchpad's way there.
    std::function<void(int page)> showConfigPage;
};

// The gate's rule for the right button of the program in front: left alone when the program is
// listed in "noright.ini" (noRightClick: the tray keeps the list) or has its gestures off. Raises
// TUserError when there is no list.
std::function<bool(HWindow foreground)>
GateLeavesAlone(TFrmGestures& gestures,
                std::function<bool(const std::wstring& exeName)> noRightClick);

// Hands the windows that could not have them at creation their neighbours, then checks that none
// is missing: raises TUserError naming what is, so a slip in the wiring stops the start instead
// of hiding a feature.
void WireGestureRoad(const TGestureRoad& road);

} // namespace fg
