// The dispatcher: from a finished gesture to the binding that runs for it.
#pragma once

#include "gestures/UnitGesturePopups.h"
#include "gestures/UnitGestureStore.h"
#include "platform/Timer.h"
#include "vocabulary/IGestureReceiver.h"

#include <functional>
#include <memory>
#include <string>

namespace fg {

class IGestureInProgress;
class TActionRunner;
class TTooltipWindow;

// What the dispatcher is handed once all exist. The mouse monitor and the dispatcher need each
// other, so start-up hands them over then and checks the wiring (CheckParts).
struct TGesturesParts {
    IGestureInProgress* monitor = nullptr; // required: the pop-ups drop the gesture
    // Required: opens the configuration window on a page (1 "Gesture Advanced", 3 "Diagonals").
    std::function<void(int page)> showConfigPage;
    TTooltipWindow* tooltip = nullptr; // null: the dispatcher makes its own
};

// The dispatcher: what the mouse monitor hands each finished gesture to. It looks the gesture up
// in the foreground program's file, then in the global one, and has the runner run the binding.
class TFrmGestures : public IGestureReceiver {
  public:
    // runner carries out the bindings found in store's files.
    TFrmGestures(TGestureStore& store, TActionRunner& runner, TGesturesParts parts = {});
    ~TFrmGestures() override;

    // Raises TUserError naming every required part that is missing.
    void CheckParts() const;

    bool ProgramIsDisabled() override;
    bool ReportGestures(const std::wstring& gesture, bool NoTooltip) override;
    bool ReportGesturesDiagonal(const std::wstring& gesture) override;
    void ReportDisableGestures() override;
    void ReportEnableGestures() override;
    // The help pop-up: lists the gestures that begin with the held first stroke.
    void ReportFirstDirection(TMouseDirection md) override;

    // A gesture entry of the pop-up menus was picked.
    void GestMenuClick(const std::wstring& gesture);

    void prEnableSuggestions(bool on) { EnableSuggestions = on; }
    void prEnabledAutoCorrection(bool on) { AutoCorrection = on; }

    TGesturesParts& Parts() { return parts; }
    TGesturePopups& Popups() { return popups; }

    // Settings: off until the configuration hands over the values of "defaults.ini".
    bool EnableSuggestions = false;
    bool AutoCorrection = false;
    TTimer timCloseTooltip; // closes the confirmation

  protected:
    // Loads a program's file (quietly) as the one the next lookups go to.
    const TGestureFile& LoadProgramFile(const std::wstring& fileName);
    // The binding of gestureEncoded in the program's file, else in the global one, runs.
    bool FindAndRunGesture(const std::wstring& gestureEncoded);
    // Runs the binding of a gesture that is known to exist: the program's own when it has an
    // action, else the global one.
    void RunGesture(const std::wstring& gesture);
    // The suggestions and auto-correction for a gesture that matched nothing, with diagonals
    // on and suggestions enabled.
    virtual TSuggestionOutcome OfferSuggestions(const std::wstring& gesture,
                                                const std::wstring& h) {
        return popups.OfferSuggestions(gesture, h, *current, *store.Global());
    }
    void timCloseTooltipTimer();

  private:
    friend class TGesturePopups;
    // Runs report between the runner's begin and end of a drawn gesture; report's answer is
    // whether something ran (or was offered).
    bool AsDrawnGesture(const std::function<bool()>& report);
    bool Report(const std::wstring& gesture, bool NoTooltip);
    bool ReportDiagonal(const std::wstring& gesture);
    std::wstring ForegroundGestureFile();
    // Loads the file of the program the gesture began over (quietly) into `current`.
    const TGestureFile& LoadForeground(std::wstring* fileName = nullptr);
    void ShowConfirmation(const std::wstring& text);
    void SetDisabled(bool disabled, const wchar_t* logText);
    TActionRunner& Runner() const { return runner; }
    IGestureInProgress& Monitor() const;
    void ShowConfigPage(int page) const;

    // The confirmation tooltip: the one start-up gives, else one of our own.
    TTooltipWindow& tt();

    TGestureStore& store;
    TActionRunner& runner;
    TGesturesParts parts;
    // The file of the program the last gesture was drawn over.
    std::shared_ptr<const TGestureFile> current;
    std::unique_ptr<TTooltipWindow> ownTooltip;
    TGesturePopups popups{*this};
};

} // namespace fg
