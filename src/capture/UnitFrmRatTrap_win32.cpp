#include "capture/UnitFrmRatTrap_win32.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

namespace fg {

namespace {
constexpr int kHintLeft = 80, kHintTop = 8, kHintPixels = 15;
constexpr int kDesignedWidth = 640, kDesignedHeight = 480;

HFONT HintFont(int dpi) {
    return ScaledPixelFont(L"Tahoma", kHintPixels, dpi);
}
} // namespace

TFrmRatTrapWindow::TFrmRatTrapWindow(IDesktop& desktop, IInput& input) {
    // Never activated and never on the taskbar; see-through wherever nothing is drawn.
    CreateNative({.className = L"TFrmRatTrap",
                  .caption = L"FrmRatTrap",
                  .style = WS_POPUP,
                  .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED,
                  .x = 0,
                  .y = 0,
                  .clientWidth = kDesignedWidth,
                  .clientHeight = kDesignedHeight});
    surface = std::make_unique<TTrailSurface>(hwnd, kDesignedWidth, kDesignedHeight,
                                              GetSysColor(COLOR_BTNFACE));
    // The logic decides the key colour and hands it to SetKeyColor as it is made.
    logic = std::make_unique<TFrmRatTrap>(desktop, input, this);
}

TFrmRatTrapWindow::~TFrmRatTrapWindow() {
    logic.reset();
}

void TFrmRatTrapWindow::SetKeyColor(TColor key) {
    if (hwnd) SetLayeredWindowAttributes(hwnd, key, 0, LWA_COLORKEY);
    surface->SetBackground(key);
}

void TFrmRatTrapWindow::ShowOverlay() {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFrmRatTrapWindow::HideOverlay() {
    ShowWindow(hwnd, SW_HIDE);
    // The next showing starts from a blank surface anyway; until then the trail's full-screen
    // bitmap would only hold memory.
    surface->Release();
}

void TFrmRatTrapWindow::CoverMonitor(const TRect& monitor) {
    // What maximising a caption-less popup gives: the whole monitor. Done by position and size,
    // because the system's maximise shows the window and activates it.
    SetWindowPos(hwnd, nullptr, monitor.left, monitor.top, monitor.Width(), monitor.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(hwnd, &client);
    surface->Resize(client.right, client.bottom);
}

// The overlay covers a monitor by position and size (CoverMonitor); the system's suggestion would
// only shrink or grow it. The next hint is measured with the new DPI's font.
void TFrmRatTrapWindow::DpiChanged(const RECT&) {}

TPoint TFrmRatTrapWindow::ClientFromScreen(TPoint screen) {
    POINT p{screen.x, screen.y};
    ::ScreenToClient(hwnd, &p);
    return {p.x, p.y};
}

void TFrmRatTrapWindow::SetHintText(const std::wstring& text) {
    InvalidateRect(hwnd, &hintRect, FALSE);
    hint = text;
    hintRect = {Scale(kHintLeft), Scale(kHintTop), Scale(kHintLeft), Scale(kHintTop)};
    HDC dc = tally::GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, HintFont(Dpi()));
    DrawTextW(dc, hint.c_str(), static_cast<int>(hint.size()), &hintRect,
              DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    tally::ReleaseDC(hwnd, dc);
    InvalidateRect(hwnd, &hintRect, FALSE);
}

void TFrmRatTrapWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    surface->CopyTo(dc, ps.rcPaint);
    // The hint lies above the trail, as a label lies above the surface it sits on.
    if (!hint.empty()) {
        FillRect(dc, &hintRect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HGDIOBJ old = SelectObject(dc, HintFont(Dpi()));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        RECT r = hintRect;
        DrawTextW(dc, hint.c_str(), static_cast<int>(hint.size()), &r, DT_NOPREFIX | DT_LEFT);
        SelectObject(dc, old);
    }
    EndPaint(hwnd, &ps);
}

LRESULT TFrmRatTrapWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        if (!surface) break;
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the surface covers every pixel
    case WM_SIZE:
        if (surface) surface->Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    // The release of the gesture button comes here instead of to the program beneath, which
    // must not open its context menu for it.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return 0;
    // Windows tells every top-level window of a new colour scheme; a high-contrast switch is
    // announced as a setting too.
    case WM_SYSCOLORCHANGE:
        if (logic) logic->SysColorChange();
        break;
    case WM_SETTINGCHANGE:
        if (logic && wParam == SPI_SETHIGHCONTRAST) logic->SysColorChange();
        break;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
