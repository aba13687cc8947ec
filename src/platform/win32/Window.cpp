#include "platform/win32/Window.h"

#include "platform/HandlesLog.h"
#include "platform/LogSink.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

#include <set>

namespace fg {

namespace {

bool RegisterOnce(const std::wstring& className, UINT classStyle, WNDPROC proc) {
    static std::set<std::wstring> registered;
    if (registered.count(className)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc)) return false;
    registered.insert(className);
    return true;
}

} // namespace

TWin32Window::~TWin32Window() {
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        tally::DestroyWindow(hwnd);
    }
}

bool TWin32Window::CreateNative(const WindowParams& p) {
    if (!RegisterOnce(p.className, p.classStyle, StaticProc)) {
        LogToSink(L"RegisterClass failed: " + p.className, true);
        return false;
    }
    // A window at the default position opens on the primary monitor.
    const bool placed = p.x != CW_USEDEFAULT && p.y != CW_USEDEFAULT;
    dpi = MonitorDpiAt(placed ? POINT{p.x, p.y} : POINT{0, 0});
    const RECT r =
        WindowRectForClient(Scale(p.clientWidth), Scale(p.clientHeight), p.style, p.exStyle, dpi);
    const HWND created = tally::CreateWindowExW(
        p.exStyle, p.className.c_str(), p.caption.c_str(), p.style & ~WS_VISIBLE, p.x, p.y,
        r.right - r.left, r.bottom - r.top, p.parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!created) {
        LogToSink(L"CreateWindow failed: " + p.className, true);
        return false;
    }
    // The system decides where a default position lands; its monitor may have another DPI.
    if (const int actual = WindowDpi(hwnd); actual != dpi && p.parent != HWND_MESSAGE) {
        dpi = actual;
        const RECT a = WindowRectForClient(Scale(p.clientWidth), Scale(p.clientHeight), p.style,
                                           p.exStyle, dpi);
        SetWindowPos(hwnd, nullptr, 0, 0, a.right - a.left, a.bottom - a.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

LRESULT TWin32Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DPICHANGED) {
        if (HIWORD(wParam) > 0) dpi = HIWORD(wParam);
        DpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TWin32Window::DpiChanged(const RECT& r) {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TWin32Window::StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<TWin32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWin32Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
        return DefWindowProcW(h, msg, wParam, lParam);
    }
    const LRESULT result = Guarded([&] { return self->WndProc(msg, wParam, lParam); }, LRESULT{0});
    if (msg == WM_CLOSE) LogHandles();
    return result;
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) {
    // Owned by the window the user works in, so it stays in front of that window and hands the
    // foreground back to it, not to whatever program was active before.
    HWND owner = GetActiveWindow();
    return MessageBoxW(owner, text.c_str(), caption.c_str(),
                       type | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

void ShowErrorBox(const std::wstring& text) {
    ShowMessageBox(text, L"Farrowglimmer", MB_OK | MB_ICONERROR);
}

} // namespace fg
