#include "startup/UnitTrayWiring.h"

#include "app/UnitFrmDebug.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "ui/UnitFrmSysTrayMenu.h"

#include <string>

namespace fg {

namespace {

// A window that is not built yet: its entry says what it would open.
std::function<void()> NotYet(const wchar_t* window) {
    return [window] { AppendLog(std::wstring(L"Tray: would open the ") + window); };
}

} // namespace

void WireSysTray(TfrmSysTrayMenu& tray, TFrmMouseMonitor& monitor, const TTrayActions& actions) {
    TSysTrayParts& parts = tray.Parts();
    parts.setMonitorEnabled = [&monitor](bool enabled) { monitor.SetMonitorEnabled(enabled); };
    parts.openConfiguration = actions.showConfiguration;
    parts.openEditGestures = actions.showEditGestures;
    parts.openAbout = actions.showAbout;
    parts.showDebug = actions.showDebug;
    parts.exitProgram = actions.exitProgram;
    tray.CheckParts();
}

} // namespace fg
