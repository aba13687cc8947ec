#include "gestures/UnitFrmGestures.h"

#include "actions/UnitActionRunner.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Dpi.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IDrawingPad.h"
#include "vocabulary/UnitMouseMovement.h"

namespace fg {

namespace {

constexpr TPoint kTooltipOffset{11, 0};

std::wstring FoundText(bool found) {
    return found ? L"-1" : L"0";
}

} // namespace

TFrmGestures::TFrmGestures(TGestureStore& gestureStore, TActionRunner& actionRunner,
                           TGesturesParts withParts)
    : timCloseTooltip(500, true, [this] { timCloseTooltipTimer(); }), store(gestureStore),
      runner(actionRunner), parts(std::move(withParts)),
      current(std::make_shared<const TGestureFile>()) {
    if (!parts.tooltip) ownTooltip = std::make_unique<TTooltipWindow>();
}

TFrmGestures::~TFrmGestures() = default;

void TFrmGestures::CheckParts() const {
    std::wstring missing;
    if (!parts.monitor) missing += L" monitor";
    if (!parts.showConfigPage) missing += L" configuration";
    if (!missing.empty()) throw TUserError(L"The dispatcher is missing its" + missing);
}

TTooltipWindow& TFrmGestures::tt() {
    if (parts.tooltip) return *parts.tooltip;
    if (!ownTooltip) ownTooltip = std::make_unique<TTooltipWindow>();
    return *ownTooltip;
}

IGestureInProgress& TFrmGestures::Monitor() const {
    if (!parts.monitor) throw TUserError(L"The dispatcher has no mouse monitor");
    return *parts.monitor;
}

void TFrmGestures::ShowConfigPage(int page) const {
    if (!parts.showConfigPage) throw TUserError(L"The dispatcher cannot open the configuration");
    parts.showConfigPage(page);
}

std::wstring TFrmGestures::ForegroundGestureFile() {
    // The program the gesture began over: by the release, a menu or a title bar's release may
    // have left the foreground with nobody.
    const HWindow pressed = runner.Target().Window();
    return GestureFileName(GetWindowEXEName(pressed != 0 ? pressed : GetForegroundHandle()));
}

const TGestureFile& TFrmGestures::LoadForeground(std::wstring* fileName) {
    const std::wstring f = ForegroundGestureFile();
    if (fileName) *fileName = f;
    TimingMark(L"program identified");
    LoadProgramFile(f);
    TimingMark(L"file loaded");
    return *current;
}

const TGestureFile& TFrmGestures::LoadProgramFile(const std::wstring& fileName) {
    current = store.LoadGestures(fileName, true);
    return *current;
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
    // Quiet: the release reads the same file again from what this load kept.
    return store.LoadGestures(GestureFileName(n), true)->disabled;
}

bool TFrmGestures::AsDrawnGesture(const std::function<bool()>& report) {
    runner.BeginGesture();
    bool ran = false;
    try {
        ran = report();
    } catch (...) {
        runner.EndGesture(true); // a run that failed closes no menu of the program
        throw;
    }
    runner.EndGesture(ran);
    return ran;
}

bool TFrmGestures::ReportGestures(const std::wstring& gesture, bool NoTooltip) {
    if (gesture.empty()) throw TUserError(L"ReportGestures: empty input");
    // A menu entry's gesture has no release to put right.
    if (NoTooltip) return Report(gesture, true);
    return AsDrawnGesture([&] { return Report(gesture, false); });
}

bool TFrmGestures::Report(const std::wstring& gesture, bool NoTooltip) {
    const std::wstring h = ToHumanReadable(gesture);
    std::wstring f;
    const TGestureFile& file = LoadForeground(&f);
    AppendLog(L"[FGest] Reported gesture/foreground = " + h + L" | " + f);

    if (file.disabled && !NoTooltip) {
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
    return AsDrawnGesture([&] { return ReportDiagonal(gesture); });
}

bool TFrmGestures::ReportDiagonal(const std::wstring& gesture) {
    const std::wstring h = ToHumanReadable(gesture);
    const TGestureFile& file = LoadForeground();
    IDrawingPad& pad = Runner().Pad();
    const bool padWasVisible = pad.Visible();

    // The lookup of FindAndRunGesture, without its log lines and without the edge fallback.
    bool result = false;
    if (file.Find(h) || store.Global()->Find(h)) {
        RunGesture(gesture);
        Os().clock->Sleep(10);
        ShowConfirmation(h + L"  ");
        result = true;
    } else if (EnableSuggestions) {
        const TSuggestionOutcome outcome = OfferSuggestions(gesture, h);
        if (outcome == TSuggestionOutcome::soRanNearMatch) return true;
        result = outcome == TSuggestionOutcome::soMenuShown;
    }
    Os().clock->Sleep(50);
    pad.SetVisible(padWasVisible);
    return result;
}

void TFrmGestures::SetDisabled(bool disabled, const wchar_t* logText) {
    const std::wstring f = ForegroundGestureFile();
    TGestureFile file = *store.LoadGestures(f, true);
    file.disabled = disabled;
    store.SaveGestures(f, file);
    AppendLog(std::wstring(L"[FGest] ") + logText + f);
}

void TFrmGestures::ReportDisableGestures() {
    SetDisabled(true, L"DISABLE for ");
}

void TFrmGestures::ReportEnableGestures() {
    SetDisabled(false, L"ENABLE for ");
}

void TFrmGestures::ReportFirstDirection(TMouseDirection md) {
    popups.ReportFirstDirection(md, LoadForeground(), *store.Global());
}

bool TFrmGestures::FindAndRunGesture(const std::wstring& gestureEncoded) {
    const std::wstring h = ToHumanReadable(gestureEncoded);
    for (const TGestureFile* file : {current.get(), store.Global().get()}) {
        const TGestureBinding* b = file->Find(h);
        if (!b) continue;
        RunGesture(b->gesture);
        return true;
    }
    return false;
}

void TFrmGestures::RunGesture(const std::wstring& gesture) {
    // The program's binding counts only when it has an action text; otherwise the global one.
    const TGestureBinding* own = current->FindGesture(gesture);
    const TGestureBinding* global = store.Global()->FindGesture(gesture);
    if (own && !own->action.empty())
        Runner().Run(*own);
    else
        Runner().Run(global ? *global : TGestureBinding{gesture, L"", L""});
}

void TFrmGestures::GestMenuClick(const std::wstring& gesture) {
    Os().clock->Sleep(100);
    ReportGestures(gesture, true);
}

} // namespace fg
