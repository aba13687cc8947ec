#include "ui/UnitFrmAbout_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Modal.h"
#include "platform/win32/Tally.h"
#include "ui/UnitPopupIcons.h"

namespace fg {

namespace {

constexpr int kClientWidth = 308;
constexpr int kClientHeight = 170;
constexpr int kPictureSize = 32;
constexpr int kFontPx = 11;

enum : int {
    idImage1 = 10,
    idLabel1,
    idLabel4,
    idLblVersion,
    idLblBuild,
    idLblURL,
    idLabel3,
    idButton1 = IDCANCEL,
};

} // namespace

TFrmAboutWindow::TFrmAboutWindow() {
    if (CreateNative({.className = L"TFrmAbout",
                      .caption = L"About ",
                      // No system menu: no caption buttons.
                      .style = WS_CAPTION | WS_POPUP,
                      .exStyle = WS_EX_CONTROLPARENT,
                      .parent = GetDesktopWindow(),
                      .x = 0,
                      .y = 0,
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight})) {
        CreateControls(Rows(), {L"Verdana", 8}, kClientWidth, kClientHeight, Dpi());
        SendMessageW(controls.Item(idButton1), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
        DpiTaken();
    }
    logic = std::make_unique<TFrmAbout>(hwnd ? this : nullptr);
    logic->FormCreate();
    // Enter: on the link it opens the address, anywhere else it closes.
    onEnter = [this] { logic->FormKeyUp(VK_RETURN); };
}

TFrmAboutWindow::~TFrmAboutWindow() {
    if (hwnd) {
        tally::DestroyWindow(hwnd); // before the picture it shows
    }
    if (picture) tally::DestroyIcon(picture);
}

std::vector<ControlRow> TFrmAboutWindow::Rows() {
    using K = ControlKind;
    return {
        {idImage1, K::Picture, L"", 8, 16, 41, 37, akTopLeft},
        {idLabel1, K::Label, L"Farrowglimmer", 60, 16, 200, 15, akTopLeft},
        {idLabel4, K::Label, L"Version:", 60, 32, 57, 15, akTopLeft},
        {idLblVersion, K::Label, L"", 118, 32, 40, 15, akTopLeft},
        {idLblBuild, K::Label, L"", 159, 32, 140, 15, akTopLeft},
        {idLblURL, K::HotLink, kAboutURL, 48, 64, 256, 17, akTopLeft,
         [this] { logic->lblURLClick(); }},
        {idLabel3, K::Label,
         L"Got an idea for improvement, a bug to report, or want to donate? Click on the above "
         L"link.",
         48, 88, 214, 42, akTopLeft},
        // Escape and the button are one command: both close.
        {idButton1, K::Button, L"Close", 228, 132, 57, 25, akTopLeft,
         [this] { logic->Button1Click(); }},
    };
}

HFONT TFrmAboutWindow::LinkBoldFont(int atDpi) {
    return ScaledPixelFont(L"Verdana", kFontPx, atDpi, true);
}

void TFrmAboutWindow::DpiTaken() {
    const HFONT bold = ScaledPixelFont(L"Verdana", kFontPx, Dpi(), true);
    for (int id : {idLabel1, idLabel4, idLblVersion, idLblBuild})
        SendMessageW(controls.Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
    HICON oldPicture = picture;
    picture = PictureToIcon(TrayIconPicture(false, Scale(kPictureSize)), kIconTransparent);
    if (oldPicture) tally::DestroyIcon(oldPicture);
}

void TFrmAboutWindow::Mirror() {
    if (!hwnd || !logic) return;
    SetWindowTextW(controls.Item(idLblVersion), logic->lblVersion().c_str());
    SetWindowTextW(controls.Item(idLblBuild), logic->lblBuild().c_str());
}

bool TFrmAboutWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

void TFrmAboutWindow::Show() {
    if (!hwnd) return;
    if (!IsWindowVisible(hwnd)) CenterOnMonitor(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(controls.Item(idButton1));
}

void TFrmAboutWindow::Hide() {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

void TFrmAboutWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const int size = Scale(kPictureSize);
    DrawIconEx(item.hDC, r.left + (r.right - r.left - size) / 2,
               r.top + (r.bottom - r.top - size) / 2, picture, size, size, 0, nullptr, DI_NORMAL);
}

LRESULT TFrmAboutWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        if (logic) logic->Button1Click();
        return 0;
    case WM_DRAWITEM:
        if (wParam != idImage1) break;
        DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        RestoreFocus(hwnd, wParam, lastFocus, controls.Item(idButton1));
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
