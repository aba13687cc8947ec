// Runs what a gesture is bound to, in the program the gesture was drawn over. It owns every step
// around the keys: the release may have opened that program's context menu or left the
// foreground with nobody, the scratchpad may stand in front, and the bound keys must wait for
// the configured pause; and a gesture that ran nothing leaves no menu its release opened.
#pragma once

#include "vocabulary/UnitGestureBinding.h"

#include <cstdint>
#include <string>

namespace fg {

class IDrawingPad;
class TKeystrokeConversions;
class TPaste;
class TTargetFocus;
class TfrmDummyWatchForExplorerPopup;

struct TActionRunnerParts {
    IDrawingPad& pad;
    TPaste& sender;
    TTargetFocus& target; // the program as it was at the press
    TfrmDummyWatchForExplorerPopup& watch;
    const TKeystrokeConversions& keystrokes;
};

class TActionRunner {
  public:
    explicit TActionRunner(const TActionRunnerParts& parts);
    TActionRunner(const TActionRunner&) = delete;
    TActionRunner& operator=(const TActionRunner&) = delete;

    // A drawn gesture has been let go: puts right what its release did to the target program,
    // starts the watch for the shell's menu and moves the scratchpad aside.
    void BeginGesture();
    // After the gesture's binding ran (ran) or nothing did: a gesture is no right click, so a
    // menu its release opened goes, now or as soon as it shows.
    void EndGesture(bool ran);
    // Runs a binding: the pause, the target in front, then its keys one after another or its
    // program. Raises TUserError for a binding without an action, or a malformed keystroke.
    void Run(const TGestureBinding& binding);

    // Settings: ms before every action; off until the configuration hands over "defaults.ini".
    int ExecutePause = 0;

    IDrawingPad& Pad() const { return parts.pad; }
    TTargetFocus& Target() const { return parts.target; }
    TfrmDummyWatchForExplorerPopup& Watch() const { return parts.watch; }
    const TKeystrokeConversions& Keystrokes() const { return parts.keystrokes; }

  private:
    bool LaunchCommandLine(const std::wstring& commandLine, std::uint32_t creationFlags, bool wait);

    TActionRunnerParts parts;
    bool inGesture = false;
};

} // namespace fg
