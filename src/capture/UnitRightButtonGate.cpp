#include "capture/UnitRightButtonGate.h"

#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "platform/Dpi.h"
#include "platform/Errors.h"
#include "platform/IDesktop.h"
#include "platform/IInput.h"

#include <cstdlib>
#include <optional>
#include <utility>

namespace fg {

namespace {

using Lock = std::lock_guard<std::mutex>;

void Log(const std::wstring& text) {
    AppendLog(L"[Gate] " + text);
}

} // namespace

TRightButtonGate::TRightButtonGate(TRightButtonGateParts p) : parts(std::move(p)) {
    replays.reserve(4);
    notes.reserve(8);
}

TRightButtonGateParts TRightButtonGate::OnPlatform(IDesktop& desktop, IInput& input,
                                                   std::function<bool(HWindow)> leaveAlone,
                                                   std::function<void(bool)> hook,
                                                   std::function<void()> wake) {
    return {
        .leaveAlone = std::move(leaveAlone),
        .foreground = [&desktop] { return desktop.ForegroundWindow(); },
        .topLevelAt = [&desktop](TPoint at) { return desktop.TopLevelAt(at); },
        // The hook hears of the secondary button as the right button's messages, whichever
        // physical button it is; the key state names the physical one.
        .systemRightDown = [&input] { return input.ButtonDown(SecondaryButtonKey(input)); },
        .hook = std::move(hook),
        .wake = std::move(wake),
        .keyDown = [&input](int key) { return input.KeyDown(key); },
        .dpiAt = [&desktop](TPoint at) { return desktop.MonitorDpi(at); },
    };
}

void TRightButtonGate::CheckParts() const {
    std::wstring missing;
    if (!parts.leaveAlone) missing += L" leave-alone";
    if (!parts.foreground) missing += L" foreground";
    if (!parts.topLevelAt) missing += L" window-at";
    if (!parts.systemRightDown) missing += L" system-state";
    if (!parts.hook) missing += L" hook";
    if (!parts.wake) missing += L" wake";
    if (!parts.keyDown) missing += L" key-state";
    if (!parts.dpiAt) missing += L" dpi";
    if (!missing.empty()) throw TUserError(L"The right-button gate is missing its" + missing);
}

// --- settings ---------------------------------------------------------------------------------

void TRightButtonGate::SetOn(bool value) {
    {
        Lock l(lock);
        if (on == value) return;
        on = value;
        if (!on) {
            if (state == TState::Held) HandOnLocked(); // sent before the hook goes
            state = TState::Idle;
        }
        known = false;
        lostTicks = 0;
    }
    parts.hook(value);
    Log(value ? L"holding back the right button while a gesture may be drawn"
              : L"the right button goes straight to the programs again");
}

void TRightButtonGate::SetHoldTime(int ms) {
    Lock l(lock);
    holdMs = ms < 0 ? 0 : ms;
}

void TRightButtonGate::SetBypassKey(int key) {
    Lock l(lock);
    bypass = key >= 1 && key <= 3 ? static_cast<TBypassKey>(key) : TBypassKey::None;
}

void TRightButtonGate::SetStartBox(int x, int y) {
    Lock l(lock);
    xPixels = x;
    yPixels = y;
}

bool TRightButtonGate::On() const {
    Lock l(lock);
    return on;
}

TRightButtonGate::TState TRightButtonGate::State() const {
    Lock l(lock);
    return state;
}

// --- the hook's thread ------------------------------------------------------------------------

bool TRightButtonGate::BypassHeld() const {
    switch (bypass) {
    case TBypassKey::Ctrl:
        return parts.keyDown(vk::CONTROL);
    case TBypassKey::Shift:
        return parts.keyDown(vk::SHIFT);
    case TBypassKey::Alt:
        return parts.keyDown(vk::MENU);
    case TBypassKey::None:
        break;
    }
    return false;
}

bool TRightButtonGate::Decide(const TGateEvent& e, std::uint32_t now) {
    Lock l(lock);
    if (e.kind == TGateEvent::RightDown) seenDown = true;
    if (e.kind == TGateEvent::RightUp) seenDown = false;
    if (!on || e.injected) return false;

    switch (e.kind) {
    case TGateEvent::RightDown:
        if (suspended || (known && leaveAlone) || BypassHeld()) {
            state = TState::Untouched;
            return false;
        }
        state = TState::Held;
        activate = true;
        pressAt = e.at;
        pressTime = now;
        box = ScaleByDpi(TPoint{xPixels, yPixels}, parts.dpiAt(e.at));
        return true;

    case TGateEvent::Move:
        if (state != TState::Held) return false;
        if (HoldOver(now)) return false;
        if (std::abs(e.at.x - pressAt.x) > box.x || std::abs(e.at.y - pressAt.y) > box.y)
            BecomeGestureLocked();
        return false;

    case TGateEvent::RightUp: {
        const TState was = state;
        state = TState::Idle;
        if (was == TState::Held) {
            replays.push_back({true, pressAt});
            replays.push_back({false, pressAt});
            Note(L"no gesture: the click is handed on");
            return true;
        }
        return was == TState::Gesture;
    }

    case TGateEvent::Other:
        break;
    }
    return false;
}

void TRightButtonGate::Tick(std::uint32_t now) {
    Lock l(lock);
    HoldOver(now);
}

bool TRightButtonGate::HoldOver(std::uint32_t now) {
    if (state != TState::Held || now - pressTime < static_cast<std::uint32_t>(holdMs)) return false;
    replays.push_back({true, pressAt});
    state = TState::HandedOn;
    Note(L"held still: the press is handed on");
    return true;
}

bool TRightButtonGate::Deadline(std::uint32_t& at) const {
    Lock l(lock);
    if (state != TState::Held) return false;
    at = pressTime + static_cast<std::uint32_t>(holdMs);
    return true;
}

std::vector<TGateReplay> TRightButtonGate::TakeReplays() {
    Lock l(lock);
    std::vector<TGateReplay> out;
    // The hook's thread asks after every mouse event: most of the time nothing is allocated.
    if (!replays.empty()) {
        out.swap(replays);
        replays.reserve(4);
    }
    return out;
}

bool TRightButtonGate::HasReplays() const {
    Lock l(lock);
    return !replays.empty();
}

void TRightButtonGate::BecomeGestureLocked() {
    state = TState::Gesture;
    Note(L"a gesture: its press and release are kept back");
}

void TRightButtonGate::HandOnLocked() {
    replays.push_back({true, pressAt});
    state = TState::Untouched;
}

void TRightButtonGate::Note(std::wstring text) {
    // Bounded: with nobody polling (gestures suspended) the lines would pile up.
    if (notes.size() < 64) notes.push_back(std::move(text));
}

void TRightButtonGate::Say(std::wstring text) {
    Lock l(lock);
    Note(std::move(text));
}

// --- the main thread --------------------------------------------------------------------------

bool TRightButtonGate::RightDown() const {
    Lock l(lock);
    return state == TState::Held || state == TState::Gesture || state == TState::Untouched;
}

void TRightButtonGate::Claim() {
    Lock l(lock);
    if (state == TState::Held) BecomeGestureLocked();
}

void TRightButtonGate::SetSuspended(bool value) {
    Lock l(lock);
    suspended = value;
}

void TRightButtonGate::Invalidate() {
    Lock l(lock);
    known = false;
}

void TRightButtonGate::Poll() {
    bool ask = false;
    std::optional<TPoint> pressed;
    {
        Lock l(lock);
        if (!on) return;
        ask = !known;
        if (activate && (state == TState::Held || state == TState::Gesture)) pressed = pressAt;
        activate = false;
    }
    if (pressed) {
        const HWindow window = parts.topLevelAt(*pressed);
        if (window && window != parts.foreground()) TFocusManager::ForceForeground(window);
    }
    const HWindow fg = parts.foreground();
    {
        Lock l(lock);
        ask = ask || fg != knownForeground;
    }
    // The lists and the gesture files are read outside the lock: the hook never waits for them.
    const bool alone = ask ? parts.leaveAlone(fg) : false;
    const bool systemDown = parts.systemRightDown();

    std::vector<std::wstring> said;
    bool lost = false, handedOn = false;
    {
        Lock l(lock);
        if (ask) {
            knownForeground = fg;
            leaveAlone = alone;
            known = true;
            if (alone && state == TState::Held) {
                HandOnLocked();
                handedOn = true;
                Note(L"the program in front is left alone: the press is handed on");
            }
        }
        // The system removes a hook that keeps it waiting, without a word. Then it has the button
        // down while the hook never saw the press; twice in a row, so that a press whose hook
        // call is still on its way is not taken for it.
        lostTicks = systemDown && !seenDown ? lostTicks + 1 : 0;
        if (lostTicks >= 2) {
            lost = true;
            lostTicks = 0;
            state = TState::Idle;
            seenDown = true; // this press is the system's; its release resets the count
        }
        if (!notes.empty()) {
            said.swap(notes);
            notes.reserve(8);
        }
    }
    if (handedOn) parts.wake();
    for (const std::wstring& text : said)
        Log(text);
    if (lost) {
        Log(L"the hook was removed by the system: installing it again");
        parts.hook(true);
    }
}

} // namespace fg
