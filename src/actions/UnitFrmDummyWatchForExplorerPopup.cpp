#include "actions/UnitFrmDummyWatchForExplorerPopup.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Platform.h"

namespace fg {

namespace {

constexpr const wchar_t* kShellLower = L"explorer.exe";
constexpr std::uint32_t kBudgetMs = 500;

} // namespace

TfrmDummyWatchForExplorerPopup::TfrmDummyWatchForExplorerPopup()
    : timInterval(20, false, [this] { timIntervalTimer(); }) {}

void TfrmDummyWatchForExplorerPopup::StartWatch() {
    lastHandle = GetForegroundHandle();
    lastEXEName = GetWindowEXEName(lastHandle);
    debug = Os().system->DebuggerPresent();
    if (AsciiLower(lastEXEName) != kShellLower) {
        timInterval.SetEnabled(false);
        return;
    }
    AppendLog(std::wstring(32, L'-'));
    AppendLog(L"Foreground: " + lastEXEName);
    timeElapsed = 0;
    startTime = Os().clock->TickCount();
    timInterval.SetEnabled(true);
    // The first look happens at once, still against the rectangle of the previous watch.
    timIntervalTimer();
    TRect r;
    if (Os().desktop->WindowRect(lastHandle, r)) {
        lastClientRect = r;
        AppendLog(L"Starting WindowRect");
        LogRect(lastClientRect);
    } else {
        AppendLog(L"GetWindowRect failed");
    }
}

void TfrmDummyWatchForExplorerPopup::timIntervalTimer() {
    timeElapsed += timInterval.Interval();
    if (timeElapsed > kBudgetMs) {
        timInterval.SetEnabled(false);
        AppendLog(L"Timer expired: " + std::to_wstring(kBudgetMs));
        timeElapsed = 0;
        return;
    }
    HWindow w = GetForegroundHandle();
    if (w != lastHandle) {
        const std::wstring name = GetWindowEXEName(w);
        if (AsciiLower(name) != kOwnExeLower) {
            timInterval.SetEnabled(false);
            AppendLog(L"Explorer no longer foreground: " + name);
            return;
        }
        // The trail or a pop-up of our own took the foreground: the shell's menu may be open.
        AppendLog(L"Ignoring Farrowglimmer.exe foreground");
        if (FindExplorerMenu(w)) {
            CloseMenu(w);
            return;
        }
    }
    TRect r;
    if (w == 0 || !Os().desktop->WindowRect(w, r)) return;
    if (r == lastClientRect && FindExplorerMenu(w)) CloseMenu(w);
}

bool TfrmDummyWatchForExplorerPopup::FindExplorerMenu(HWindow& w) {
    w = Os().desktop->FindPopupMenu();
    if (w == 0) return false;
    const std::wstring name = GetWindowEXEName(w);
    if (AsciiLower(name) != kShellLower) return false;
    AppendLog(L"Explorer Menu Found: " + name);
    TRect r;
    Os().desktop->WindowRect(w, r);
    LogRect(r);
    return true;
}

void TfrmDummyWatchForExplorerPopup::CloseMenu(HWindow menu) {
    AppendLog(L"Close Popup");
    Os().desktop->SendClose(menu);
    timInterval.SetEnabled(false);
}

void TfrmDummyWatchForExplorerPopup::LogRect(const TRect& r) const {
    if (!debug) return;
    AppendLog(L"[frmExplorerPopup] Rect [WDxHT top left]: " + std::to_wstring(r.Width()) + L"x" +
              std::to_wstring(r.Height()) + L"  " + std::to_wstring(r.top) + L" " +
              std::to_wstring(r.left));
}

} // namespace fg
