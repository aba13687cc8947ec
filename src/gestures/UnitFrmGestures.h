// The gesture store and dispatcher: what the mouse monitor hands each finished gesture to. It
// looks the gesture up for the foreground program, then globally, and runs the binding.
#pragma once

#include "actions/UnitPaste.h"
#include "capture/UnitFrmScratchpad.h"
#include "vocabulary/UnitMouseMovement.h"
#include "gestures/UnitGestureStore.h"
#include "platform/Timer.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fg {

// Runs a callable on the main thread and returns once it has run there.
using TMainThreadCall = std::function<void(const std::function<void()>&)>;

// The windows and services the dispatcher works with; tests pass their own. Start-up fills in
// what exists; windows made later are set through Parts() (the view through SetView), while the
// keystroke conversions are fixed at creation.
struct TGesturesParts {
    TTooltipWindow* tooltip = nullptr;    // null: the dispatcher makes its own
    TFrmScratchPad* scratchpad = nullptr; // null: there is none
    std::function<bool()> scratchpadVisible;
    std::function<void(bool)> setScratchpadVisible;
    TPaste* sender = nullptr;                          // null: the process-wide Paste
    const TKeystrokeConversions* keystrokes = nullptr; // null: the keystroke editor's
    IGesturesView* view = nullptr;                     // null until the window exists
    TMainThreadCall mainThread; // the scan's hand-over; null calls it on the scan's thread
};

// What the suggestions made of a gesture that matched nothing.
enum class TSuggestionOutcome { soNothing, soRanNearMatch, soMenuShown };

class TFrmGestures : public TGestureStore {
  public:
    // Loads the global file, which fills the global lists.
    explicit TFrmGestures(TGesturesParts parts = {});

    // Whether gestures are switched off for the foreground program.
    virtual bool ProgramIsDisabled();
    // A finished gesture (diagonals off); true when a binding was found and run. With NoTooltip
    // (a menu entry) no confirmation is shown and the program's disable flag does not count.
    virtual bool ReportGestures(const std::wstring& gesture, bool NoTooltip);
    // The same with diagonals on; true when a binding ran or suggestions were offered.
    virtual bool ReportGesturesDiagonal(const std::wstring& gesture);
    // The mouse chords: set or clear the foreground program's disable flag.
    virtual void ReportDisableGestures();
    virtual void ReportEnableGestures();
    // The help pop-up after a pause with the first stroke held.
    virtual void ReportFirstDirection(TMouseDirection md) { (void)md; }

    // A gesture entry of the pop-up menus was picked.
    void GestMenuClick(const std::wstring& gesture);
    // Starts a scan of gesture files and programs; its lists reach ReportScanDone.
    void StartScan();

    void prExecutePause(int ms) { ExecutePause = ms; }
    void prEnableSuggestions(bool on) { EnableSuggestions = on; }
    void prEnabledAutoCorrection(bool on) { AutoCorrection = on; }

    TGesturesParts& Parts() { return parts; }

    int ExecutePause = 100; // ms before every action
    bool EnableSuggestions = false;
    bool AutoCorrection = false;
    TTimer timCloseTooltip; // closes the confirmation

  protected:
    bool FindAndRunGesture(const std::wstring& gestureEncoded);
    void RunGesture(const std::wstring& gesture);
    bool LaunchCommandLine(const std::wstring& commandLine, std::uint32_t creationFlags, bool wait);
    // The suggestions and auto-correction for a gesture that matched nothing, with diagonals
    // on and suggestions enabled. None are offered yet.
    virtual TSuggestionOutcome OfferSuggestions(const std::wstring& gesture, const std::wstring& h);
    void timCloseTooltipTimer();

  private:
    std::wstring ForegroundGestureFile();
    void CloseTargetContextMenu();
    void ShowConfirmation(const std::wstring& text);
    void SetDisabled(bool disabled, const wchar_t* logText);
    TPaste* Sender() const;

    // The confirmation tooltip: the one start-up gives, else one of our own.
    TTooltipWindow& tt();

    TGesturesParts parts;
    std::unique_ptr<TTooltipWindow> ownTooltip;
    // Gone with this object, so a scan that hands over late finds nobody to report to.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

// The one dispatcher; null before start-up creates it.
extern TFrmGestures* FrmGestures;

} // namespace fg
