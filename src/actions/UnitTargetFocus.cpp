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

void TTargetFocus::Remember(HWindow foreground) {
    timReleaseMenu.SetEnabled(false);
    window = foreground;
    control = window != 0 ? Os().desktop->FocusedControl(window) : 0;
}

bool TTargetFocus::RestoreTarget() {
    IDesktop& desktop = *Os().desktop;
    const HWindow menu = desktop.FindPopupMenu();
    if (menu != 0 && AsciiLower(GetWindowEXEName(menu)) != kOwnExeLower) {
        AppendLog(L"[FGest] Closing the context menu of the target program");
        // The foreground is nobody's while a menu is open; the program's own window lies below.
        const std::uint32_t process = desktop.WindowProcessId(menu);
        HWindow owner = GetNextVisibleWindow(menu);
        while (owner != 0 && desktop.WindowProcessId(owner) != process)
            owner = GetNextVisibleWindow(owner);
        desktop.SendClose(menu);
        if (owner != 0) TFocusManager::ForceForeground(owner);
        GiveBackKeyboard();
        return true;
    }
    // A press on a title bar leaves the foreground with nobody once its release is handled
    // (under Wine): keystrokes would reach no program at all.
    if (desktop.ForegroundWindow() == 0 && window != 0 && desktop.IsVisible(window)) {
        AppendLog(L"[FGest] Giving the foreground back to the target program");
        TFocusManager::ForceForeground(window);
        GiveBackKeyboard();
    }
    return false;
}

void TTargetFocus::GiveBackKeyboard() {
    IDesktop& desktop = *Os().desktop;
    // Only when it moved: joining and leaving the program's input for nothing makes Wine drop the
    // keystrokes that follow.
    if (control == 0 || desktop.FocusedControl(control) == control) return;
    if (desktop.WindowProcessId(control) != desktop.WindowProcessId(window)) return;
    TThreadAttach attach(control);
    if (attach.IsAttached()) desktop.SetFocus(control);
}

void TTargetFocus::CloseReleaseMenuSoon() {
    if (RestoreTarget()) return;
    waited = 0;
    timReleaseMenu.SetEnabled(true);
}

bool TTargetFocus::CloseReleaseMenuWithin(std::uint32_t ms) {
    const std::uint32_t start = Os().clock->TickCount();
    for (;;) {
        if (RestoreTarget()) {
            AppendLog(L"[FGest] Release menu closed after " +
                      std::to_wstring(Os().clock->TickCount() - start) + L" ms");
            return true;
        }
        if (Os().clock->TickCount() - start >= ms) return false;
        Os().desktop->ProcessMessages();
        Os().clock->Sleep(kReleaseMenuPollMs);
    }
}

void TTargetFocus::timReleaseMenuTimer() {
    waited += timReleaseMenu.Interval();
    if (RestoreTarget() || waited >= kReleaseMenuBudgetMs) timReleaseMenu.SetEnabled(false);
}

} // namespace fg
