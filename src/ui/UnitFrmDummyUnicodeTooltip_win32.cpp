#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Tally.h"

#include <vector>

namespace fg {

namespace {

UINT TextFlags() {
    UINT flags = DT_VCENTER | DT_NOPREFIX | DT_INTERNAL | DT_MODIFYSTRING;
    DWORD layout = 0;
    if (GetProcessDefaultLayout(&layout) && (layout & LAYOUT_RTL)) flags |= DT_RTLREADING;
    return flags;
}

// The system's hint font, always without style; points 0 keeps the system's size.
HFONT HintFont(int points) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    LOGFONTW lf{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        lf = ncm.lfStatusFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    if (points > 0) {
        HDC screen = tally::GetDC(nullptr);
        lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
        tally::ReleaseDC(nullptr, screen);
    }
    return tally::CreateFontIndirectW(&lf);
}

// A device context with the hint font selected, for measuring and drawing; released with it.
class TFontDc {
  public:
    TFontDc(HDC target, int points)
        : dc(target), font(HintFont(points)), previous(SelectObject(dc, font)) {}
    ~TFontDc() {
        SelectObject(dc, previous);
        tally::DeleteObject(font);
    }
    TFontDc(const TFontDc&) = delete;
    TFontDc& operator=(const TFontDc&) = delete;
    HDC dc;

  private:
    HFONT font;
    HGDIOBJ previous;
};

// DT_MODIFYSTRING may write into the text: it gets a terminated buffer with room to spare.
std::vector<wchar_t> WritableText(const std::wstring& text) {
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.resize(text.size() + 5, L'\0');
    return buffer;
}

RECT ToRect(const TRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

void InstallWin32Tooltips() {
    SetTooltipViewFactory(
        [](TTooltipWindow& tooltip, HWindow owner) -> std::unique_ptr<ITooltipView> {
            return std::make_unique<TTooltipNativeWindow>(tooltip, reinterpret_cast<HWND>(owner));
        });
}

TTooltipNativeWindow::TTooltipNativeWindow(const TTooltipWindow& tip, HWND ownerWindow)
    : tooltip(tip), owner(ownerWindow) {}

TTooltipNativeWindow::~TTooltipNativeWindow() {
    EndContent();
}

TPoint TTooltipNativeWindow::MeasureText(const std::wstring& text, int fontPoints) {
    HDC screen = tally::GetDC(nullptr);
    HDC mem = tally::CreateCompatibleDC(screen);
    RECT r{0, 0, 300, 300};
    {
        TFontDc font(mem, fontPoints);
        std::vector<wchar_t> buffer = WritableText(text);
        DrawTextW(font.dc, buffer.data(), -1, &r, TextFlags() | DT_CALCRECT);
    }
    tally::DeleteDC(mem);
    tally::ReleaseDC(nullptr, screen);
    return {r.right - r.left, r.bottom - r.top};
}

TPoint TTooltipNativeWindow::TextExtent(const std::wstring& text, int fontPoints) {
    HDC screen = tally::GetDC(nullptr);
    HDC mem = tally::CreateCompatibleDC(screen);
    SIZE size{0, 0};
    {
        TFontDc font(mem, fontPoints);
        GetTextExtentPoint32W(font.dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    tally::DeleteDC(mem);
    tally::ReleaseDC(nullptr, screen);
    return {size.cx, size.cy};
}

void TTooltipNativeWindow::ShowAt(const TRect& r) {
    // The rectangle is already in the pixels of the screen: no client size to scale.
    if (!CreateNative({.className = L"TTooltipWindow",
                       .style = WS_POPUP | WS_BORDER,
                       .exStyle = WS_EX_TOOLWINDOW,
                       .classStyle = CS_SAVEBITS | CS_DROPSHADOW,
                       .parent = owner, // a pop-up's "parent" is its owner
                       .x = r.left,
                       .y = r.top}))
        return;
    SetWindowPos(hwnd, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

HDC TTooltipNativeWindow::BeginContent(COLORREF background) {
    EndContent();
    if (!hwnd) return nullptr;
    RECT client{};
    GetClientRect(hwnd, &client);
    contentSize = {client.right, client.bottom};
    HDC screen = tally::GetDC(hwnd);
    contentDc = tally::CreateCompatibleDC(screen);
    content = tally::CreateCompatibleBitmap(screen, contentSize.cx, contentSize.cy);
    tally::ReleaseDC(hwnd, screen);
    previousBitmap = SelectObject(contentDc, content);
    HBRUSH fill = tally::CreateSolidBrush(background);
    FillRect(contentDc, &client, fill);
    tally::DeleteObject(fill);
    return contentDc;
}

void TTooltipNativeWindow::EndContent() {
    if (!contentDc) return;
    SelectObject(contentDc, previousBitmap);
    tally::DeleteObject(content);
    tally::DeleteDC(contentDc);
    contentDc = nullptr;
    content = nullptr;
}

void TTooltipNativeWindow::ShowContent(HDC target) {
    if (contentDc) BitBlt(target, 0, 0, contentSize.cx, contentSize.cy, contentDc, 0, 0, SRCCOPY);
}

void TTooltipNativeWindow::PaintText(const std::wstring& text, const TRect& textRect,
                                     int fontPoints) {
    HDC dc = BeginContent(GetSysColor(COLOR_WINDOW));
    if (!dc) return;
    {
        TFontDc font(dc, fontPoints);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        std::vector<wchar_t> buffer = WritableText(text);
        RECT r = ToRect(textRect);
        DrawTextW(dc, buffer.data(), -1, &r, TextFlags());
    }
    HDC window = tally::GetDC(hwnd);
    ShowContent(window);
    tally::ReleaseDC(hwnd, window);
}

void TTooltipNativeWindow::PaintPicture(const TPicture& pic, const TRect& pictureRect,
                                        const std::wstring& header, int fontPoints) {
    HDC dc = BeginContent(GetSysColor(COLOR_INFOBK));
    if (!dc) return;
    if (HBITMAP bitmap = PictureToBitmap(pic)) {
        HDC source = tally::CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, pictureRect.left, pictureRect.top, pictureRect.Width(), pictureRect.Height(),
                   source, 0, 0, pic.Width, pic.Height, SRCCOPY);
        SelectObject(source, old);
        tally::DeleteDC(source);
        tally::DeleteObject(bitmap);
    }
    if (!header.empty()) {
        TFontDc font(dc, fontPoints);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 0, 0, header.c_str(), static_cast<int>(header.size()));
    }
    HDC window = tally::GetDC(hwnd);
    ShowContent(window);
    tally::ReleaseDC(hwnd, window);
}

bool TTooltipNativeWindow::WindowRect(TRect& r) {
    RECT w{};
    if (!hwnd || !GetWindowRect(hwnd, &w)) return false;
    r = {w.left, w.top, w.right, w.bottom};
    return true;
}

LRESULT TTooltipNativeWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCHITTEST:
        return tooltip.HitTestClient(lParam) ? HTCLIENT : HTNOWHERE;
    case WM_MOUSEACTIVATE: // a click on the tooltip must not take the focus either
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        if (contentDc) return 1;
        {
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_INFOBK));
        }
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        ShowContent(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

TFrmDummyUnicodeTooltipWindow::TFrmDummyUnicodeTooltipWindow() {
    CreateNative({.className = L"TFrmDummyUnicodeTooltip",
                  .caption = L"FrmDummyUnicodeTooltip",
                  .clientWidth = 120,
                  .clientHeight = 40});
    logic = std::make_unique<TFrmDummyUnicodeTooltip>(reinterpret_cast<HWindow>(hwnd));
}

// The owned tooltips lose their windows before this one goes.
TFrmDummyUnicodeTooltipWindow::~TFrmDummyUnicodeTooltipWindow() {
    logic.reset();
}

} // namespace fg
