// The right-button gate: with "Hold back the right button while a gesture may be drawn" on, the
// right button's press is kept from every program until it is clear what it is. A press that
// becomes a gesture (the cursor leaves the analysis's start box, or the monitor claims it)
// is never delivered, nor its release; a press released without a gesture is handed on at once as
// a press and a release where it happened, so the program under the cursor sees an ordinary right
// click; a press held still for the hold time is handed on as a real press, so right-drag and
// press-and-hold keep working. Presses that must be left alone (the program in front is listed in
// "noright.ini" or has its gestures off, gestures are suspended, the bypass key is held) pass
// untouched, and so does every event a program injects.
//
// The class only records and decides. The native part feeds it the low-level mouse events on a
// thread of its own (Decide, Tick), sends the replays it asks for (TakeReplays), and the monitor's
// polling keeps its view of the program in front current (Poll). Every member takes the gate's
// lock, held only for a few comparisons, so the hook's thread never waits on the main thread's
// work.
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace fg {

class IDesktop;
class IInput;

// A mouse event as the low-level hook sees it.
struct TGateEvent {
    enum Kind : std::uint8_t { RightDown, RightUp, Move, Other };
    Kind kind = Other;
    TPoint at;
    bool injected = false; // made by a program (this one's replays among them), not by the hand
};

// An event the gate asks to be sent; the native part marks it so that the hook lets it through.
struct TGateReplay {
    bool down = false;
    TPoint at;
    bool operator==(const TGateReplay&) const = default;
};

// The key that, held at the press, leaves that press untouched.
enum class TBypassKey : int { None = 0, Ctrl = 1, Shift = 2, Alt = 3 };

struct TRightButtonGateParts {
    // Main thread: whether the right button of the program that owns this foreground window must
    // be left alone. Asked when the foreground changes and after Invalidate, never by the hook.
    std::function<bool(HWindow foreground)> leaveAlone;
    std::function<HWindow()> foreground;
    // Main thread: the top-level window under a point, which a press there would have activated.
    std::function<HWindow(TPoint at)> topLevelAt;
    // Main thread: the system's own state of the right button (a held-back press is not in it).
    std::function<bool()> systemRightDown;
    // Main thread: the hook, installed (true) or removed (false); installing again replaces it.
    // Replays still waiting are sent before the hook goes.
    std::function<void(bool install)> hook;
    // Main thread: the main thread handed a press on; the native part sends it now.
    std::function<void()> wake;
    // Hook thread: whether a key is down, and the DPI of the monitor at a point.
    std::function<bool(int vk)> keyDown;
    std::function<int(TPoint at)> dpiAt;
};

class TRightButtonGate {
  public:
    enum class TState : std::uint8_t {
        Idle,      // the button is up
        Held,      // a press kept back: gesture or click is not decided yet
        Gesture,   // a gesture: neither the press nor the release is delivered
        HandedOn,  // held still past the hold time: the press was delivered, the rest passes
        Untouched, // a press left alone: it and its release pass
    };

    explicit TRightButtonGate(TRightButtonGateParts parts);
    TRightButtonGate(const TRightButtonGate&) = delete;
    TRightButtonGate& operator=(const TRightButtonGate&) = delete;
    // The parts the platform answers (foreground, key states, DPI), with the rule for the programs
    // to leave alone and the native hook's switch.
    static TRightButtonGateParts OnPlatform(IDesktop& desktop, IInput& input,
                                            std::function<bool(HWindow foreground)> leaveAlone,
                                            std::function<void(bool install)> hook,
                                            std::function<void()> wake);
    TRightButtonGateParts& Parts() { return parts; }

    // Raises TUserError naming every part that is missing.
    void CheckParts() const;

    // Settings (main thread). Switching on installs the hook, switching off removes it; a press
    // held back at that moment is handed on.
    void SetOn(bool on);
    void SetHoldTime(int ms);
    void SetBypassKey(int key); // a TBypassKey; anything else is none
    // The analysis's start box at 96 DPI; the gate scales it by the DPI where the press is.
    void SetStartBox(int xPixels, int yPixels);
    bool On() const;

    // Hook thread: decides one event, true keeps it from every program; now in milliseconds.
    bool Decide(const TGateEvent& e, std::uint32_t now);
    // Hook thread: a press held still past the hold time is handed on.
    void Tick(std::uint32_t now);
    // Hook thread: when Tick has work, if a press is held back.
    bool Deadline(std::uint32_t& at) const;
    // Hook thread: the events to send, oldest first; taking them empties the list.
    std::vector<TGateReplay> TakeReplays();
    bool HasReplays() const;
    // Hook thread: a line for the debug log, written by the next Poll.
    void Say(std::wstring text);

    // Main thread, for the monitor: the right button as a gesture must see it. A press held back
    // or gone into a gesture is down; a press handed on after the hold time is up, since the rest
    // of that hold is not a gesture; a press left alone is down until its release.
    bool RightDown() const;
    // Main thread: the monitor claims the press (it reported a stroke, or the press made a
    // chord): neither it nor its release is delivered, whatever the start box says.
    void Claim();
    // Main thread: gestures suspended (Scroll Lock) or the monitor switched off.
    void SetSuspended(bool suspended);
    // Main thread: the lists or the program's disable flag changed; the next Poll asks again.
    void Invalidate();
    // Main thread, from the monitor's polling: brings the window of a press held back to the
    // front, as the press itself would have (the gesture is that program's); refreshes whether
    // the program in front is left alone (handing on a press held back for it); finds a hook the
    // system removed and installs it again; and writes what the hook's thread decided to the
    // debug log.
    void Poll();

    TState State() const;

  private:
    // With the lock held: the press held back is a gesture's; a held press goes out now and its
    // release passes; and the hold time's end, true when it handed the press on.
    void BecomeGestureLocked();
    void HandOnLocked();
    bool HoldOver(std::uint32_t now);
    void Note(std::wstring text);
    bool BypassHeld() const;

    TRightButtonGateParts parts;
    mutable std::mutex lock;

    bool on = false;
    int holdMs = 500;
    TBypassKey bypass = TBypassKey::None;
    int xPixels = 30, yPixels = 25;
    bool suspended = false;

    TState state = TState::Idle;
    TPoint pressAt;
    std::uint32_t pressTime = 0;
    TPoint box; // the start box scaled for the press

    bool activate = false;   // a press held back: its window is to come to the front
    bool leaveAlone = false; // the program in front, as the main thread last found it
    HWindow knownForeground = 0;
    bool known = false;    // knownForeground's answer is current
    bool seenDown = false; // the last right-button event the hook saw, injected or not, was a press
    int lostTicks = 0;     // polls in a row where the system had the button down unseen

    std::vector<TGateReplay> replays;
    std::vector<std::wstring> notes; // the hook's decisions, for the debug log
};

} // namespace fg
