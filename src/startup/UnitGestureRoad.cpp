#include "startup/UnitGestureRoad.h"

#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Errors.h"

#include <utility>

namespace fg {

std::function<bool(HWindow)>
GateLeavesAlone(TFrmGestures& gestures, std::function<bool(const std::wstring&)> noRightClick) {
    if (!noRightClick)
        throw TUserError(L"The right-button gate has no list of the programs to leave alone");
    // Asked when the program in front changes, never by the hook.
    return [&gestures, noRight = std::move(noRightClick)](HWindow foreground) {
        return noRight(GetWindowEXEName(foreground)) || gestures.ProgramIsDisabled();
    };
}

void WireGestureRoad(const TGestureRoad& road) {
    TGesturesParts& dispatcher = road.gestures.Parts();
    dispatcher.monitor = &road.monitor;
    // The pop-ups' "Configure" and the scratchpad's "?" open the configuration window's pages.
    dispatcher.showConfigPage = road.showConfigPage;
    road.scratchpad.ShowConfigPage = road.showConfigPage;

    road.gestures.CheckParts();
    road.gate.CheckParts();
}

} // namespace fg
