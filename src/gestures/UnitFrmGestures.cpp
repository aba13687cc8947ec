#include "gestures/UnitFrmGestures.h"

#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "gestures/UnitGatherINIData.h"
#include "platform/Dpi.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IDrawingPad.h"

namespace fg {

TFrmGestures* FrmGestures = nullptr;

namespace {

constexpr std::uint32_t kNormalPriorityClass = 32;
constexpr std::uint32_t kCreateNewProcessGroup = 512;
constexpr TPoint kTooltipOffset{11, 0};

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

TFrmGestures::~TFrmGestures() = default;

void TFrmGestures::CheckParts() const {
    std::wstring missing;
    if (!parts.scratchpad) missing += L" scratchpad";
    if (!parts.sender) missing += L" sender";
    if (!parts.target) missing += L" target";
    if (!parts.monitor) missing += L" monitor";
    if (!parts.watch) missing += L" popup-watch";
    if (!parts.showConfigPage) missing += L" configuration";
    if (!missing.empty()) throw TUserError(L"The dispatcher is missing its" + missing);
}

TTooltipWindow& TFrmGestures::tt() {
    if (parts.tooltip) return *parts.tooltip;
    if (!ownTooltip) ownTooltip = std::make_unique<TTooltipWindow>();
    return *ownTooltip;
}

TPaste& TFrmGestures::Sender() const {
    if (!parts.sender) throw TUserError(L"The dispatcher has no keystroke sender");
    return *parts.sender;
}

IDrawingPad& TFrmGestures::Pad() const {
    if (!parts.scratchpad) throw TUserError(L"The dispatcher has no scratchpad");
    return *parts.scratchpad;
}

IGestureInProgress& TFrmGestures::Monitor() const {
    if (!parts.monitor) throw TUserError(L"The dispatcher has no mouse monitor");
    return *parts.monitor;
}

TTargetFocus& TFrmGestures::Target() const {
    if (!parts.target) throw TUserError(L"The dispatcher has no target program");
    return *parts.target;
}

TfrmDummyWatchForExplorerPopup& TFrmGestures::Watch() const {
    if (!parts.watch) throw TUserError(L"The dispatcher has no popup watch");
    return *parts.watch;
}

void TFrmGestures::ShowConfigPage(int page) const {
    if (!parts.showConfigPage) throw TUserError(L"The dispatcher cannot open the configuration");
    parts.showConfigPage(page);
}

std::wstring TFrmGestures::ForegroundGestureFile() {
    // The program the gesture began over: by the release, a menu or a title bar's release may
    // have left the foreground with nobody.
    const HWindow pressed = parts.target ? parts.target->Window() : 0;
    return GestureFileName(GetWindowEXEName(pressed != 0 ? pressed : GetForegroundHandle()));
}

void TFrmGestures::ShowConfirmation(const std::wstring& text) {
    const TPoint cursor = Os().input->CursorPos();
    tt().ShowTooltip(text, BesideCursor(cursor, kTooltipOffset), false, L"");
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

    const bool padWasVisible = Pad().Visible();
    Pad().RemoveSelfFromFocus(false);

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
    Pad().SetVisible(padWasVisible);
    return result;
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

void TFrmGestures::RunGesture(const std::wstring& gesture) {
    TimingMark(L"action started");
    Pad().RemoveSelfFromFocus(false);
    TimingMark(L"pause started");
    // A negative pause from a hand-edited settings file would block for about 50 days.
    if (ExecutePause > 0) Os().clock->Sleep(static_cast<std::uint32_t>(ExecutePause));
    TimingMark(L"pause over");
    if (!parts.target) throw TUserError(L"The dispatcher has no target program");
    parts.target->RestoreTarget();
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
        } else {
            // The shell opens it, so documents and folders open with their own program.
            Sender().SendTextWithKeystrokes(L"[KEYS][RUN]" + p);
        }
        return;
    }
    while (!a.empty())
        Sender().SendKestroke(Keystrokes().FromString(NextToken(a, L"|")));
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
