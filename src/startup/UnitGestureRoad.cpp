#include "startup/UnitGestureRoad.h"

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmScratchpad.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Platform.h"

namespace fg {

namespace {

bool SettingsFlag(const wchar_t* key, bool byDefault) {
    const std::wstring text =
        Os().files->ProfileRead(GetDataPath() + L"defaults.ini", L"init", key, L"");
    return text.empty() ? byDefault : ProfileFlag(text);
}

} // namespace

void WireGestureRoad(const TGestureRoad& road) {
    TMouseMonitorParts& monitor = road.monitor.Parts();
    monitor.gestures = &road.gestures;
    monitor.ratTrap = &road.ratTrap;
    monitor.watch = &road.watch;
    monitor.movements = &road.movements;
    monitor.scratchpad = &road.scratchpad;
    monitor.target = &road.target;

    TGesturesParts& dispatcher = road.gestures.Parts();
    dispatcher.scratchpad = &road.scratchpad;
    dispatcher.sender = &road.sender;
    dispatcher.target = &road.target;

    road.monitor.CheckParts();
    road.gestures.CheckParts();
}

void ApplyStartupSettings(const TGestureRoad& road) {
    TFrmMouseMonitor& m = road.monitor;
    m.prHelpPause(800);
    m.prEnableHelpPause(true);
    m.prEnableDiagonals(false);
    m.prMouseCordingToogle(true);
    road.gestures.prExecutePause(100);
    road.scratchpad.prFadeTime(800);
    m.prEnableDrawing(SettingsFlag(L"rbFullscreen", true));
    road.scratchpad.prEnable(SettingsFlag(L"rbScratchpad", false));
}

} // namespace fg
