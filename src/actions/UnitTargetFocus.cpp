#include "actions/UnitTargetFocus.h"

#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitThreadAttach.h"
#include "platform/Platform.h"

namespace fg {

namespace {
constexpr std::uint32_t kReleaseMenuPollMs = 20;
} // namespace

TTargetFocus::TTargetFocus()
    : timReleaseMenu(kReleaseMenuPollMs, false, [this] { timReleaseMenuTimer(); }) {}

void TTargetFocus::Remember() {
    timReleaseMenu.SetEnabled(false);
    window = GetForegroundHandle();
    control = window != 0 ? Os().desktop->FocusedControl(window) : 0;
}

bool TTargetFocus::CloseForeignMenu() {
    IDesktop& desktop = *Os().desktop;
    const HWindow menu = desktop.FindPopupMenu();
    if (menu == 0 || AsciiLower(GetWindowEXEName(menu)) == kOwnExeLower) return false;
    AppendLog(L"[FGest] Closing the context menu of the target program");
    // The foreground is nobody's while a menu is open; the program's own window lies below it.
    const std::uint32_t process = desktop.WindowProcessId(menu);
    HWindow owner = GetNextVisibleWindow(menu);
    while (owner != 0 && desktop.WindowProcessId(owner) != process)
        owner = GetNextVisibleWindow(owner);
    desktop.SendClose(menu);
    if (owner != 0) TFocusManager::ForceForeground(owner);
    // Closing a window menu leaves the keyboard with the frame, not with the text it came from.
    if (control != 0 && desktop.WindowProcessId(control) == process) {
        TThreadAttach attach(control);
        if (attach.IsAttached()) desktop.SetFocus(control);
    }
    return true;
}

void TTargetFocus::CloseReleaseMenuSoon() {
    if (CloseForeignMenu()) return;
    waited = 0;
    timReleaseMenu.SetEnabled(true);
}

void TTargetFocus::timReleaseMenuTimer() {
    waited += timReleaseMenu.Interval();
    if (CloseForeignMenu() || waited >= kReleaseMenuBudgetMs) timReleaseMenu.SetEnabled(false);
}

} // namespace fg
