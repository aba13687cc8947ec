#include "app/UnitFrmInstance_win32.h"

namespace fg {

TFrmDummyInstanceWindow::TFrmDummyInstanceWindow() {
    CreateNative({.className = kInstanceClassName,
                  .caption = kInstanceCaption,
                  .clientWidth = 260,
                  .clientHeight = 19});
}

LRESULT TFrmDummyInstanceWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COPYDATA: {
        // The system has copied exactly cbData bytes into this process; read no further.
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (cds) logic.GetDataMessage(cds->cbData ? cds->lpData : nullptr, cds->cbData);
        return TRUE;
    }
    case WM_CLOSE:
        // Asked to close from outside (a task manager): end the program the orderly way.
        PostQuitMessage(0);
        return 0;
    case WM_ENDSESSION:
        if (wParam) PostQuitMessage(0);
        return 0;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
