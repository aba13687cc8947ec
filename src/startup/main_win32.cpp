// The program's entry: decides from the command line whether this start runs or only hands its
// command to the running copy, creates every window (hidden) and runs the message loop.
#include "actions/UnitActionRunner.h"
#include "actions/UnitFrmDummyWatchForExplorerPopup_win32.h"
#include "actions/UnitFrmHotKey.h"
#include "actions/UnitPaste.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitDataFolder.h"
#include "app/UnitFrmDebug_win32.h"
#include "app/UnitFrmInstance_win32.h"
#include "capture/UnitFrmLines_win32.h"
#include "capture/UnitFrmMouseMonitor_win32.h"
#include "capture/UnitFrmRatTrap_win32.h"
#include "capture/UnitFrmScratchpad_win32.h"
#include "capture/UnitRightButtonGate_win32.h"
#include "gestures/UnitFrmGestureWizard_win32.h"
#include "gestures/UnitFrmGestures.h"
#include "gestures/UnitFrmGesturesWindow_win32.h"
#include "gestures/UnitFrmGestures_win32.h"
#include "platform/Errors.h"
#include "platform/HandlesLog.h"
#include "platform/LogSink.h"
#include "platform/win32/Modal.h"
#include "platform/win32/Tally.h"
#include "platform/win32/Win32Platform.h"
#include "startup/UnitEditGesturesWiring.h"
#include "startup/UnitGestureRoad.h"
#include "startup/UnitSettingsWiring.h"
#include "startup/UnitTrayWiring.h"
#include "startup/UnitWelcomeWiring.h"
#include "ui/UnitDrawGesture_win32.h"
#include "ui/UnitFrmAbout_win32.h"
#include "ui/UnitFrmConfig_win32.h"
#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"
#include "ui/UnitFrmKeystrokeEditor_win32.h"
#include "ui/UnitFrmSysTrayMenu_win32.h"
#include "ui/UnitFrmWelcome_win32.h"

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
    for (int i = 1; i < count; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

void ShowInFront(HWND window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

// Every window of the program, created hidden in a fixed order (a window may use the ones made
// before it) and destroyed in the reverse order when the message loop ends. A window is handed
// what it works with as it is made: the ones made before it, and callbacks that reach later ones
// when they run. The few links that need both ends are made once all exist; a slip in the wiring
// stops the start. Then the configuration reads "defaults.ini" and hands every part its
// settings, before the first gesture.
struct TApplicationWindows {
    TApplicationWindows(const Platform& platform, TPaste& keystrokeSender,
                        TFrmDummyInstanceWindow* firstInstance, bool dataFolderWritable)
        : os(platform), sender(keystrokeSender),
          editGestures(std::make_unique<TFrmGesturesWindow>(
              *store, GesturesEditParts({.wizard = wizard->Logic(),
                                         .monitor = monitor->Logic(),
                                         .showConfiguration = [this] { ShowConfiguration(); },
                                         .showDebug = [this] { ShowDebug(); },
                                         .endProgram = [] { PostQuitMessage(0); },
                                         .mainThread = mainThread.Caller(),
                                         .dataFolderWritable = dataFolderWritable}))) {
        const TGestureRoad road{*gestures,
                                *runner,
                                monitor->Logic(),
                                scratchpad->Logic(),
                                sender,
                                gate->Logic(),
                                [this](int page) { config->Logic().ShowPage(page); }};
        WireGestureRoad(road);
        WireSettings(road, config->Logic());
        tray->Logic().CheckParts();
        WireWelcome(config->Logic(), welcome->Logic());
        welcome->Logic().CheckParts();
        // "CONFIG" reaches whichever instance window the later start finds.
        for (TFrmDummyInstanceWindow* w : {instance.get(), firstInstance})
            if (w)
                w->Logic().showConfig = [this] {
                    ShowConfiguration();
                    return config->Handle();
                };
        WireEditGestures(editGestures->Logic(), scratchpad->Logic(),
                         {&instance->Logic(), firstInstance ? &firstInstance->Logic() : nullptr});
        editGestures->Logic().CheckParts();
        wizard->Logic().CheckParts();
        try {
            config->Logic().FormCreate();
        } catch (const TUserError& e) {
            // A settings file that cannot be written: every part has its value all the same,
            // so the program runs and says so. A folder that cannot be written at all is said
            // once, for every file, after the windows exist.
            AppendLog(e.Message());
            if (dataFolderWritable) ShowErrorBox(e.Message());
        }
        // A second start while this copy was starting may have asked for a window already.
        for (TFrmDummyInstanceWindow* w : {instance.get(), firstInstance})
            if (w) w->Logic().Ready();
    }

    void ShowDebug() { ShowInFront(reinterpret_cast<HWND>(debug->Handle())); }
    // On the page it showed last.
    void ShowConfiguration() { config->Logic().ShowPage(-1); }

    const Platform& os;
    TPaste& sender;
    TMainThreadWindow mainThread;
    TTargetFocus target;
    // The gesture files, read and written in one place; the global one is read here.
    std::unique_ptr<TGestureStore> store = std::make_unique<TGestureStore>();
    std::unique_ptr<TfrmDummyWatchForExplorerPopupWindow> watch =
        std::make_unique<TfrmDummyWatchForExplorerPopupWindow>();
    std::unique_ptr<TFrmScratchPadWindow> scratchpad =
        std::make_unique<TFrmScratchPadWindow>(*os.desktop, *os.input);
    // Carries out every binding, in the program the gesture was drawn over.
    std::unique_ptr<TActionRunner> runner = std::make_unique<TActionRunner>(TActionRunnerParts{
        scratchpad->Logic(), sender, target, watch->Logic(), TKeystrokeConversions::Default()});
    std::unique_ptr<TFrmGestures> gestures = std::make_unique<TFrmGestures>(*store, *runner);
    // Off (no hook) until the settings say otherwise; it outlives the monitor that reads it. The
    // tray that keeps "noright.ini" comes later: the gate asks it only once the program runs.
    std::unique_ptr<TRightButtonGateHook> gate = std::make_unique<TRightButtonGateHook>(
        *os.desktop, *os.input, GateLeavesAlone(*gestures, [this](const std::wstring& exe) {
            return tray->Logic().IsNoRightClickEXE(exe);
        }));
    std::unique_ptr<TFrmRatTrapWindow> ratTrap =
        std::make_unique<TFrmRatTrapWindow>(*os.desktop, *os.input);
    std::unique_ptr<TFrmDummyInstanceWindow> instance = std::make_unique<TFrmDummyInstanceWindow>();
    std::unique_ptr<TFrmDebugWindow> debug = std::make_unique<TFrmDebugWindow>();
    std::unique_ptr<TFrmDummyUnicodeTooltipWindow> tooltipOwner =
        std::make_unique<TFrmDummyUnicodeTooltipWindow>();
    std::unique_ptr<TFrmAboutWindow> about = std::make_unique<TFrmAboutWindow>();
    std::unique_ptr<TFrmDrawGestureWindow> drawGesture = std::make_unique<TFrmDrawGestureWindow>();
    // Once the windows it draws a gesture with exist.
    std::unique_ptr<TFrmMouseMonitorWindow> monitor = std::make_unique<TFrmMouseMonitorWindow>(
        *os.input, *os.desktop, *os.clock,
        TMouseMonitorParts{.target = target,
                           .gestures = *gestures,
                           .gate = gate->Logic(),
                           .ratTrap = ratTrap->Logic(),
                           .scratchpad = scratchpad->Logic()});
    // After the About window, whose version label its tip shows, and the monitor it switches.
    std::unique_ptr<TfrmSysTrayMenuWindow> tray = std::make_unique<TfrmSysTrayMenuWindow>(
        about->Logic().lblVersion(),
        SysTrayParts(monitor->Logic(),
                     {.showDebug = [this] { ShowDebug(); },
                      .showConfiguration = [this] { ShowConfiguration(); },
                      .exitProgram = [this] { editGestures->Logic().ExitProgram(); },
                      .showEditGestures = [this] { editGestures->Logic().Show(); },
                      .showAbout = [this] { about->Logic().ShowInFront(); }}));
    std::unique_ptr<TFrmLinesWindow> lines = std::make_unique<TFrmLinesWindow>();
    std::unique_ptr<TFrmConfigWindow> config = std::make_unique<TFrmConfigWindow>();
    // The one keystroke window: the keystroke lists capture with it.
    std::unique_ptr<TFrmKeystrokeEditWindow> keystroke =
        std::make_unique<TFrmKeystrokeEditWindow>();
    // Before the Edit Gestures window, which runs it; it asks that window only while it runs.
    std::unique_ptr<TFrmGestureWizardWindow> wizard = std::make_unique<TFrmGestureWizardWindow>(
        GestureWizardParts(monitor->Logic(), [this](const std::wstring& h) {
            return editGestures->Logic().ListsGesture(h);
        }));
    // Made in the constructor's list: it is told whether the data folder can be written.
    std::unique_ptr<TFrmGesturesWindow> editGestures;
    std::unique_ptr<TfrmWelcomeWindow> welcome = std::make_unique<TfrmWelcomeWindow>(
        WelcomeParts(config->Logic(), editGestures->Logic(), [this] {
            editGestures->Logic().Show();
            return reinterpret_cast<HWindow>(editGestures->TWin32Window::Handle());
        }));
};

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (DialogKeysHandled(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Run() {
    InstallWin32Platform();
    SetLogSink(&AppendLog);
    SetHandlesReport(&tally::HandlesLine);
    InstallWin32Tooltips();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    std::unique_ptr<TFrmDummyInstanceWindow> mainInstanceWindow;
    if (!RunInstanceSteps(CommandLineArguments(), [&] {
            mainInstanceWindow = std::make_unique<TFrmDummyInstanceWindow>();
        }))
        return 0;

    // Found before any window and said once when they all exist, not by every save that fails.
    const bool dataFolderWritable = DataFolderWritable();
    // The keystroke sender exists before any window; it writes its list back when it goes.
    TPaste sender;
    int exitCode = 0;
    try {
        TApplicationWindows windows(Os(), sender, mainInstanceWindow.get(), dataFolderWritable);
        if (!dataFolderWritable) ReportUnwritableDataFolder();
        exitCode = RunMessageLoop();
    } catch (const TUserError& e) {
        // Only the wiring of start-up raises here: say so rather than run without a part.
        ShowErrorBox(e.Message());
        exitCode = 1;
    }
    return exitCode;
}

} // namespace
} // namespace fg

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return fg::Run();
}
