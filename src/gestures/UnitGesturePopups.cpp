#include "gestures/UnitGesturePopups.h"

#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "gestures/UnitFrmGestures.h"
#include "platform/Dpi.h"
#include "platform/Platform.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IDrawingPad.h"
#include "vocabulary/IGestureInProgress.h"
#include "vocabulary/UnitGestureBinding.h"

#include <algorithm>

namespace fg {

namespace {

constexpr std::uint32_t kHelpConfigDelayMs = 300;
constexpr std::size_t kSummaryLength = 25;
constexpr TPoint kHelpTooltipOffset{15, 0};
constexpr TPoint kMenuOffset{-60, 20};
// How long the release may take to open the target's context menu (under Wine it goes to the
// program the press was over): that menu would take the keys meant for ours.
constexpr std::uint32_t kReleaseMenuWaitMs = 300;
constexpr int kHelpConfigurePage = 1;        // "Gesture Advanced"
constexpr int kSuggestionsConfigurePage = 3; // "Diagonals"

// The file name part of a program path: what follows its last backslash or colon.
std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t at = path.find_last_of(L"\\:");
    return at == std::wstring::npos ? path : path.substr(at + 1);
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return AsciiLower(a) == AsciiLower(b);
}

// The menu as the desktop shows it: a click only remembers what the entry does, so that it runs
// after the menu has closed and the target program's input is its own again; and any entry
// picked, "Close" too, counts as an answer.
TPopupMenu Deferring(const TPopupMenu& menu, std::function<void()>& slot, bool& answered) {
    TPopupMenu copy = menu;
    for (TMenuEntry& e : copy) {
        if (e.IsSeparator()) continue;
        if (!e.children.empty()) {
            e.children = Deferring(e.children, slot, answered);
            continue;
        }
        e.onClick = [&slot, &answered, click = e.onClick] {
            answered = true;
            slot = click;
        };
    }
    return copy;
}

} // namespace

TMouseDirection FirstStroke(const std::wstring& g) {
    if (g.empty()) return TMouseDirection::mdNone;
    const TMouseDirection d = TMouseMovement::CharToDirection(g[0]);
    if (!TMouseMovement::IsMonitorPosition(d)) return d;
    return g.size() > 1 ? TMouseMovement::CharToDirection(g[1]) : TMouseDirection::mdNone;
}

std::size_t EqualPositionsNeeded(std::size_t n) {
    if (n <= 1) return n + 1;
    if (n == 2) return 1;
    if (n == 3) return 2; // the whole part of 3 x 0.67
    // The whole part of n x 0.6 in whole numbers: 5 x 0.6 is 3, never 2.999...
    return n * 6 / 10;
}

std::wstring ActionSummary(const TKeystrokeConversions& keystrokes, const TGestureBinding& binding,
                           bool cut) {
    const std::optional<TActionType> type = binding.Type();
    std::wstring rest = binding.action;
    std::wstring s;
    if (type == TActionType::atProgram) {
        // The parameters that follow the program say little in a menu line.
        s = FileNamePart(NextToken(rest, L"|"));
    } else if (type) {
        while (!rest.empty()) {
            const std::wstring name = keystrokes.FromString(NextToken(rest, L"|")).name;
            s += s.empty() ? name : L" | " + name;
        }
    }
    if (cut && s.size() > kSummaryLength) s = s.substr(0, kSummaryLength) + L"...";
    return s;
}

TGesturePopups::TGesturePopups(TFrmGestures& owner)
    : timHelpConfig(kHelpConfigDelayMs, false, [this] { timHelpConfigTimer(); }), gestures(owner) {}

// --- the help pop-up --------------------------------------------------------------------------

void TGesturePopups::ReportFirstDirection(TMouseDirection md, const TGestureFile& own,
                                          const TGestureFile& global) {
    pmDirections.clear();
    if (own.disabled) return;
    for (const TGestureFile* file : {&own, &global})
        for (const TGestureBinding& b : file->Bindings())
            if (FirstStroke(b.gesture) == md) AddHelpMenuItem(b);

    if (pmDirections.empty()) {
        // The gesture goes on: its release is reported as usual.
        TooltipUntilRelease(L"Help Popup - no matches");
        return;
    }
    TooltipUntilRelease(L"  Help Popup        ");
    gestures.Runner().Target().CloseReleaseMenuWithin(kReleaseMenuWaitMs);
    gestures.Runner().Watch().StartWatch();
    gestures.Monitor().AbortInterpret();

    TMenuEntry header{L"Help Popup", L"", true, {}, {}};
    header.children.push_back({L"Configure", L"", true, {}, [this] { HelpConfigureClick(); }});
    pmDirections.insert(pmDirections.begin(), {std::move(header), {L"-"}});
    pmDirections.push_back({L"-"});
    pmDirections.push_back({L"Close"});

    const HWindow target = gestures.Runner().Pad().RemoveSelfFromFocus(true);
    if (!AttachToWindowThread(GetForegroundHandle())) return;
    if (target != 0) Os().desktop->SetForeground(target);
    PopUp();
    // The menu held the foreground; "Close" or a click elsewhere must leave the user where
    // they were.
    if (target != 0) Os().desktop->SetForeground(target);
    DetachFromWindowThread();
    RunPicked();
}

void TGesturePopups::AddHelpMenuItem(const TGestureBinding& binding) {
    const std::wstring s = ActionSummary(gestures.Runner().Keystrokes(), binding, true);
    pmDirections.push_back(
        GestureEntry(binding.gesture, ToHumanReadable(binding.gesture) + L"\t" + s));
}

void TGesturePopups::TooltipUntilRelease(const std::wstring& text) {
    TTooltipWindow& tt = gestures.tt();
    // A confirmation still showing would refuse the new text.
    gestures.timCloseTooltip.SetEnabled(false);
    tt.CloseTooltip(false);
    tt.ShowTooltip(text, BesideCursor(Os().input->CursorPos(), kHelpTooltipOffset), false, L"");
    gestures.Monitor().WaitUntilButtonRelease();
    tt.CloseTooltip(false);
}

void TGesturePopups::HelpConfigureClick() {
    timHelpConfig.SetEnabled(true);
}

void TGesturePopups::timHelpConfigTimer() {
    timHelpConfig.SetEnabled(false);
    gestures.ShowConfigPage(kHelpConfigurePage);
}

// --- the suggestions --------------------------------------------------------------------------

TSuggestionOutcome TGesturePopups::OfferSuggestions(const std::wstring& g, const std::wstring& h,
                                                    const TGestureFile& own,
                                                    const TGestureFile& global) {
    drawn = g;
    sameStartList.clear();
    otherStartList.clear();
    CollectNearMatches(own);
    CollectNearMatches(global);

    if (gestures.AutoCorrection &&
        (TryAutoCorrect(sameStartList) || TryAutoCorrect(otherStartList))) {
        Os().clock->Sleep(50);
        gestures.ShowConfirmation(h + L"  ");
        return TSuggestionOutcome::soRanNearMatch;
    }

    pmDirections.clear();
    if (sameStartList.size() <= 2) {
        CollectLengthNeighbours(own);
        CollectLengthNeighbours(global);
    }
    std::deque<std::wstring> candidates = sameStartList;
    candidates.insert(candidates.end(), otherStartList.begin(), otherStartList.end());
    for (const std::wstring& c : candidates) {
        AddSuggestionMenuItem(c, own);
        AddSuggestionMenuItem(c, global);
    }
    if (pmDirections.empty()) return TSuggestionOutcome::soNothing;

    IGestureInProgress& monitor = gestures.Monitor();
    monitor.AbortInterpret();
    // No new gesture may start while the menu is open.
    monitor.SetMonitorEnabled(false);
    gestures.Runner().Target().CloseReleaseMenuWithin(kReleaseMenuWaitMs);

    TMenuEntry header{L"Suggestions Popup ", L"", true, {}, {}};
    header.children.push_back(
        {L"Configure ", L"", true, {}, [this] { SuggestionsConfigureClick(); }});
    TMenuEntry notFound{L"(" + h + L")  not found ", L"", false, {}, {}};
    pmDirections.insert(pmDirections.begin(), {std::move(header), std::move(notFound), {L"-"}});
    pmDirections.push_back({L"-"});
    pmDirections.push_back({L"Close"});

    const HWindow target = gestures.Runner().Pad().RemoveSelfFromFocus(true);
    if (AttachToWindowThread(GetForegroundHandle())) {
        // A menu that closed without a pick is offered once more: the first one can be closed
        // by the release of the gesture's own button before the user saw it.
        if (!PopUp()) {
            Os().clock->Sleep(10);
            PopUp();
        }
        if (target != 0) Os().desktop->SetForeground(target);
        DetachFromWindowThread();
    }
    monitor.SetMonitorEnabled(true);
    RunPicked();
    return TSuggestionOutcome::soMenuShown;
}

void TGesturePopups::CollectNearMatches(const TGestureFile& file) {
    const std::size_t n = drawn.size();
    const std::size_t needed = EqualPositionsNeeded(n);
    for (const TGestureBinding& b : file.Bindings()) {
        const std::wstring& c = b.gesture;
        if (c.size() != n) continue;
        std::size_t equal = 0;
        for (std::size_t p = 0; p < n; ++p)
            equal += c[p] == drawn[p] ? 1 : 0;
        if (equal >= needed) AddCandidate(c, c[0] == drawn[0]);
    }
}

bool TGesturePopups::TryAutoCorrect(const std::deque<std::wstring>& list) {
    for (const std::wstring& c : list) {
        const std::size_t n = std::min(c.size(), drawn.size());
        for (std::size_t p = 0; p < n; ++p) {
            if (c[p] == drawn[p]) continue;
            const int angle = gestures.Monitor().GetDirectionAngle(static_cast<int>(p));
            if (!TMouseMovement::IsBetweenNeighbors(TMouseMovement::CharToDirection(c[p]),
                                                    TMouseMovement::CharToDirection(drawn[p]),
                                                    angle))
                continue;
            AppendLog(L"[FGest] Auto-corrected " + ToHumanReadable(drawn) + L" to " +
                      ToHumanReadable(c));
            gestures.RunGesture(c);
            return true;
        }
    }
    return false;
}

void TGesturePopups::CollectLengthNeighbours(const TGestureFile& file) {
    const std::size_t n = drawn.size();
    // One stroke too many: the drawn gesture without one of its strokes is bound.
    for (const TGestureBinding& b : file.Bindings()) {
        const std::wstring& c = b.gesture;
        if (c.empty()) continue;
        for (std::size_t p = 0; p < n; ++p) {
            std::wstring shorter = drawn;
            shorter.erase(p, 1);
            if (shorter == c) AddCandidate(c, c[0] == drawn[0]);
        }
    }
    if (n <= 1) return;
    // One stroke missing, at the end (same start) or at the front.
    for (const TGestureBinding& b : file.Bindings()) {
        const std::wstring& c = b.gesture;
        if (c.size() != n + 1) continue;
        const std::size_t k = c.find(drawn);
        if (k != std::wstring::npos) AddCandidate(c, k == 0);
    }
}

void TGesturePopups::AddCandidate(const std::wstring& c, bool sameStart) {
    if (sameStart)
        AddUnique(sameStartList, c, true);
    else
        AddUnique(otherStartList, c, false);
}

void TGesturePopups::AddUnique(std::deque<std::wstring>& list, const std::wstring& text,
                               bool atFront) {
    if (std::any_of(list.begin(), list.end(),
                    [&](const std::wstring& s) { return SameIgnoringCase(s, text); }))
        return;
    if (atFront)
        list.push_front(text);
    else
        list.push_back(text);
}

void TGesturePopups::AddSuggestionMenuItem(const std::wstring& candidate,
                                           const TGestureFile& file) {
    const TGestureBinding* binding = file.FindGesture(candidate);
    if (!binding) return;
    const std::wstring h = ToHumanReadable(candidate);
    const std::wstring s = ActionSummary(gestures.Runner().Keystrokes(), *binding, false);
    const bool program = binding->Type() == TActionType::atProgram;
    pmDirections.push_back(
        GestureEntry(candidate, h + L"\t   " + (program ? L"[" + s + L"]" : L"(" + s + L")")));
}

void TGesturePopups::SuggestionsConfigureClick() {
    gestures.ShowConfigPage(kSuggestionsConfigurePage);
}

// --- the menu ---------------------------------------------------------------------------------

TMenuEntry TGesturePopups::GestureEntry(const std::wstring& gesture, const std::wstring& caption) {
    return {caption, gesture, true, {}, [this, gesture] { gestures.GestMenuClick(gesture); }};
}

bool TGesturePopups::PopUp() {
    picked = nullptr;
    bool answered = false;
    const TPoint at = BesideCursor(Os().input->CursorPos(), kMenuOffset);
    Os().desktop->PopupMenu(Deferring(pmDirections, picked, answered), at, 0);
    AppendLog(answered ? L"[FGest] Menu closed with a pick" : L"[FGest] Menu closed unanswered");
    return answered;
}

void TGesturePopups::RunPicked() {
    const std::function<void()> click = std::move(picked);
    picked = nullptr;
    if (click) click();
}

} // namespace fg
