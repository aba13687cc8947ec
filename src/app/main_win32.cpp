// The program's entry: decides from the command line whether this start runs or only hands its
// command to the running copy, creates every window (hidden) and runs the message loop.
#include "app/UnitFrmDebug_win32.h"
#include "app/UnitFrmInstance_win32.h"
#include "capture/UnitDrawGesture_win32.h"
#include "capture/UnitFrmMouseMovements_win32.h"
#include "platform/win32/Win32Platform.h"
#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace fg {
namespace {

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// Every window of the program, created hidden in a fixed order (a window may use the ones made
// before it) and destroyed in the reverse order when the message loop ends.
struct TApplicationWindows {
    std::unique_ptr<TFrmDummyInstanceWindow> FrmDummyInstance =
        std::make_unique<TFrmDummyInstanceWindow>();
    std::unique_ptr<TfrmMouseMovementsWindow> frmMouseMovements =
        std::make_unique<TfrmMouseMovementsWindow>();
    std::unique_ptr<TFrmDebugWindow> FrmDebug = std::make_unique<TFrmDebugWindow>();
    std::unique_ptr<TFrmDummyUnicodeTooltipWindow> FrmDummyUnicodeTooltip =
        std::make_unique<TFrmDummyUnicodeTooltipWindow>();
    std::unique_ptr<TFrmDrawGestureWindow> FrmDrawGesture =
        std::make_unique<TFrmDrawGestureWindow>();
};

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Run() {
    InstallWin32Platform();
    InstallWin32Tooltips();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    const std::vector<std::wstring> args = CommandLineArguments();
    // Any argument at all makes this start a messenger that never runs the program.
    const bool terminating = !args.empty();
    std::unique_ptr<TFrmDummyInstanceWindow> mainInstanceWindow;
    for (InstanceCommand c : InstanceStepsFor(args)) {
        const bool firstCopy = CreateInstanceMutex();
        if (c != InstanceCommand::INST_INIT)
            ForwardInstanceCommand(c);
        else if (firstCopy)
            mainInstanceWindow = std::make_unique<TFrmDummyInstanceWindow>();
    }
    if (terminating) return 0;

    TApplicationWindows windows;
    return RunMessageLoop();
}

} // namespace
} // namespace fg

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return fg::Run(); }
