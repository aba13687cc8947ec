// fgmouserec: a window that writes down the right-button messages it gets, so a case can see what
// a program under the cursor receives: the window "Mouse Recorder", 600 x 400, placed at 100,100 or
// at the two numbers of its command line. One line per message to "mouse.log" beside the exe,
// written at once:
//   <message> <x> <y> <counter ms>
// with the message RBUTTONDOWN, RBUTTONUP, MOVE (only while the right button is down) or
// CONTEXTMENU, screen coordinates, and the high-resolution counter in milliseconds when the
// message was handled (the same counter in every process of the Wine prefix).
#include <windows.h>

#include "platform/win32/PreciseTime.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

void Write(const char* what, POINT at) {
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %ld %ld %.3f\r\n", what, at.x, at.y,
                                fg::PreciseCounterMs());
    DWORD written = 0;
    WriteFile(logFile, line, static_cast<DWORD>(n), &written, nullptr);
}

POINT ScreenPoint(HWND h, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(h, &p);
    return p;
}

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_RBUTTONDOWN:
        Write("RBUTTONDOWN", ScreenPoint(h, lParam));
        break;
    case WM_RBUTTONUP:
        Write("RBUTTONUP", ScreenPoint(h, lParam));
        break;
    case WM_MOUSEMOVE:
        if (wParam & MK_RBUTTON) Write("MOVE", ScreenPoint(h, lParam));
        break;
    case WM_CONTEXTMENU:
        Write("CONTEXTMENU",
              POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    int x = 100, y = 100;
    swscanf(commandLine, L"%d %d", &x, &y);
    wchar_t self[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return 2;
    std::wstring path(self, len);
    path.erase(path.find_last_of(L'\\') + 1);
    path += L"mouse.log";
    logFile = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE) return 3;

    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"FgMouseRecorder";
    RegisterClassW(&wc);
    HWND h =
        CreateWindowExW(0, wc.lpszClassName, L"Mouse Recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                        y, 600, 400, nullptr, nullptr, instance, nullptr);
    if (!h) return 4;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    CloseHandle(logFile);
    return 0;
}
