#include "capture/UnitFrmMouseMonitor.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "capture/UnitDirectionPictures.h"
#include "capture/UnitKeyboardQuery.h"
#include "platform/Platform.h"

#include <algorithm>
#include <utility>

namespace fg {

TFrmMouseMonitor* FrmMouseMonitor = nullptr;

namespace {

using MD = TMouseDirection;

constexpr std::uint32_t kFirstPollMs = 70;
constexpr std::uint32_t kDownPollMs = 20;
constexpr std::uint32_t kUpPollMs = 60;
constexpr std::uint32_t kChordReleasePollMs = 40;

void Log(const std::wstring& text, bool includeLastError = false) {
    AppendLog(L"[FMMonitor] " + text, includeLastError);
}

std::wstring Flag(bool on) {
    return on ? L"-1" : L"0";
}

bool IsStroke(MD md) {
    return static_cast<int>(md) <= static_cast<int>(MD::mdSW);
}

const wchar_t* ElementLogLine(MD md) {
    switch (md) {
    case MD::mdUp:
        return L"Direction UP";
    case MD::mdDown:
        return L"Direction DOWN";
    case MD::mdLeft:
        return L"Direction LEFT";
    case MD::mdRight:
        return L"Direction RIGHT";
    case MD::mdNE:
        return L"Direction NE";
    case MD::mdNW:
        return L"Direction NW";
    case MD::mdSE:
        return L"Direction SE";
    case MD::mdSW:
        return L"Direction SW";
    case MD::mdMonTop:
        return L"Position TOP";
    case MD::mdMonBottom:
        return L"Position BOTTOM";
    case MD::mdMonLeft:
        return L"Position LEFT";
    case MD::mdMonRight:
        return L"Position RIGHT";
    case MD::mdNone:
        break;
    }
    return nullptr;
}

// Runs body and then final, also when body fails: an error of the dispatcher goes on to the
// top-level handler, but must not leave polling stopped or the scratchpad switched off. (A
// destructor would end the program if the final step itself failed during the unwinding.)
template <typename Body, typename Final> void WithFinalStep(Body&& body, Final&& final) {
    try {
        body();
    } catch (...) {
        final();
        throw;
    }
    final();
}

class TEventScope {
  public:
    explicit TEventScope(bool& flag) : running(flag) { running = true; }
    ~TEventScope() { running = false; }
    TEventScope(const TEventScope&) = delete;
    TEventScope& operator=(const TEventScope&) = delete;

  private:
    bool& running;
};

struct NeighbourPair {
    MD a, b;
};

constexpr NeighbourPair kNeighbours[] = {
    {MD::mdUp, MD::mdNE},    {MD::mdUp, MD::mdNW},   {MD::mdNE, MD::mdRight},
    {MD::mdRight, MD::mdSE}, {MD::mdSE, MD::mdDown}, {MD::mdDown, MD::mdSW},
    {MD::mdSW, MD::mdLeft},  {MD::mdLeft, MD::mdNW},
};

bool AreNeighbours(MD a, MD b) {
    return std::any_of(std::begin(kNeighbours), std::end(kNeighbours), [a, b](NeighbourPair n) {
        return (n.a == a && n.b == b) || (n.a == b && n.b == a);
    });
}

} // namespace

TFrmMouseMonitor::TFrmMouseMonitor(TMouseMonitorParts p)
    : timMouse(kFirstPollMs, true, [this] { timMouseTimer(); }),
      timPaused(0, false, [this] { timPausedTimer(); }), parts(std::move(p)),
      ownTooltip(parts.tooltip ? nullptr : std::make_unique<TTooltipWindow>()) {
    auto picture = [this](MD md) {
        return parts.directionPicture ? parts.directionPicture(md) : DirectionPicture(md);
    };
    imgUp = picture(MD::mdUp);
    imgDown = picture(MD::mdDown);
    imgLeft = picture(MD::mdLeft);
    imgRight = picture(MD::mdRight);
    imgNE = picture(MD::mdNE);
    imgNW = picture(MD::mdNW);
    imgSE = picture(MD::mdSE);
    imgSW = picture(MD::mdSW);
    // A gesture has a handful of elements; polling then never allocates for the list.
    directionlist.reserve(32);
}

TFrmMouseMonitor::~TFrmMouseMonitor() = default;

// --- operations for other windows ------------------------------------------------------------

void TFrmMouseMonitor::SetMonitorEnabled(bool enable) {
    timMouse.SetEnabled(enable);
    disabled = !enable;
}

int TFrmMouseMonitor::GetDirectionAngle(int index) const {
    if (!parts.movements) return -1;
    // The analysis counts strokes only; a start at a monitor edge is position 0 of the string.
    if (!directionlist.empty() && TMouseMovement::IsMonitorPosition(directionlist.front())) {
        if (index <= 0) return -1;
        --index;
    }
    return parts.movements->GetDirectionAngle(index);
}

bool TFrmMouseMonitor::IsBetweenNeighbors(TMouseDirection dir1, TMouseDirection dir2, int angle) {
    if (!AreNeighbours(dir1, dir2)) return false;
    int a1 = TMouseMovement::DirectionToAngle(dir1);
    int a2 = TMouseMovement::DirectionToAngle(dir2);
    // Right and up-right meet across 0: their arc is 315 to 360.
    const bool acrossZero =
        (dir1 == MD::mdRight && dir2 == MD::mdNE) || (dir1 == MD::mdNE && dir2 == MD::mdRight);
    if (acrossZero) {
        if (dir1 == MD::mdRight) a1 = 360;
        if (dir2 == MD::mdRight) a2 = 360;
        if (angle == 0) angle = 360;
    }
    return std::min(a1, a2) <= angle && angle <= std::max(a1, a2);
}

// --- settings ---------------------------------------------------------------------------------

void TFrmMouseMonitor::prXThreshold(int v) {
    if (parts.movements) parts.movements->xThreshold = v;
}
void TFrmMouseMonitor::prYThreshold(int v) {
    if (parts.movements) parts.movements->yThreshold = v;
}
void TFrmMouseMonitor::prTimethreshold(int v) {
    if (parts.movements) parts.movements->timethreshold = v;
}
void TFrmMouseMonitor::prXPixelThreshold(int v) {
    if (parts.movements) parts.movements->XPixelThreshold = v;
}
void TFrmMouseMonitor::prYPixelThreshold(int v) {
    if (parts.movements) parts.movements->YPixelThreshold = v;
}
void TFrmMouseMonitor::prDeltaBias(float v) {
    if (parts.movements) parts.movements->deltaBias = v;
}
void TFrmMouseMonitor::prDirectionBias(float v) {
    if (parts.movements) parts.movements->directionBias = v;
}
void TFrmMouseMonitor::prDirectionThreshold(int v) {
    if (parts.movements) parts.movements->directionThreshold = v;
}

void TFrmMouseMonitor::prHelpPause(int ms) {
    helpPause = ms;
    // A negative value from a hand-edited settings file would otherwise wrap to weeks.
    timPaused.SetInterval(static_cast<std::uint32_t>(std::max(ms, 0)));
}

void TFrmMouseMonitor::prEnableDiagonals(bool on) {
    EnableDiagonals = on;
    if (parts.movements) parts.movements->EnableDiagonals = on;
}

// --- polling ----------------------------------------------------------------------------------

void TFrmMouseMonitor::timMouseTimer() {
    if (inTimerEvent) return;
    TEventScope scope(inTimerEvent);

    const bool down = KeyboardQuery.IsClicked(MouseButton::RightButton);
    if (abort) {
        if (!down) {
            abort = false;
            Log(L"Finished with Abort Event");
        }
        GestureEnd();
        return;
    }
    // Only a held button needs the foreground: idle polling stays one key-state query.
    if (down) {
        const HWindow fg = GetForegroundHandle();
        if (fg != lastForeground) {
            lastForeground = fg;
            disabled = parts.gestures && parts.gestures->ProgramIsDisabled();
            Log(L"DISABLED=" + Flag(disabled) + L"  HANDLE=" + std::to_wstring(fg));
        }
    }
    if (disabled)
        PollDisabled(down);
    else if (down)
        PollDown(Os().input->CursorPos());
    else
        PollUp();
}

void TFrmMouseMonitor::PollDisabled(bool down) {
    if (!down) {
        ResetChord();
        // The foreground changed to a disabled program during a gesture: that hold is over and
        // its strokes must not come back with a later release.
        if (wasDown) GestureEnd();
        return;
    }
    if (!mouseCordingToggle || !CountChordClick() || FullScreenCheck()) return;
    ResetChord();
    ChordMessage(L"Gestures ENABLED for program.", Os().input->CursorPos());
    Log(L"ENABLE mouse chording detected");
    if (parts.gestures) parts.gestures->ReportEnableGestures();
    disabled = false;
    WaitForRightRelease();
}

void TFrmMouseMonitor::PollDown(TPoint cursor) {
    timMouse.SetInterval(kDownPollMs);
    if (!wasDown) {
        GestureStart();
        tt().CloseTooltip(false);
        wasDown = true;
        Log(L"First Down Event ... lastEXE=" + lastEXEName);
        if (disabled) {
            Log(L"Disabled: right-click switchted focus.");
            wasDown = false;
            return;
        }
        if (EnableDrawing) AddStartPosition(cursor);
    }
    if (mouseCordingToggle && CountChordClick()) {
        ResetChord();
        ChordMessage(L"Gestures DISABLED for program.", cursor);
        Log(L"Disable Gestures Key press detected");
        if (parts.gestures) parts.gestures->ReportDisableGestures();
        disabled = true;
        // The chord ends this hold: what was drawn before the clicks is no gesture.
        GestureEnd();
        WaitForRightRelease();
        return;
    }
    if (!EnableDrawing) {
        if (!InScratchpad(cursor)) return;
        parts.scratchpad->ReportMouseButton(true);
    }
    if (fullscreen || disabled) return;

    timMouse.SetEnabled(false);
    WithFinalStep(
        [&] {
            const MD md =
                parts.movements ? parts.movements->ReportMousePoint(cursor, true) : MD::mdNone;
            if (IsStroke(md)) TrackStroke(md, cursor);
            // The help pause is for a first stroke held on its own; anything else cancels it.
            if (firstdirection != MD::mdNone && firstdirection != md) timPaused.SetEnabled(false);
        },
        [&] {
            if (!disabled) timMouse.SetEnabled(true);
        });
}

void TFrmMouseMonitor::TrackStroke(TMouseDirection md, TPoint cursor) {
    if (firstdirection == MD::mdNone) {
        Log(L"First Direction Reported=" + TMouseMovement::ToString(md));
        Log(L"EXEName=" + lastEXEName + L" disabled=" + Flag(disabled));
    }
    TFrmRatTrap* trap = parts.ratTrap;
    if (EnableDrawing && trap && parts.movements->IsMoving()) {
        if (!trap->Visible()) {
            trap->Show();
            Log(L"Starting Point");
            trap->ReportMouse(parts.movements->GetStartingPoint(), true);
        }
        if (!trap->Visible()) trap->Show();
        trap->ReportMouse(cursor, false);
    }
    if (!directionlist.empty() && lastAddDirection == md) directionlist.pop_back();
    directionlist.push_back(md);
    lastAddDirection = md;
    if (EnableDrawing || InScratchpad(cursor)) DirectionTooltip(md, cursor);
    if (!EnableDrawing && parts.scratchpad) parts.scratchpad->ReportPoint(cursor);
    if (firstdirection == MD::mdNone) {
        firstdirection = md;
        if (EnableHelpPause) timPaused.SetEnabled(true);
    }
}

void TFrmMouseMonitor::PollUp() {
    timMouse.SetInterval(kUpPollMs);
    if (!wasDown) {
        // Idle: nothing here can run a message loop, so the timer need not stop, and the
        // analysis already heard of the last release when that gesture ended. Half the cost
        // of a poll under Wine.
        tt().CloseTooltip(false);
        return;
    }
    TimingMark(L"release seen");
    timMouse.SetEnabled(false);
    WithFinalStep(
        [&] {
            if (parts.movements) parts.movements->ReportMousePoint(Os().input->CursorPos(), false);
            Log(L"First Release Event ... directionCout=" + std::to_wstring(directionlist.size()));
            if (EnableDrawing && parts.ratTrap) parts.ratTrap->Hide();
            SendGesture();
        },
        [&] {
            if (!disabled) timMouse.SetEnabled(true);
            GestureEnd();
            tt().CloseTooltip(false);
        });
}

void TFrmMouseMonitor::SendGesture() {
    const std::wstring s = GestureString();
    if (s.empty() || (s.size() == 1 && TMouseMovement::IsMonitorPosition(s[0]))) return;
    if (parts.watch) parts.watch->StartWatch();
    Log(L"Sending GESTURE=" + s);
    TFrmScratchPad* pad = EnableDrawing ? nullptr : parts.scratchpad;
    if (pad) {
        tt().CloseTooltip(false);
        pad->RemoveSelfFromFocus(false);
        pad->SetEnabled(false);
    }
    WithFinalStep(
        [&] {
            if (!parts.gestures) return;
            if (EnableDiagonals)
                parts.gestures->ReportGesturesDiagonal(s);
            else
                parts.gestures->ReportGestures(s, false);
        },
        [&] {
            if (pad) pad->SetEnabled(true);
        });
}

void TFrmMouseMonitor::timPausedTimer() {
    if (inTimerEvent) return;
    TEventScope scope(inTimerEvent);

    timPaused.SetEnabled(false);
    timMouse.SetEnabled(false);
    tt().CloseTooltip(false);
    WithFinalStep(
        [&] {
            if (disabled) return;
            Log(L" Pause Trigger ");
            if (parts.gestures) parts.gestures->ReportFirstDirection(firstdirection);
        },
        [&] {
            if (disabled) return;
            timMouse.SetEnabled(true);
            Log(L"Restarting timMouse timer");
        });
}

// --- steps ------------------------------------------------------------------------------------

void TFrmMouseMonitor::GestureStart() {
    Log(L"Init");
    firstdirection = MD::mdNone;
    lastAddDirection = MD::mdNone;
    fullscreen = FullScreenCheck();
    disabled = parts.gestures && parts.gestures->ProgramIsDisabled();
    if (disabled) Log(L"Init - program Disabled: " + lastEXEName);
}

void TFrmMouseMonitor::GestureEnd() {
    Log(L"Deinit");
    if (parts.scratchpad) parts.scratchpad->ReportMouseButton(false);
    if (parts.ratTrap) parts.ratTrap->Hide();
    directionlist.clear();
    firstdirection = MD::mdNone;
    timPaused.SetEnabled(false);
    LastTooltipText.clear();
    wasDown = false;
    timMouse.SetInterval(kUpPollMs);
    // Also after an abort or a chord, where no release tick reached the analysis: its next
    // sample must start a gesture afresh, not continue this one.
    if (parts.movements) parts.movements->ReportMousePoint(Os().input->CursorPos(), false);
}

bool TFrmMouseMonitor::FullScreenCheck() {
    IDesktop& desktop = *Os().desktop;
    lastForeground = GetForegroundHandle();
    lastEXEName = GetWindowEXEName(lastForeground);
    if (AsciiLower(lastEXEName) == L"explorer.exe") return false;

    TRect window;
    if (!desktop.WindowRect(lastForeground, window)) return true;
    TRect monitor;
    if (!desktop.MonitorNearestRect(window, monitor) &&
        !(parts.monitorOfWindow && parts.monitorOfWindow(lastForeground, monitor))) {
        Log(L"MonitorFromRect failed", true);
        return true;
    }
    bool maximized = true;
    bool placement = false;
    if (desktop.WindowMaximized(lastForeground, placement)) maximized = placement;
    if (window.Height() < monitor.Height() || window.Width() < monitor.Width() || maximized)
        return false;
    return true;
}

void TFrmMouseMonitor::AddStartPosition(TPoint cursor) {
    TRect monitor;
    if (!Os().desktop->MonitorNearest(cursor, monitor)) {
        Log(L"Cannot get Monitor from mouse position");
        return;
    }
    const int x = cursor.x - monitor.left;
    const int y = cursor.y - monitor.top;
    const int w = monitor.Width();
    const int h = monitor.Height();
    MD position = MD::mdNone;
    // Top and bottom first: a corner counts as the top or bottom edge.
    if (y < h / 30)
        position = MD::mdMonTop;
    else if (y > h * 29 / 30)
        position = MD::mdMonBottom;
    else if (x < w / 30)
        position = MD::mdMonLeft;
    else if (x > w * 29 / 30)
        position = MD::mdMonRight;
    if (position == MD::mdNone) return;
    if (!directionlist.empty() && TMouseMovement::IsMonitorPosition(directionlist.front())) return;
    Log(L"Adding Monitor Position: " + TMouseMovement::ToString(position));
    directionlist.push_back(position);
}

bool TFrmMouseMonitor::CountChordClick() {
    const bool left = KeyboardQuery.IsClicked(MouseButton::leftButton);
    if (left && !DisableKeyDown) {
        DisableKeyDown = true;
        Log(L"Disable Key Press");
    } else if (!left && DisableKeyDown) {
        Log(L"Disable Key Release");
        DisableKeyDown = false;
        ++DisableKeypressCount;
    }
    return DisableKeypressCount > 1;
}

void TFrmMouseMonitor::ResetChord() {
    DisableKeypressCount = 0;
    DisableKeyDown = false;
}

void TFrmMouseMonitor::ChordMessage(const std::wstring& text, TPoint cursor) {
    // A tooltip refuses a new text while it shows one, and the direction's picture may be up.
    tt().CloseTooltip(false);
    tt().ShowTooltip(text, TPoint{cursor.x + 5, cursor.y}, false, L"");
}

void TFrmMouseMonitor::WaitForRightRelease() {
    // Deliberately no message handling: nothing may start a gesture before the chord's release.
    while (KeyboardQuery.IsClicked(MouseButton::RightButton))
        Os().clock->Sleep(kChordReleasePollMs);
}

void TFrmMouseMonitor::DirectionTooltip(TMouseDirection md, TPoint cursor) {
    const std::wstring text = TMouseMovement::ToString(md);
    if (LastTooltipText.empty()) {
        LastTooltipText = text;
        const int dy = md == MD::mdUp ? 5 : md == MD::mdDown ? -40 : 30;
        tt().ShowTooltip(DirectionPicture(md), TPoint{cursor.x - 90, cursor.y + dy}, L"");
    } else if (LastTooltipText != text) {
        LastTooltipText = text;
        // The arrow changes in place rather than following the cursor.
        const TPoint at = tt().Position();
        tt().CloseTooltip(false);
        tt().ShowTooltip(DirectionPicture(md), at, L"");
    }
}

std::wstring TFrmMouseMonitor::GestureString() const {
    std::wstring s;
    if (directionlist.empty()) return s;
    Log(L"Creating Possible Gesture-------");
    MD prev = MD::mdNone;
    for (MD e : directionlist) {
        if (e == prev) continue;
        if (e != MD::mdNone) {
            s += TMouseMovement::ToChar(e);
            prev = e;
        }
        if (const wchar_t* line = ElementLogLine(e)) Log(line);
    }
    return s;
}

const TPicture& TFrmMouseMonitor::DirectionPicture(TMouseDirection md) const {
    switch (md) {
    case MD::mdUp:
        return imgUp;
    case MD::mdDown:
        return imgDown;
    case MD::mdLeft:
        return imgLeft;
    case MD::mdRight:
        return imgRight;
    case MD::mdNE:
        return imgNE;
    case MD::mdNW:
        return imgNW;
    case MD::mdSE:
        return imgSE;
    default:
        return imgSW;
    }
}

bool TFrmMouseMonitor::InScratchpad(TPoint cursor) const {
    return parts.scratchpad && parts.scratchpad->ContainsClientPoint(cursor);
}

} // namespace fg
