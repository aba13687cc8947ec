#include "app/UnitFocusManager.h"

#include "app/UnitMisc.h"
#include "app/UnitThreadAttach.h"
#include "platform/Platform.h"

namespace fg {

bool TFocusManager::ForceForeground(HWindow h) {
    IDesktop& desktop = *Os().desktop;
    // One question: when nobody has the foreground (a menu just closed) the attachment goes to
    // the desktop window anyway, and asking again would only wait 80 ms for nothing.
    HWindow f = desktop.ForegroundWindow();
    if (f == h) return true;
    if (f == 0) f = desktop.DesktopWindow();
    {
        TThreadAttach attach(f);
        if (desktop.IsMinimized(h)) desktop.Restore(h);
        desktop.BringToTop(h);
        desktop.SetForeground(h);
    }
    if (GetForegroundHandle() == h) return true;

    // Second try with the foreground lock switched off for the moment of the switch.
    const std::uint32_t timeout = desktop.ForegroundLockTimeout();
    desktop.SetForegroundLockTimeout(0);
    desktop.BringToTop(h);
    desktop.SetForeground(h);
    desktop.SetForegroundLockTimeout(timeout);
    return GetForegroundHandle() == h;
}

} // namespace fg
