#include "actions/UnitActionRunner.h"

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "vocabulary/IDrawingPad.h"

namespace fg {

namespace {
constexpr std::uint32_t kNormalPriorityClass = 32;
constexpr std::uint32_t kCreateNewProcessGroup = 512;
} // namespace

TActionRunner::TActionRunner(const TActionRunnerParts& runnerParts) : parts(runnerParts) {}

void TActionRunner::BeginGesture() {
    inGesture = true;
    // What the release did to the program (a menu it opened, a foreground it left with nobody)
    // is undone first: until then every "which window is in front" waits in vain.
    parts.target.RestoreTarget();
    parts.watch.StartWatch();
    parts.pad.RemoveSelfFromFocus(false);
}

void TActionRunner::EndGesture(bool ran) {
    inGesture = false;
    if (!ran) parts.target.CloseReleaseMenuSoon();
}

void TActionRunner::Run(const TGestureBinding& binding) {
    TimingMark(L"action started");
    // A menu entry's binding runs outside a drawn gesture, whose end put the scratchpad aside.
    if (!inGesture) parts.pad.RemoveSelfFromFocus(false);
    TimingMark(L"pause started");
    // A negative pause from a hand-edited settings file would block for about 50 days.
    if (ExecutePause > 0) Os().clock->Sleep(static_cast<std::uint32_t>(ExecutePause));
    TimingMark(L"pause over");
    // The release's menu may have opened during the pause: it would take the keys.
    parts.target.RestoreTarget();
    TimingMark(L"menu checked");

    if (binding.type.empty()) throw TUserError(L"RunGesture found a gesture with no action");
    const std::optional<TActionType> type = binding.Type();
    if (!type) return;
    std::wstring a = binding.action;
    if (*type == TActionType::atProgram) {
        const std::wstring p = ExpandEnvVars(NextToken(a, L"|"));
        if (!a.empty())
            LaunchCommandLine(QuotedPath(p) + L" " + NextToken(a, L"|"), kNormalPriorityClass,
                              false);
        else // the shell opens it, so documents and folders open with their own program
            ShellRun(parts.sender.RunOwner, p);
        return;
    }
    while (!a.empty())
        parts.sender.SendKestroke(parts.keystrokes.FromString(NextToken(a, L"|")));
}

bool TActionRunner::LaunchCommandLine(const std::wstring& commandLine, std::uint32_t creationFlags,
                                      bool wait) {
    std::uint32_t error = 0;
    return Os().system->StartProcess(commandLine, creationFlags | kCreateNewProcessGroup, wait,
                                     error);
}

} // namespace fg
