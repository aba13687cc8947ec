// Small helpers the Windows tests share.
#pragma once

#include "app/UnitFocusManager.h"
#include "platform/Types.h"

#include <windows.h>

namespace fg::test {

inline HWindow H(HWND h) {
    return reinterpret_cast<HWindow>(h);
}

// Lets the test thread's windows handle their messages for about `ms` milliseconds.
inline void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

// A program of the test's own: a plain top-level window at (100, 100) whose messages go to
// `proc`. Activate shows it in the foreground.
class ForegroundTestWindow {
  public:
    ForegroundTestWindow(const wchar_t* className, int width, int height,
                         WNDPROC proc = DefWindowProcW) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = className;
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW, 100, 100, width,
                               height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ForegroundTestWindow() { DestroyWindow(hwnd); }
    ForegroundTestWindow(const ForegroundTestWindow&) = delete;
    ForegroundTestWindow& operator=(const ForegroundTestWindow&) = delete;

    // Shows it, gives it the foreground (and `focus` the keyboard focus) and lets it settle.
    void Activate(HWND focus = nullptr) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        TFocusManager::ForceForeground(H(hwnd));
        if (focus) SetFocus(focus);
        PumpFor(50);
    }

    HWND hwnd = nullptr;
};

} // namespace fg::test
