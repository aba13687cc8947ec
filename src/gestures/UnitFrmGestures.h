// The gesture store and dispatcher: what the mouse monitor hands each finished gesture to. It
// looks the gesture up for the foreground program, then globally, and runs the binding.
#pragma once

#include "gestures/UnitGesturePopups.h"
#include "gestures/UnitGestureStore.h"
#include "platform/Timer.h"
#include "vocabulary/IGestureReceiver.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fg {

class IDrawingPad;
class IGestureInProgress;
class TPaste;
class TTargetFocus;
class TTooltipWindow;
class TfrmDummyWatchForExplorerPopup;

// Runs a callable on the main thread and returns once it has run there.
using TMainThreadCall = std::function<void(const std::function<void()>&)>;

// The windows and services the dispatcher works with; tests pass their own. The dispatcher is
// made first, so start-up hands it the scratchpad and the sender once they exist and then
// checks the wiring (CheckParts); the keystroke conversions are fixed at creation.
struct TGesturesParts {
    IDrawingPad* scratchpad = nullptr;               // required
    TPaste* sender = nullptr;                        // required
    TTargetFocus* target = nullptr;                  // required: the program as it was at the press
    IGestureInProgress* monitor = nullptr;           // required: the pop-ups drop the gesture
    TfrmDummyWatchForExplorerPopup* watch = nullptr; // required: after the help's release
    // Required: opens the configuration window on a page (1 "Gesture Advanced", 3 "Diagonals").
    std::function<void(int page)> showConfigPage;
    TTooltipWindow* tooltip = nullptr;                 // null: the dispatcher makes its own
    const TKeystrokeConversions* keystrokes = nullptr; // null: the stateless conversions
    IGesturesView* view = nullptr; // the Edit Gestures window's list; the store works without
    TMainThreadCall mainThread;    // the scan's hand-over; null calls it on the scan's thread
};

class TFrmGestures : public TGestureStore, public IGestureReceiver {
  public:
    // Loads the global file, which fills the global lists.
    explicit TFrmGestures(TGesturesParts parts = {});
    ~TFrmGestures() override;

    // Raises TUserError naming every required part that is missing.
    void CheckParts() const;

    bool ProgramIsDisabled() override;
    bool ReportGestures(const std::wstring& gesture, bool NoTooltip) override;
    bool ReportGesturesDiagonal(const std::wstring& gesture) override;
    void ReportDisableGestures() override;
    void ReportEnableGestures() override;
    // The help pop-up: lists the gestures that begin with the held first stroke.
    void ReportFirstDirection(TMouseDirection md) override { popups.ReportFirstDirection(md); }

    // A gesture entry of the pop-up menus was picked.
    void GestMenuClick(const std::wstring& gesture);
    // Starts a scan of gesture files and programs; its lists reach ReportScanDone.
    void StartScan();

    void prExecutePause(int ms) { ExecutePause = ms; }
    void prEnableSuggestions(bool on) { EnableSuggestions = on; }
    void prEnabledAutoCorrection(bool on) { AutoCorrection = on; }

    TGesturesParts& Parts() { return parts; }
    TGesturePopups& Popups() { return popups; }

    // Settings: off until the configuration hands over the values of "defaults.ini".
    int ExecutePause = 0; // ms before every action
    bool EnableSuggestions = false;
    bool AutoCorrection = false;
    TTimer timCloseTooltip; // closes the confirmation

  protected:
    bool FindAndRunGesture(const std::wstring& gestureEncoded);
    void RunGesture(const std::wstring& gesture);
    bool LaunchCommandLine(const std::wstring& commandLine, std::uint32_t creationFlags, bool wait);
    // The suggestions and auto-correction for a gesture that matched nothing, with diagonals
    // on and suggestions enabled.
    virtual TSuggestionOutcome OfferSuggestions(const std::wstring& gesture,
                                                const std::wstring& h) {
        return popups.OfferSuggestions(gesture, h);
    }
    void timCloseTooltipTimer();

  private:
    friend class TGesturePopups;
    std::wstring ForegroundGestureFile();
    void ShowConfirmation(const std::wstring& text);
    void SetDisabled(bool disabled, const wchar_t* logText);
    TPaste& Sender() const;
    IDrawingPad& Pad() const;
    IGestureInProgress& Monitor() const;
    TTargetFocus& Target() const;
    TfrmDummyWatchForExplorerPopup& Watch() const;
    void ShowConfigPage(int page) const;

    // The confirmation tooltip: the one start-up gives, else one of our own.
    TTooltipWindow& tt();

    TGesturesParts parts;
    std::unique_ptr<TTooltipWindow> ownTooltip;
    // Gone with this object, so a scan that hands over late finds nobody to report to.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
    TGesturePopups popups{*this};
};

// The one dispatcher; null before start-up creates it.
extern TFrmGestures* FrmGestures;

} // namespace fg
