#include "gestures/UnitFrmGestures.h"

#include "platform/Errors.h"
#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Platform.h"

namespace fg {

TFrmGestures* FrmGestures = nullptr;

namespace {

constexpr std::uint32_t kNormalPriorityClass = 32;
constexpr std::uint32_t kCreateNewProcessGroup = 512;
constexpr TPoint kTooltipOffset{11, 0};

// A path with a blank, unquoted, would start the wrong program: "C:\Program Files\x.exe -q"
// runs "C:\Program.exe" when that exists.
std::wstring QuotedPath(const std::wstring& path) {
    if (path.find_first_of(L" \t") == std::wstring::npos || path.front() == L'"') return path;
    return L"\"" + path + L"\"";
}

std::wstring FoundText(bool found) {
    return found ? L"-1" : L"0";
}

} // namespace

TFrmGestures::TFrmGestures(TGesturesParts withParts)
    : TGestureStore(withParts.keystrokes, withParts.view),
      timCloseTooltip(500, true, [this] { timCloseTooltipTimer(); }), parts(std::move(withParts)) {
    if (!parts.tooltip) ownTooltip = std::make_unique<TTooltipWindow>();
    LoadGestures(kGlobalGestureFile, false);
}

TTooltipWindow& TFrmGestures::tt() {
    if (parts.tooltip) return *parts.tooltip;
    if (!ownTooltip) ownTooltip = std::make_unique<TTooltipWindow>();
    return *ownTooltip;
}

TPaste* TFrmGestures::Sender() const {
    return parts.sender ? parts.sender : Paste;
}

std::wstring TFrmGestures::ForegroundGestureFile() {
    return GestureFileName(GetWindowEXEName(GetForegroundHandle()));
}

void TFrmGestures::ShowConfirmation(const std::wstring& text) {
    const TPoint cursor = Os().input->CursorPos();
    tt().ShowTooltip(text, {cursor.x + kTooltipOffset.x, cursor.y + kTooltipOffset.y}, false, L"");
    timCloseTooltip.SetEnabled(true);
}

void TFrmGestures::timCloseTooltipTimer() {
    timCloseTooltip.SetEnabled(false);
    tt().CloseTooltip(true);
}

bool TFrmGestures::ProgramIsDisabled() {
    const std::wstring n = GetWindowEXEName(GetForegroundHandle());
    if (n.empty()) {
        AppendLog(L"[FGest] NO EXENAME ERROR");
        return false;
    }
    return ProfileFlag(Os().files->ProfileReadCut(GetDataPath() + GestureFileName(n), L"settings",
                                                  L"cbDisableAll", L"", kGestureValueBuffer));
}

bool TFrmGestures::ReportGestures(const std::wstring& gesture, bool NoTooltip) {
    if (gesture.empty()) throw TUserError(L"ReportGestures: empty input");
    const std::wstring h = ToHumanReadable(gesture);
    const std::wstring f = ForegroundGestureFile();
    TimingMark(L"program identified");
    LoadGestures(f, true);
    TimingMark(L"file loaded");
    AppendLog(L"[FGest] Reported gesture/foreground = " + h + L" | " + f);

    if (cbDisableAll && !NoTooltip) {
        ShowConfirmation(L"    Disabled    ");
        return false;
    }
    bool found = FindAndRunGesture(gesture);
    AppendLog(L"[FGest] Gesture Found =" + FoundText(found));
    // A gesture from a monitor edge falls back to the same strokes without the edge.
    if (!found && TMouseMovement::IsMonitorPosition(gesture[0])) {
        found = FindAndRunGesture(gesture.substr(1));
        AppendLog(L"[FGest] No Position Gesture Found =" + FoundText(found));
    }
    if (found && !NoTooltip) {
        std::wstring padded = h;
        if (padded.size() < 10) padded.resize(10, L' ');
        ShowConfirmation(L"    " + padded + L"  ");
    }
    Os().clock->Sleep(40);
    return found;
}

bool TFrmGestures::ReportGesturesDiagonal(const std::wstring& gesture) {
    const std::wstring h = ToHumanReadable(gesture);
    LoadGestures(ForegroundGestureFile(), true);

    const bool padWasVisible = parts.scratchpadVisible && parts.scratchpadVisible();
    if (parts.scratchpad) parts.scratchpad->RemoveSelfFromFocus(false);

    // The lookup of FindAndRunGesture, without its log lines and without the edge fallback.
    bool result = false;
    if (const std::wstring g = Gestures.Value(h); !g.empty()) {
        RunGesture(g);
        result = true;
    } else if (const std::wstring global = GlobalGestures.Value(h); !global.empty()) {
        RunGesture(global);
        result = true;
    }
    if (result) {
        Os().clock->Sleep(10);
        ShowConfirmation(h + L"  ");
    } else if (EnableSuggestions) {
        const TSuggestionOutcome outcome = OfferSuggestions(gesture, h);
        if (outcome == TSuggestionOutcome::soRanNearMatch) return true;
        result = outcome == TSuggestionOutcome::soMenuShown;
    }
    Os().clock->Sleep(50);
    if (parts.setScratchpadVisible) parts.setScratchpadVisible(padWasVisible);
    return result;
}

TSuggestionOutcome TFrmGestures::OfferSuggestions(const std::wstring&, const std::wstring&) {
    return TSuggestionOutcome::soNothing;
}

void TFrmGestures::SetDisabled(bool disabled, const wchar_t* logText) {
    const std::wstring f = ForegroundGestureFile();
    LoadGestures(f, true);
    cbDisableAll = disabled;
    SaveGestures(f);
    AppendLog(std::wstring(L"[FGest] ") + logText + f);
}

void TFrmGestures::ReportDisableGestures() {
    SetDisabled(true, L"DISABLE for ");
}

void TFrmGestures::ReportEnableGestures() {
    SetDisabled(false, L"ENABLE for ");
}

bool TFrmGestures::FindAndRunGesture(const std::wstring& gestureEncoded) {
    const std::wstring h = ToHumanReadable(gestureEncoded);
    for (const TNameValueList* list : {&Gestures, &GlobalGestures}) {
        const std::wstring g = list->Value(h);
        if (g.empty()) continue;
        RunGesture(g);
        return true;
    }
    return false;
}

void TFrmGestures::CloseTargetContextMenu() {
    // Where the system hands the button's release to the program the gesture began over (the
    // pointer grab of an X server under Wine does), that program opens its context menu, which
    // would swallow the keystrokes meant for it. The overlay normally takes the release away.
    // The foreground is nobody's while a menu is open, so the menu is recognised as not ours.
    IDesktop& desktop = *Os().desktop;
    const HWindow menu = desktop.FindPopupMenu();
    if (menu == 0 || AsciiLower(GetWindowEXEName(menu)) == kOwnExeLower) return;
    AppendLog(L"[FGest] Closing the context menu of the target program");
    // The program's own window lies below its menu; it gets the foreground back.
    HWindow owner = GetNextVisibleWindow(menu);
    while (owner != 0 && desktop.WindowProcessId(owner) != desktop.WindowProcessId(menu))
        owner = GetNextVisibleWindow(owner);
    desktop.SendClose(menu);
    if (owner != 0) TFocusManager::ForceForeground(owner);
}

void TFrmGestures::RunGesture(const std::wstring& gesture) {
    TimingMark(L"action started");
    if (parts.scratchpad) parts.scratchpad->RemoveSelfFromFocus(false);
    TimingMark(L"pause started");
    // A negative pause from a hand-edited settings file would block for about 50 days.
    if (ExecutePause > 0) Os().clock->Sleep(static_cast<std::uint32_t>(ExecutePause));
    TimingMark(L"pause over");
    CloseTargetContextMenu();
    TimingMark(L"menu checked");

    // The program's binding counts only when it has an action text; otherwise the global one.
    std::wstring a = Actions.Value(gesture);
    std::wstring t;
    if (!a.empty()) {
        t = ActionTypes.Value(gesture);
    } else {
        a = GlobalActions.Value(gesture);
        t = GlobalActionTypes.Value(gesture);
    }
    if (t.empty()) throw TUserError(L"RunGesture found a gesture with no action");

    const std::optional<TActionType> type = TextToActionType(t);
    if (!type) return;
    if (*type == TActionType::atProgram) {
        const std::wstring p = ExpandEnvVars(NextToken(a, L"|"));
        if (!a.empty()) {
            LaunchCommandLine(QuotedPath(p) + L" " + NextToken(a, L"|"), kNormalPriorityClass,
                              false);
        } else if (TPaste* sender = Sender()) {
            // The shell opens it, so documents and folders open with their own program.
            sender->SendTextWithKeystrokes(L"[KEYS][RUN]" + p);
        }
        return;
    }
    TPaste* sender = Sender();
    while (!a.empty()) {
        const TKeystrokeData k = Keystrokes().FromString(NextToken(a, L"|"));
        if (sender) sender->SendKestroke(k);
    }
}

bool TFrmGestures::LaunchCommandLine(const std::wstring& commandLine, std::uint32_t creationFlags,
                                     bool wait) {
    std::uint32_t error = 0;
    return Os().system->StartProcess(commandLine, creationFlags | kCreateNewProcessGroup, wait,
                                     error);
}

void TFrmGestures::GestMenuClick(const std::wstring& gesture) {
    Os().clock->Sleep(100);
    ReportGestures(gesture, true);
}

void TFrmGestures::StartScan() {
    const TMainThreadCall toMainThread = parts.mainThread;
    const std::weak_ptr<int> owner = alive;
    TGatherINIData::Start([this, toMainThread, owner](const TScanLists& lists) {
        // Checked where the store lives, on the main thread, so it cannot vanish meanwhile.
        const auto report = [&] {
            if (!owner.expired()) ReportScanDone(lists);
        };
        if (toMainThread)
            toMainThread(report);
        else
            report();
    });
}

} // namespace fg
