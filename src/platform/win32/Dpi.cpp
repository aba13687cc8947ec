#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

#include <map>
#include <string>
#include <tuple>

namespace fg {

namespace {

template <typename F> F UserFunction(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

GetDpiForMonitorFn MonitorDpiFunction() {
    static const GetDpiForMonitorFn f = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll"); // kept loaded: asked at every gesture
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void (*)()>(
                            GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return f;
}

int MonitorDpi(HMONITOR monitor) {
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    if (GetDpiForMonitorFn f = MonitorDpiFunction();
        f && monitor && SUCCEEDED(f(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

HFONT MakeFont(const wchar_t* face, int height, bool bold) {
    return tally::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// Fonts by face, height in pixels (negative: character height) and weight.
HFONT CachedFont(const wchar_t* face, int height, bool bold) {
    static std::map<std::tuple<std::wstring, int, bool>, HFONT> fonts;
    HFONT& font = fonts[{face, height, bold}];
    if (!font) font = MakeFont(face, height, bold);
    return font;
}

} // namespace

int SystemDpi() {
    HDC screen = tally::GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) tally::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND h) {
    static const auto getDpiForWindow = UserFunction<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && h)
        if (const UINT dpi = getDpiForWindow(h)) return static_cast<int>(dpi);
    return h ? MonitorDpi(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST)) : SystemDpi();
}

int MonitorDpiAt(POINT p) {
    return MonitorDpi(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = UserFunction<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return r;
}

HFONT ScaledFont(const wchar_t* face, int points, int dpi, bool bold) {
    return CachedFont(face, -MulDiv(points, dpi, 72), bold);
}

HFONT ScaledPixelFont(const wchar_t* face, int px96, int dpi, bool bold) {
    return CachedFont(face, -ScaleByDpi(px96, dpi), bold);
}

RECT ScaleRect(const RECT& r, int dpi) {
    return {ScaleByDpi(r.left, dpi), ScaleByDpi(r.top, dpi), ScaleByDpi(r.right, dpi),
            ScaleByDpi(r.bottom, dpi)};
}

} // namespace fg
