#include "startup/UnitGestureRoad.h"

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
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
    dispatcher.monitor = &road.monitor;
    dispatcher.watch = &road.watch;
    // Until the configuration window exists, its pages are only asked for.
    dispatcher.showConfigPage = [](int page) {
        AppendLog(L"Configuration window not available yet: page " + std::to_wstring(page));
    };

    road.monitor.CheckParts();
    road.gestures.CheckParts();
}

void ApplyStartupSettings(const TGestureRoad& road) {
    TFrmMouseMonitor& m = road.monitor;
    m.prHelpPause(800);
    m.prEnableHelpPause(true);
    m.prEnableDiagonals(SettingsFlag(L"cbEnableDiagonals", false));
    m.prMouseCordingToogle(true);
    road.gestures.prExecutePause(100);
    road.gestures.prEnableSuggestions(SettingsFlag(L"cbEnabledSuggestions", true));
    road.gestures.prEnabledAutoCorrection(SettingsFlag(L"cbEnableCorrections", false));
    road.scratchpad.prFadeTime(800);
    m.prEnableDrawing(SettingsFlag(L"rbFullscreen", true));
    road.scratchpad.prEnable(SettingsFlag(L"rbScratchpad", false));
}

} // namespace fg
