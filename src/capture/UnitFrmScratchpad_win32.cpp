#include "capture/UnitFrmScratchpad_win32.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>

namespace fg {

namespace {

constexpr int kPanelHeight = 21;
constexpr int kTitleLeft = 80, kTitleTop = 3;
constexpr COLORREF kFrameColor = RGB(128, 128, 128);
// Activation is handed on after it has completed, not from inside the activation itself.
constexpr UINT kActivated = WM_APP + 1;
// Sent to itself after the pad moved, once the move is complete.
constexpr UINT kCheckMouse = WM_APP + 2;

// The title's buttons: flat, drawn by the pad itself like speed buttons, so pressing one never
// gives the pad the focus (a focused button would lose its click when the pad hands the focus on).
struct PadButton {
    int id;
    RECT rect; // client coordinates at full width, 96-DPI pixels
    const wchar_t* caption;
    const wchar_t* face;
    int pixels;
    const wchar_t* hint;
};

const PadButton kButtons[] = {
    {TFrmScratchPadWindow::btnGestures,
     {200, 1, 229, 19},
     L"1",
     L"Wingdings",
     11,
     L"Edit Gestures"},
    {TFrmScratchPadWindow::btnHelp, {228, 1, 257, 19}, L"?", L"Tahoma", 9, L"Help/Configure"},
};

const PadButton* FindButton(int id) {
    for (const PadButton& b : kButtons)
        if (b.id == id) return &b;
    return nullptr;
}

void PaintButton(HDC dc, const PadButton& b, int dpi, bool hot, bool down) {
    RECT r = ScaleRect(b.rect, dpi);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (down && hot)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot || down)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (down && hot) OffsetRect(&r, 1, 1);
    HGDIOBJ old = SelectObject(dc, ScaledPixelFont(b.face, b.pixels, dpi, true));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, b.caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

} // namespace

TFrmScratchPadWindow::TFrmScratchPadWindow(IDesktop& desktop, IInput& input) {
    CreateNative({.className = L"TFrmScratchPad",
                  .caption = L"FrmScratchPad",
                  .style = WS_POPUP,
                  .exStyle = WS_EX_TOOLWINDOW,
                  .classStyle = CS_SAVEBITS | CS_DROPSHADOW,
                  .parent = GetDesktopWindow(),
                  .x = 0,
                  .y = 0,
                  .clientWidth = TFrmScratchPad::kDesignedWidth,
                  .clientHeight = TFrmScratchPad::kHeight});
    surface = std::make_unique<TTrailSurface>(hwnd, Scale(TFrmScratchPad::kDesignedWidth),
                                              Scale(TFrmScratchPad::kHeight), RGB(255, 255, 255));
    AddHints();
    logic = std::make_unique<TFrmScratchPad>(desktop, input, this);
}

TFrmScratchPadWindow::~TFrmScratchPadWindow() {
    logic.reset();
    if (hints) tally::DestroyWindow(hints);
}

void TFrmScratchPadWindow::AddHints() {
    if (!hwnd) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // The pad is never the active window, so its hints must show regardless. The hint window
    // has no owner: a topmost window owned by the pad keeps Wine from putting the pad itself in
    // the topmost band.
    hints = tally::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!hints) return;
    for (const PadButton& b : kButtons) {
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = hwnd;
        tool.uId = static_cast<UINT_PTR>(b.id);
        tool.rect = ButtonRect(b.id);
        tool.lpszText = const_cast<wchar_t*>(b.hint);
        SendMessageW(hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

RECT TFrmScratchPadWindow::ButtonRect(int id) const {
    const PadButton* b = FindButton(id);
    return b ? ScaleRect(b->rect, Dpi()) : RECT{};
}

void TFrmScratchPadWindow::InvalidateButton(int id) {
    if (!FindButton(id)) return;
    const RECT r = ButtonRect(id);
    InvalidateRect(hwnd, &r, FALSE);
}

// The pad places itself at the primary monitor's right edge in that monitor's pixels; the
// system's suggested rectangle knows nothing of that.
void TFrmScratchPadWindow::DpiChanged(const RECT&) {
    surface->Resize(Scale(TFrmScratchPad::kDesignedWidth), Scale(TFrmScratchPad::kHeight));
    if (hints) {
        for (const PadButton& b : kButtons) {
            TOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.hwnd = hwnd;
            tool.uId = static_cast<UINT_PTR>(b.id);
            tool.rect = ButtonRect(b.id);
            SendMessageW(hints, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (logic) logic->PlaceAgain();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TFrmScratchPadWindow::PlacePad(const TRect& b) {
    SetWindowPos(hwnd, nullptr, b.left, b.top, b.Width(), b.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE); // the frame follows the right edge
    // A pad that moved away from under the cursor has been left, although the mouse did not
    // move; the system may tell much later, after the user has come back.
    PostMessageW(hwnd, kCheckMouse, 0, 0);
}

void TFrmScratchPadWindow::SetTopmost(bool topmost) {
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFrmScratchPadWindow::AddToolWindowStyle() {
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_TOOLWINDOW)) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW);
}

void TFrmScratchPadWindow::ShowPad(bool show) {
    if (!show) tracking = false;
    ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
}

void TFrmScratchPadWindow::EnablePad(bool enable) {
    EnableWindow(hwnd, enable);
}

void TFrmScratchPadWindow::PaintPad(HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    surface->CopyTo(dc, client);

    HBRUSH frame = tally::CreateSolidBrush(kFrameColor);
    FrameRect(dc, &client, frame);
    tally::DeleteObject(frame);

    RECT panel{0, 0, client.right, Scale(kPanelHeight)};
    FillRect(dc, &panel, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &panel, EDGE_ETCHED, BF_RECT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, ScaledFont(L"Tahoma", 8, Dpi()));
    static const wchar_t kTitle[] = L"Gesture Scratchpad";
    TextOutW(dc, Scale(kTitleLeft), Scale(kTitleTop), kTitle,
             static_cast<int>(std::size(kTitle) - 1));
    SelectObject(dc, old);

    for (const PadButton& b : kButtons)
        PaintButton(dc, b, Dpi(), hot == b.id, pressed == b.id);
}

void TFrmScratchPadWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    // Drawn off screen first: the pad is repainted on every hover and would flicker otherwise.
    HDC mem = tally::CreateCompatibleDC(dc);
    HBITMAP bitmap = tally::CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    PaintPad(mem);
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    tally::DeleteObject(bitmap);
    tally::DeleteDC(mem);
    EndPaint(hwnd, &ps);
}

int TFrmScratchPadWindow::ButtonAt(LPARAM lParam) const {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!PtInRect(&client, p)) return idNone;
    // The later button lies on top where the two overlap.
    for (auto it = std::rbegin(kButtons); it != std::rend(kButtons); ++it) {
        const RECT r = ButtonRect(it->id);
        if (PtInRect(&r, p)) return it->id;
    }
    return idNone;
}

void TFrmScratchPadWindow::SetHot(int id) {
    if (id == hot) return;
    for (int changed : {hot, id})
        InvalidateButton(changed);
    hot = id;
}

void TFrmScratchPadWindow::MouseMoved(LPARAM lParam) {
    if (!tracking) {
        WatchLeaving();
        logic->FormMouseEnter();
    }
    SetHot(ButtonAt(lParam));
}

void TFrmScratchPadWindow::WatchLeaving() {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
    tracking = TrackMouseEvent(&t) != FALSE;
}

bool TFrmScratchPadWindow::CursorOverPad() const {
    POINT p{};
    return GetCursorPos(&p) && WindowFromPoint(p) == hwnd;
}

void TFrmScratchPadWindow::MouseLeft() {
    tracking = false;
    SetHot(idNone);
    logic->FormMouseLeave();
}

void TFrmScratchPadWindow::ButtonReleased(LPARAM lParam) {
    const int id = pressed;
    pressed = idNone;
    if (GetCapture() == hwnd) ReleaseCapture();
    InvalidateButton(id);
    if (id == idNone || ButtonAt(lParam) != id) return;
    if (id == btnGestures)
        logic->btnGesturesClick();
    else
        logic->btnHelpClick();
}

LRESULT TFrmScratchPadWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!logic) return TWin32Window::WndProc(msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        MouseMoved(lParam);
        return 0;
    case WM_MOUSELEAVE:
        if (!tracking) return 0;
        tracking = false;
        if (CursorOverPad()) // a late notice of a leaving that was already undone
            WatchLeaving();
        else
            MouseLeft();
        return 0;
    case kCheckMouse:
        if (tracking && !CursorOverPad()) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_CANCEL, hwnd, 0};
            TrackMouseEvent(&t);
            MouseLeft();
        }
        return 0;
    case WM_LBUTTONDOWN:
        pressed = ButtonAt(lParam);
        if (pressed == idNone) return 0;
        SetCapture(hwnd);
        InvalidateButton(pressed);
        return 0;
    case WM_LBUTTONUP:
        ButtonReleased(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd && pressed != idNone) {
            InvalidateButton(pressed);
            pressed = idNone;
        }
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(hwnd, kActivated, 0, 0);
        break;
    case kActivated:
        logic->FormActivate();
        return 0;
    case WM_CLOSE: // the pad lives as long as the program
        return 0;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
