#include "platform/win32/Modal.h"

namespace fg {

int TModalLoop::Run(HWND window, HWND owner) {
    if (running || !window) return mrCancel;
    running = true;
    result = mrNone;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG msg;
    while (running && IsWindow(window) && IsWindowVisible(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: end this loop and let the outer one see the quit.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
            if (result == mrNone) result = mrCancel;
            break;
        }
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    running = false;
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (IsWindow(window)) ShowWindow(window, SW_HIDE);
    if (owner && IsWindowVisible(owner)) SetForegroundWindow(owner);
    return result == mrNone ? mrCancel : result;
}

void TModalLoop::End(int r) {
    result = r;
    running = false;
    // Wake the loop if it waits for a message.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

bool DialogKeysHandled(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!top || !IsWindowVisible(top) || !GetWindow(top, GW_CHILD)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(top, &process);
    return process == GetCurrentProcessId() && IsDialogMessageW(top, &msg);
}

void RestoreFocus(HWND window, WPARAM activateState, HWND& remembered, HWND first) {
    if (LOWORD(activateState) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) remembered = focus;
        return;
    }
    const bool usable = remembered && IsChild(window, remembered) && IsWindowVisible(remembered) &&
                        IsWindowEnabled(remembered);
    SetFocus(usable ? remembered : first);
}

} // namespace fg
