// The program's entry: decides from the command line whether this start runs or only hands its
// command to the running copy, creates every window (hidden) and runs the message loop.
#include "app/UnitFrmDebug_win32.h"
#include "app/UnitFrmInstance_win32.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup_win32.h"
#include "actions/UnitPaste.h"
#include "capture/UnitDrawGesture_win32.h"
#include "capture/UnitFrmLines_win32.h"
#include "capture/UnitFrmMouseMonitor_win32.h"
#include "capture/UnitFrmMouseMovements_win32.h"
#include "capture/UnitFrmRatTrap_win32.h"
#include "capture/UnitFrmScratchpad_win32.h"
#include "gestures/UnitFrmGestures_win32.h"
#include "gestures/UnitGestureStore.h"
#include "app/UnitMisc.h"
#include "platform/LogSink.h"
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
// before it) and destroyed in the reverse order when the message loop ends. A window that talks to
// one made after it is handed that one as soon as it exists.
struct TApplicationWindows {
    TApplicationWindows() {
        FrmGestures = gestures.get();
        gestures->Parts().mainThread = mainThread.Caller();
        monitor->Logic().Parts().gestures = gestures.get();
        monitor->Logic().Parts().ratTrap = &ratTrap->Logic();
        monitor->Logic().Parts().watch = &watch->Logic();
        monitor->Logic().Parts().movements = &movements->Logic();
        monitor->Logic().Parts().scratchpad = &scratchpad->Logic();
        TGesturesParts& dispatcher = gestures->Parts();
        dispatcher.scratchpad = &scratchpad->Logic();
        dispatcher.scratchpadVisible = [pad = &scratchpad->Logic()] { return pad->Visible(); };
        dispatcher.setScratchpadVisible = [pad = &scratchpad->Logic()](bool on) {
            pad->SetVisible(on);
        };
        ApplySettings();
    }
    ~TApplicationWindows() { FrmGestures = nullptr; }

    // The settings' defaults, until the configuration window reads them from "defaults.ini".
    void ApplySettings() {
        TFrmMouseMonitor& m = monitor->Logic();
        m.prHelpPause(800);
        m.prEnableHelpPause(true);
        m.prEnableDiagonals(false);
        m.prMouseCordingToogle(true);
        gestures->prExecutePause(100);
        scratchpad->Logic().prFadeTime(800);
        // The drawing method is read from "defaults.ini" already, so that the scratchpad can be
        // chosen before the configuration window exists.
        m.prEnableDrawing(SettingsFlag(L"rbFullscreen", true));
        scratchpad->Logic().prEnable(SettingsFlag(L"rbScratchpad", false));
    }

    static bool SettingsFlag(const wchar_t* key, bool byDefault) {
        const std::wstring text =
            Os().files->ProfileRead(GetDataPath() + L"defaults.ini", L"init", key, L"");
        return text.empty() ? byDefault : ProfileFlag(text);
    }

    TMainThreadWindow mainThread;
    std::unique_ptr<TFrmGestures> gestures = std::make_unique<TFrmGestures>();
    std::unique_ptr<TFrmMouseMonitorWindow> monitor = std::make_unique<TFrmMouseMonitorWindow>();
    std::unique_ptr<TFrmRatTrapWindow> ratTrap = std::make_unique<TFrmRatTrapWindow>();
    std::unique_ptr<TFrmDummyInstanceWindow> instance = std::make_unique<TFrmDummyInstanceWindow>();
    std::unique_ptr<TfrmDummyWatchForExplorerPopupWindow> watch =
        std::make_unique<TfrmDummyWatchForExplorerPopupWindow>();
    std::unique_ptr<TfrmMouseMovementsWindow> movements =
        std::make_unique<TfrmMouseMovementsWindow>();
    std::unique_ptr<TFrmDebugWindow> debug = std::make_unique<TFrmDebugWindow>();
    std::unique_ptr<TFrmDummyUnicodeTooltipWindow> tooltipOwner =
        std::make_unique<TFrmDummyUnicodeTooltipWindow>();
    std::unique_ptr<TFrmDrawGestureWindow> drawGesture = std::make_unique<TFrmDrawGestureWindow>();
    std::unique_ptr<TFrmScratchPadWindow> scratchpad = std::make_unique<TFrmScratchPadWindow>();
    std::unique_ptr<TFrmLinesWindow> lines = std::make_unique<TFrmLinesWindow>();
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
    SetLogSink(&AppendLog);
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

    // The keystroke sender exists before any window; it writes its list back when it goes.
    TPaste sender;
    Paste = &sender;
    int exitCode = 0;
    {
        TApplicationWindows windows;
        exitCode = RunMessageLoop();
    }
    Paste = nullptr;
    return exitCode;
}

} // namespace
} // namespace fg

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return fg::Run(); }
