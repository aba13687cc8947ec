// Small helpers the Windows tests share.
#pragma once

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

} // namespace fg::test
