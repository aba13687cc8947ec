#include "gestures/UnitFrmGestures_win32.h"

namespace fg {

namespace {
constexpr UINT kRunCallable = WM_APP + 0x47;
}

TMainThreadWindow::TMainThreadWindow() {
    CreateNative(
        {.className = L"Farrowglimmer.MainThreadCall", .style = 0, .parent = HWND_MESSAGE});
}

TMainThreadCall TMainThreadWindow::Caller() const {
    const HWND target = hwnd;
    return [target](const std::function<void()>& f) {
        if (target) SendMessageW(target, kRunCallable, 0, reinterpret_cast<LPARAM>(&f));
    };
}

LRESULT TMainThreadWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunCallable) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
