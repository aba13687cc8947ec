#include "platform/win32/TableWindow.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

namespace fg {

TTableWindow::~TTableWindow() {
    // The controls go before the font their links are drawn in.
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        tally::DestroyWindow(hwnd);
        hwnd = nullptr;
    }
    if (linkFont) tally::DeleteObject(linkFont);
}

void TTableWindow::CreateControls(std::vector<ControlRow> rows, FontChoice font, int designWidth,
                                  int designHeight, int atDpi) {
    controls.Create(hwnd, std::move(rows), font, designWidth, designHeight, atDpi);
    MakeLinkFont();
}

void TTableWindow::LayOut() {
    RECT r{};
    GetClientRect(hwnd, &r);
    controls.Layout(r.right, r.bottom);
    LaidOut();
}

HFONT TTableWindow::LinkBoldFont(int atDpi) {
    return ScaledFont(controls.Choice().face, controls.Choice().points, atDpi, true);
}

HBRUSH TTableWindow::LinkBackground() {
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TTableWindow::MakeLinkFont() {
    const std::vector<HWND> links = controls.Links();
    if (links.empty()) return;
    LOGFONTW lf{};
    GetObjectW(LinkBoldFont(controls.Dpi()), sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    HFONT old = linkFont;
    linkFont = tally::CreateFontIndirectW(&lf);
    for (HWND link : links)
        InvalidateRect(link, nullptr, TRUE);
    if (old) tally::DeleteObject(old);
}

void TTableWindow::TakeTableDpi(int atDpi) {
    controls.SetDpi(atDpi);
    MakeLinkFont();
}

void TTableWindow::DpiChanged(const RECT& suggested) {
    TakeTableDpi(Dpi());
    DpiTaken();
    TWin32Window::DpiChanged(suggested);
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT TTableWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        controls.Layout(LOWORD(lParam), HIWORD(lParam));
        LaidOut();
        return 0;
    case WM_COMMAND: {
        if (mirroring || HIWORD(wParam) != BN_CLICKED) return 0;
        const int id = LOWORD(wParam);
        if (controls.Click(id)) return 0;
        if (id == IDOK && onEnter) onEnter();
        if (id == IDCANCEL && onEscape) onEscape();
        return 0;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!controls.IsLink(item.hwndItem)) break;
        DrawLink(item, linkFont, LinkBackground());
        return TRUE;
    }
    case WM_SETCURSOR:
        if (!controls.IsLink(reinterpret_cast<HWND>(wParam))) break;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
