#include "capture/UnitFrmMouseMonitor.h"

#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "capture/UnitDirectionPictures.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "platform/Dpi.h"
#include "platform/HandlesLog.h"
#include "platform/IClock.h"
#include "platform/IDesktop.h"
#include "platform/IInput.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IGestureReceiver.h"

#include <algorithm>
#include <utility>

namespace fg {

namespace {

using MD = TMouseDirection;

constexpr std::uint32_t kFirstPollMs = 70;
constexpr std::uint32_t kDownPollMs = 20;
constexpr std::uint32_t kUpPollMs = 60;
constexpr std::uint32_t kChordReleasePollMs = 40;
constexpr std::uint32_t kChordMessageMs = 1300;

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

} // namespace

TFrmMouseMonitor::TFrmMouseMonitor(IInput& i, IDesktop& d, IClock& c, TMouseMonitorParts p)
    : timMouse(kFirstPollMs, true, [this] { timMouseTimer(); }),
      timPaused(0, false, [this] { timPausedTimer(); }),
      timChordMessage(kChordMessageMs, false, [this] { timChordMessageTimer(); }), input(i),
      desktop(d), clock(c), parts(std::move(p)), keyboard(input, desktop, &parts.gate),
      ownTooltip(parts.tooltip ? nullptr : std::make_unique<TTooltipWindow>()) {
    auto picture = [this](MD md) {
        return parts.directionPicture ? parts.directionPicture(md) : fg::DirectionPicture(md);
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
    // Switched off, the monitor draws no gesture: the right button goes straight on.
    Gate().SetSuspended(!enable);
}

void TFrmMouseMonitor::DisableFlagsChanged() {
    lastForeground = 0;
    Gate().Invalidate();
}

int TFrmMouseMonitor::GetDirectionAngle(int index) const {
    // The analysis counts strokes only; a start at a monitor edge is position 0 of the string.
    if (!directionlist.empty() && TMouseMovement::IsMonitorPosition(directionlist.front())) {
        if (index <= 0) return -1;
        --index;
    }
    return movements.GetDirectionAngle(index);
}

void TFrmMouseMonitor::WaitUntilButtonRelease() {
    keyboard.WaitUntilRelease(MouseButton::RightButton);
}

// --- settings ---------------------------------------------------------------------------------

void TFrmMouseMonitor::prHelpPause(int ms) {
    helpPause = ms;
    // A negative value from a hand-edited settings file would otherwise wrap to weeks.
    timPaused.SetInterval(static_cast<std::uint32_t>(std::max(ms, 0)));
}

void TFrmMouseMonitor::prEnableDiagonals(bool on) {
    EnableDiagonals = on;
    movementSettings.EnableDiagonals = on;
}

// --- polling ----------------------------------------------------------------------------------

void TFrmMouseMonitor::timMouseTimer() {
    if (inTimerEvent) return;
    TEventScope scope(inTimerEvent);

    Gate().Poll();
    const bool down = keyboard.IsClicked(MouseButton::RightButton);
    // One process snapshot tells which program every window of the gesture belongs to, from the
    // press to the action; the gesture end lets it go.
    if (down) BeginProcessNameReuse();
    const bool wasPressed = pressed;
    pressed = down;
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
        // The program the press was meant for, before its release can change anything.
        if (!wasPressed) Target().Remember(fg);
        if (fg != lastForeground) {
            lastForeground = fg;
            disabled = Gestures().ProgramIsDisabled();
            Log(L"DISABLED=" + Flag(disabled) + L"  HANDLE=" + std::to_wstring(fg));
        }
    }
    if (disabled)
        PollDisabled(down);
    else if (down)
        PollDown(input.CursorPos());
    else
        PollUp();
}

void TFrmMouseMonitor::PollDisabled(bool down) {
    if (!down) {
        ResetChord();
        // The foreground changed to a disabled program during a gesture: that hold is over and
        // its strokes must not come back with a later release.
        if (wasDown) GestureEnd();
        EndProcessNameReuse();
        return;
    }
    if (!mouseCordingToggle || !CountChordClick() || FullScreenCheck()) return;
    ResetChord();
    ChordMessage(L"Gestures ENABLED for program.", input.CursorPos());
    Log(L"ENABLE mouse chording detected");
    Gestures().ReportEnableGestures();
    Gate().Invalidate();
    disabled = false;
    WaitForRightRelease();
}

void TFrmMouseMonitor::PollDown(TPoint cursor) {
    timMouse.SetInterval(kDownPollMs);
    if (!wasDown) {
        GestureStart();
        tt().CloseTooltip(false);
        timChordMessage.SetEnabled(false); // what shows from now on is this gesture's
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
        Gestures().ReportDisableGestures();
        Gate().Claim(); // a chord is no right click
        Gate().Invalidate();
        disabled = true;
        // The chord ends this hold: what was drawn before the clicks is no gesture.
        GestureEnd();
        WaitForRightRelease();
        timChordMessage.SetEnabled(true);
        return;
    }
    if (!EnableDrawing) {
        if (!InScratchpad(cursor)) return;
        Pad().ReportMouseButton(true);
    }
    if (fullscreen || disabled) return;

    timMouse.SetEnabled(false);
    WithFinalStep(
        [&] {
            const MD md =
                movements.ReportMousePoint(cursor, true, MonitorGeometryAt(desktop, cursor));
            if (IsStroke(md)) TrackStroke(md, cursor);
            // The help pause is for a first stroke held on its own; anything else cancels it.
            if (firstdirection != MD::mdNone && firstdirection != md) timPaused.SetEnabled(false);
        },
        [&] {
            if (!disabled) timMouse.SetEnabled(true);
        });
}

void TFrmMouseMonitor::TrackStroke(TMouseDirection md, TPoint cursor) {
    Gate().Claim();
    if (firstdirection == MD::mdNone) {
        Log(L"First Direction Reported=" + TMouseMovement::ToString(md));
        Log(L"EXEName=" + lastEXEName + L" disabled=" + Flag(disabled));
    }
    TFrmRatTrap& trap = RatTrap();
    if (EnableDrawing && movements.IsMoving()) {
        if (!trap.Visible()) {
            trap.Show();
            Log(L"Starting Point");
            trap.ReportMouse(movements.GetStartingPoint(), true);
        }
        if (!trap.Visible()) trap.Show();
        trap.ReportMouse(cursor, false);
    }
    if (!directionlist.empty() && lastAddDirection == md) directionlist.pop_back();
    directionlist.push_back(md);
    lastAddDirection = md;
    if (EnableDrawing || InScratchpad(cursor)) DirectionTooltip(md, cursor);
    if (!EnableDrawing) Pad().ReportPoint(cursor);
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
        EndProcessNameReuse();
        return;
    }
    TimingMark(L"release seen");
    timMouse.SetEnabled(false);
    WithFinalStep(
        [&] {
            movements.ReportMousePoint(input.CursorPos(), false);
            Log(L"First Release Event ... directionCout=" + std::to_wstring(directionlist.size()));
            if (EnableDrawing) RatTrap().Hide();
            SendGesture();
        },
        [&] {
            if (!disabled) timMouse.SetEnabled(true);
            GestureEnd();
            tt().CloseTooltip(false);
            LogHandles();
        });
}

void TFrmMouseMonitor::SendGesture() {
    const std::wstring s = GestureString();
    if (s.empty() || (s.size() == 1 && TMouseMovement::IsMonitorPosition(s[0]))) return;
    Log(L"Sending GESTURE=" + s);
    // The stroke's arrow has had its say; it would stand beside a menu of suggestions.
    tt().CloseTooltip(false);
    // A pad the gesture was drawn in takes no clicks while its binding runs.
    TFrmScratchPad* pad = EnableDrawing ? nullptr : &Pad();
    if (pad) pad->SetEnabled(false);
    WithFinalStep(
        [&] {
            if (EnableDiagonals)
                Gestures().ReportGesturesDiagonal(s);
            else
                Gestures().ReportGestures(s, false);
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
            // The help takes over: the trail and its hint would stand over its menu.
            if (EnableDrawing) RatTrap().Hide();
            Gestures().ReportFirstDirection(firstdirection);
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
    // Each gesture is analysed with the settings of its start.
    movements.Reset(movementSettings);
    fullscreen = FullScreenCheck();
    disabled = Gestures().ProgramIsDisabled();
    if (disabled) Log(L"Init - program Disabled: " + lastEXEName);
}

void TFrmMouseMonitor::GestureEnd() {
    Log(L"Deinit");
    Pad().ReportMouseButton(false);
    RatTrap().Hide();
    directionlist.clear();
    firstdirection = MD::mdNone;
    timPaused.SetEnabled(false);
    LastTooltipText.clear();
    wasDown = false;
    timMouse.SetInterval(kUpPollMs);
    // Also after an abort or a chord, where no release tick reached the analysis: its next
    // sample must start a gesture afresh, not continue this one.
    movements.ReportMousePoint(input.CursorPos(), false);
    EndProcessNameReuse();
}

bool TFrmMouseMonitor::FullScreenCheck() {
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
    if (!desktop.MonitorNearest(cursor, monitor)) {
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
    const bool left = keyboard.IsClicked(MouseButton::leftButton);
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
    timChordMessage.SetEnabled(false);
    // A tooltip refuses a new text while it shows one, and the direction's picture may be up.
    tt().CloseTooltip(false);
    tt().ShowTooltip(text, BesideCursor(cursor, {5, 0}), false, L"");
}

void TFrmMouseMonitor::timChordMessageTimer() {
    timChordMessage.SetEnabled(false);
    tt().CloseTooltip(false);
}

void TFrmMouseMonitor::WaitForRightRelease() {
    // Deliberately no message handling: nothing may start a gesture before the chord's release.
    while (keyboard.IsClicked(MouseButton::RightButton))
        clock.Sleep(kChordReleasePollMs);
}

void TFrmMouseMonitor::DirectionTooltip(TMouseDirection md, TPoint cursor) {
    const std::wstring text = TMouseMovement::ToString(md);
    if (LastTooltipText.empty()) {
        LastTooltipText = text;
        const int dy = md == MD::mdUp ? 5 : md == MD::mdDown ? -40 : 30;
        tt().ShowTooltip(ArrowPicture(md), BesideCursor(cursor, {-90, dy}), L"");
    } else if (LastTooltipText != text) {
        LastTooltipText = text;
        // The arrow changes in place rather than following the cursor.
        const TPoint at = tt().Position();
        tt().CloseTooltip(false);
        tt().ShowTooltip(ArrowPicture(md), at, L"");
    }
}

std::wstring TFrmMouseMonitor::GestureString() const {
    if (directionlist.empty()) return {};
    Log(L"Creating Possible Gesture-------");
    // One line for each element the string holds, and for each "none" between them.
    MD prev = MD::mdNone;
    for (MD e : directionlist) {
        if (e == prev) continue;
        if (e != MD::mdNone) prev = e;
        if (const wchar_t* line = ElementLogLine(e)) Log(line);
    }
    return TMouseMovement::ToGestureString(directionlist);
}

const TPicture& TFrmMouseMonitor::ArrowPicture(TMouseDirection md) const {
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
    return Pad().ContainsClientPoint(cursor);
}

} // namespace fg
