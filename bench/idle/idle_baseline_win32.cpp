// The yardstick of tools/measure-idle.sh: a program that loads the same system libraries as
// Farrowglimmer.exe (the same imports, the same manifest, the same static runtime) and does only
// what the idle program must do: poll the right button every 60 ms from a timer on a message-only
// window. Whatever the program holds above this while idle is its own.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

constexpr UINT kPollMs = 60;

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        volatile SHORT state = GetAsyncKeyState(VK_RBUTTON);
        (void)state;
        return 0;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // One call into each of the other libraries the program imports, so that each is loaded.
    int count = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) LocalFree(argv);
    CoTaskMemFree(nullptr);
    GetStockObject(DEFAULT_GUI_FONT);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"FarrowglimmerIdleBaseline";
    RegisterClassExW(&wc);
    HWND timers = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    SetTimer(timers, 1, kPollMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
