// The mouse monitor: polls the right button and the cursor, decides when a gesture begins and
// ends, collects the strokes the movement analysis recognises, shows them, and hands the finished
// gesture to the dispatcher. It also watches the mouse chords that switch gestures off and on for
// the foreground program. Its window is hidden; everything it does lives here.
#pragma once

#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitKeyboardQuery.h"
#include "platform/Picture.h"
#include "platform/Timer.h"
#include "platform/Types.h"
#include "vocabulary/IGestureInProgress.h"
#include "vocabulary/UnitMouseMovement.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fg {

class IClock;
class IDesktop;
class IGestureReceiver;
class IInput;
class TFrmRatTrap;
class TFrmScratchPad;
class TRightButtonGate;
class TTargetFocus;
class TTooltipWindow;

// The windows the monitor works with, all made before it, in start-up's order; tests pass their
// own. The dispatcher learns of the monitor only once the monitor exists (its pop-ups call back
// here through IGestureInProgress): start-up hands it over then.
struct TMouseMonitorParts {
    TTargetFocus& target;
    IGestureReceiver& gestures; // the dispatcher
    TRightButtonGate& gate;     // off unless the setting is on
    TFrmRatTrap& ratTrap;
    TFrmScratchPad& scratchpad;
    TTooltipWindow* tooltip = nullptr; // null: the monitor makes its own
    // The 42 x 39 picture of each stroke direction, read once at creation; null: the arrows
    // the program draws (DirectionPicture).
    std::function<TPicture(TMouseDirection)> directionPicture;
    // The last resort of the full-screen check when no monitor is nearest to the foreground
    // window's rectangle: the native window briefly appears (which makes the system sort out
    // its monitors) and then names the monitor nearest to the window itself.
    std::function<bool(HWindow window, TRect& monitor)> monitorOfWindow;
};

class TFrmMouseMonitor : public IGestureInProgress {
  public:
    // The input gives the buttons and the cursor, the desktop the windows and monitors, the clock
    // the pause while a chord's release is awaited.
    TFrmMouseMonitor(IInput& input, IDesktop& desktop, IClock& clock,
                     TMouseMonitorParts parts); // FormCreate
    ~TFrmMouseMonitor() override;
    TFrmMouseMonitor(const TFrmMouseMonitor&) = delete;
    TFrmMouseMonitor& operator=(const TFrmMouseMonitor&) = delete;

    // The tray's Scroll Lock switch and the suggestions pop-up: polling on or off.
    void SetMonitorEnabled(bool enable) override;
    // The help and suggestions pop-ups: the release of the gesture in progress reports nothing.
    void AbortInterpret() override { abort = true; }
    int GetDirectionAngle(int index) const override;
    // The help pop-up waits here for the right button.
    void WaitUntilButtonRelease() override;
    // A gesture file's disable flag may have changed (the Edit Gestures window saved it): the next
    // press reads the foreground program's flag again, even in the same program.
    void DisableFlagsChanged();
    static bool IsBetweenNeighbors(TMouseDirection dir1, TMouseDirection dir2, int angle) {
        return TMouseMovement::IsBetweenNeighbors(dir1, dir2, angle);
    }

    // Settings. The movement analysis's are handed to it at the start of each gesture.
    TMovementSettings& MovementSettings() { return movementSettings; }
    void prHelpPause(int ms);
    void prEnableDiagonals(bool on);
    void prEnableHelpPause(bool on) { EnableHelpPause = on; }
    void prEnableDrawing(bool on) { EnableDrawing = on; }
    void prMouseCordingToogle(bool on) { mouseCordingToggle = on; }

    // Timer events.
    void timMouseTimer();
    void timPausedTimer();
    void timChordMessageTimer();

    TMouseMonitorParts& Parts() { return parts; }
    TTooltipWindow& tt() { return parts.tooltip ? *parts.tooltip : *ownTooltip; }
    // The picture the tooltip shows for a stroke direction.
    const TPicture& ArrowPicture(TMouseDirection md) const;

    // What the monitor is in the middle of.
    const std::vector<TMouseDirection>& DirectionList() const { return directionlist; }
    bool WasDown() const { return wasDown; }
    bool Disabled() const { return disabled; }
    bool Fullscreen() const { return fullscreen; }
    bool Aborting() const { return abort; }
    TMouseDirection FirstDirection() const { return firstdirection; }
    int ChordClicks() const { return DisableKeypressCount; }
    const TfrmMouseMovements& Movements() const { return movements; }
    const std::wstring& LastEXEName() const { return lastEXEName; }

    TTimer timMouse;
    TTimer timPaused;
    // Ends the disable chord's message a while after the release: with the program's gestures
    // off, no poll closes it.
    TTimer timChordMessage;

    TPicture imgUp, imgDown, imgLeft, imgRight, imgNE, imgNW, imgSE, imgSW;

    // Settings: off until the configuration hands over the values of "defaults.ini" (whose
    // table holds every default).
    int helpPause = 0; // 0: the help pause never fires
    bool EnableHelpPause = false;
    bool EnableDiagonals = false;
    bool EnableDrawing = false; // false: gestures are drawn in the scratchpad only
    bool mouseCordingToggle = false;

  private:
    void PollDisabled(bool down);
    void PollDown(TPoint cursor);
    void TrackStroke(TMouseDirection md, TPoint cursor);
    void PollUp();
    void SendGesture();

    void GestureStart();
    void GestureEnd();
    bool FullScreenCheck();
    void AddStartPosition(TPoint cursor);
    bool CountChordClick();
    void ResetChord();
    void ChordMessage(const std::wstring& text, TPoint cursor);
    void WaitForRightRelease();
    void DirectionTooltip(TMouseDirection md, TPoint cursor);
    std::wstring GestureString() const;
    bool InScratchpad(TPoint cursor) const;
    TFrmRatTrap& RatTrap() const { return parts.ratTrap; }
    TFrmScratchPad& Pad() const { return parts.scratchpad; }
    IGestureReceiver& Gestures() const { return parts.gestures; }
    TTargetFocus& Target() const { return parts.target; }
    TRightButtonGate& Gate() const { return parts.gate; }

    IInput& input;
    IDesktop& desktop;
    IClock& clock;
    TMouseMonitorParts parts;
    TKeyboardQuery keyboard;
    std::unique_ptr<TTooltipWindow> ownTooltip;
    TMovementSettings movementSettings;
    TfrmMouseMovements movements;

    TMouseDirection lastAddDirection = TMouseDirection::mdNone;
    std::vector<TMouseDirection> directionlist;
    bool fullscreen = false;
    TMouseDirection firstdirection = TMouseDirection::mdNone;
    bool abort = false;
    bool disabled = false;
    std::wstring LastTooltipText;
    int DisableKeypressCount = 0;
    bool DisableKeyDown = false;
    std::wstring lastEXEName;
    HWindow lastForeground = 0;
    bool wasDown = false;
    bool pressed = false; // the button was down at the last poll
    // A timer event is running. The dispatcher and the pop-ups run nested message loops, and
    // the tray's periodic SetMonitorEnabled(true) can restart polling inside them.
    bool inTimerEvent = false;
};

} // namespace fg
