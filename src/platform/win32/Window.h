// The base of every window of the program: one registered class per window kind, the message
// handler as a virtual function, and the top-level error handler around every message.
#pragma once

#include <windows.h>

#include "platform/Dpi.h"

#include <string>

namespace fg {

class TWin32Window {
  public:
    TWin32Window() = default;
    virtual ~TWin32Window();
    TWin32Window(const TWin32Window&) = delete;
    TWin32Window& operator=(const TWin32Window&) = delete;

    HWND Handle() const { return hwnd; }

    // The DPI the window is laid out for, and a length in 96-DPI pixels at that DPI.
    int Dpi() const { return dpi; }
    int Scale(int px96) const { return ScaleByDpi(px96, dpi); }

  protected:
    // How a window is made, written as one designated initialiser, for example
    // CreateNative({.className = L"TFrmX", .caption = L"X", .clientWidth = 120, .clientHeight =
    // 40}). The client size is in 96-DPI pixels: CreateNative scales it by the DPI of the monitor
    // the window opens on. The position is a screen point and stays as it is.
    struct WindowParams {
        std::wstring className;
        std::wstring caption;
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        UINT classStyle = 0; // applies when the class is first registered
        HWND parent = nullptr;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int clientWidth = 0;
        int clientHeight = 0;
    };
    // Creates the native window, hidden; false (and logged) when the system refuses.
    bool CreateNative(const WindowParams& params);
    // The window moved to a monitor of another DPI, or the scale changed; Dpi() is the new one.
    // By default the window takes the system's suggested rectangle (its WM_SIZE then lays it
    // out); a window with fonts of its own makes them anew first, and a window that places
    // itself does so instead.
    virtual void DpiChanged(const RECT& suggested);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;

  private:
    int dpi = kDesignDpi;
    static LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A message box owned by the program's active window, if it has one; answers the button pressed.
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type);
// Shows what ended an operation in a message box; the program goes on.
void ShowErrorBox(const std::wstring& text);

// Runs one dispatch under the top-level handler: errors that escape it are shown, never fatal.
template <typename F> auto Guarded(F&& f, decltype(f()) fallback) -> decltype(f());

} // namespace fg

#include "platform/win32/WindowGuard.inl"
