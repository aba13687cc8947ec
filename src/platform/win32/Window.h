// The base of every window of the program: one registered class per window kind, the message
// handler as a virtual function, and the top-level error handler around every message.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace fg {

class TWin32Window {
  public:
    TWin32Window() = default;
    virtual ~TWin32Window();
    TWin32Window(const TWin32Window&) = delete;
    TWin32Window& operator=(const TWin32Window&) = delete;

    HWND Handle() const { return hwnd; }

  protected:
    struct CreateParams {
        std::wstring className;
        std::wstring caption;
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int clientWidth = 0;
        int clientHeight = 0;
        HWND parent = nullptr;
        UINT classStyle = 0; // applies when the class is first registered
    };
    // The parameters of a plain top-level window of a class, caption and client size.
    static CreateParams Plain(std::wstring className, std::wstring caption, int clientWidth,
                              int clientHeight) {
        CreateParams p;
        p.className = std::move(className);
        p.caption = std::move(caption);
        p.clientWidth = clientWidth;
        p.clientHeight = clientHeight;
        return p;
    }
    // Creates the native window, hidden; false (and logged) when the system refuses.
    bool CreateNative(const CreateParams& params);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;

  private:
    static LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Shows what ended an operation in a message box; the program goes on.
void ShowErrorBox(const std::wstring& text);

// Runs one dispatch under the top-level handler: errors that escape it are shown, never fatal.
template <typename F> auto Guarded(F&& f, decltype(f()) fallback) -> decltype(f());

} // namespace fg

#include "platform/win32/WindowGuard.inl"
