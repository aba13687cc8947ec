#include "ui/UnitFrmWelcome_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Modal.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>

#include <utility>

namespace fg {

namespace {

constexpr int kClientWidth = 840;
constexpr int kClientHeight = 373;
constexpr int kBandWidth = 137;
constexpr COLORREF kBandGrey = RGB(128, 128, 128);
constexpr COLORREF kCream = RGB(255, 251, 240);
constexpr int kBodyFontPx = 13;
constexpr int kLinkFontPx = 11;

// Control ids: page p holds 1000 + 100 p upwards; the tab control belongs to none.
enum : int {
    idTabs = 10,
    idGettingStartedText = 1001,
    idPopupText = 1101,
    idLblConfigureHotkey,
    idLabel9 = 1201,
    idLblCreateExampleGesture,
    idLblHowToGesture,
    idPermanentText = 1301,
    idLblEditGestures,
};

constexpr int PageOfId(int id) {
    return id >= 1000 ? (id - 1000) / 100 : -1;
}

constexpr const wchar_t* kTabCaptions[kWelcomePageCount] = {
    L"  Getting Started  ", L"  Performing Mouse Gestures  ", L"  Example Gesture   ",
    L"  Gesture Actions  "};

// A page's own point 0,0 lies inside the tab control (at 143,8) below its row of tabs.
constexpr int kPageX = 147;
constexpr int kPageY = 32;

bool Shows(int id, const TfrmWelcome& w) {
    const int page = PageOfId(id);
    if (page < 0) return true;
    if (id == idLblHowToGesture) return page == w.Page() && w.HowToVisible();
    return page == w.Page();
}

// The band's upward arrow, in 96-DPI pixels of the client area.
constexpr POINT kArrow[] = {{68, 189}, {117, 240}, {86, 240}, {86, 296},
                            {50, 296}, {50, 240},  {20, 240}};

// The colour the tab control fills its pages with (a theme may make it other than the dialog's):
// the pages' texts lie over it as siblings and paint their background in it.
COLORREF PageColour(HWND tabs) {
    RECT r{};
    GetClientRect(tabs, &r);
    if (r.right <= 0 || r.bottom <= 0) return GetSysColor(COLOR_BTNFACE);
    HDC screen = tally::GetDC(tabs);
    HDC dc = tally::CreateCompatibleDC(screen);
    HBITMAP bitmap = tally::CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour = GetPixel(dc, r.right / 2, r.bottom * 3 / 4);
    SelectObject(dc, old);
    tally::DeleteObject(bitmap);
    tally::DeleteDC(dc);
    tally::ReleaseDC(tabs, screen);
    return colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
}

} // namespace

TfrmWelcomeWindow::TfrmWelcomeWindow(TWelcomeParts parts) {
    if (CreateNative({.className = L"TfrmWelcome",
                      .caption = L"Farrowglimmer - Welcome",
                      .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      .exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
                      .parent = GetDesktopWindow(),
                      .x = 0,
                      .y = 0,
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight})) {
        CreateControls(Rows(), {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
        MakeTabs();
        DpiTaken();
    }
    logic = std::make_unique<TfrmWelcome>(hwnd ? this : nullptr, std::move(parts));
    logic->FormCreate();
    onEscape = [this] { logic->FormClose(); };
}

TfrmWelcomeWindow::~TfrmWelcomeWindow() {
    if (hwnd) {
        tally::DestroyWindow(hwnd); // before the fonts and the brush it paints with
    }
    if (letteringFont) tally::DeleteObject(letteringFont);
    ForgetPageBrush();
}

// The pages' controls come first so that they lie above the tab control, which comes last.
std::vector<ControlRow> TfrmWelcomeWindow::Rows() {
    using K = ControlKind;
    return {
        {idGettingStartedText, K::Label,
         L"Farrowglimmer does not have a main window. You main interact with the program by "
         L"performing mouse gestures. \r\n\r\nThis quick tutorial will teach you about using "
         L"Mouse Gestures and what actions they can perform.\r\n\r\n\r\n\r\n\r\nNOTE: The "
         L"System Tray icon for Farrowglimmer is used to configure the program or create new "
         L"gestures.",
         kPageX + 39, kPageY + 32, 620, 290, akTopLeft},

        {idPopupText, K::Label,
         L"Mouse Gestures are performed by holding the Right Mouse button and moving the mouse to "
         L"make a shape. The \"motions\" are typically a combination of cardinal directions: Up, "
         L"Down, Left, Right.\r\n\r\n\r\n\r\nNOTE:  Mouse Gestures are drawn to the screen "
         L"using one of two methods. By default, the entire screen is used and this is the "
         L"recommened method. There is an optional \"Scratchpad\" window that uses a small "
         L"dedicated window to draw on.",
         kPageX + 39, kPageY + 32, 620, 200, akTopLeft},
        {idLblConfigureHotkey, K::HotLink, L"Configure Gesture Drawing mode", kPageX + 39,
         kPageY + 241, 230, 18, akTopLeft, [this] { logic->lblConfigureHotkeyClick(); }},

        {idLabel9, K::Label,
         L"Click the link below to create a gesture to open the Configuration window.\r\n",
         kPageX + 39, kPageY + 32, 620, 20, akTopLeft},
        {idLblCreateExampleGesture, K::HotLink, L"Create [TOP]+DOWN gesture", kPageX + 39,
         kPageY + 60, 200, 18, akTopLeft, [this] { logic->lblCreateExampleGestureClick(); }},
        {idLblHowToGesture, K::Label,
         L"To execute this gesture:  \r\n - move your mouse to the top of your monitor.\r\n - "
         L"hold the Right Mouse Button\r\n - move the mouse down\r\n - release the Right Mouse "
         L"Button\r\n\r\n",
         kPageX + 39, kPageY + 104, 620, 120, akTopLeft},

        {idPermanentText, K::Label,
         L"The main actions performed by Gestures are: simulating keystrokes combinations, "
         L"running files/programs. \r\n\r\nFor example, you can define a gesture that will "
         L"close the current tab in your browser. You can create an \"L\" shape gesture "
         L"(DOWN+RIGHT) that performs the keystroke CTRL+W. This keyboard shortcut will close the "
         L"current tab in many web browsers.\r\n\r\n",
         kPageX + 39, kPageY + 32, 620, 175, akTopLeft},
        {idLblEditGestures, K::HotLink, L"Edit Gestures", kPageX + 39, kPageY + 215, 110, 18,
         akTopLeft, [this] { logic->lblEditGesturesClick(); }},

        {idTabs, K::Tabs, L"", 143, 8, 689, 357, akAll},
    };
}

void TfrmWelcomeWindow::MakeTabs() {
    HWND tabs = controls.Item(idTabs);
    for (int i = 0; i < kWelcomePageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabCaptions[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void TfrmWelcomeWindow::DpiTaken() {
    const HFONT body = ScaledPixelFont(L"Tahoma", kBodyFontPx, Dpi());
    for (int id : {idGettingStartedText, idPopupText, idLabel9, idLblHowToGesture, idPermanentText})
        SendMessageW(controls.Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(body), TRUE);

    LOGFONTW lf{};
    GetObjectW(ScaledPixelFont(L"Tahoma", 24, Dpi(), true), sizeof lf, &lf);
    HFONT oldLettering = letteringFont;
    letteringFont = tally::CreateFontIndirectW(&lf);
    if (oldLettering) tally::DeleteObject(oldLettering);
}

HFONT TfrmWelcomeWindow::LinkBoldFont(int atDpi) {
    return ScaledPixelFont(L"Tahoma", kLinkFontPx, atDpi, true);
}

void TfrmWelcomeWindow::Mirror() {
    if (!hwnd || !logic) return;
    SendMessageW(controls.Item(idTabs), TCM_SETCURSEL, logic->Page(), 0);
    HWND example = controls.Item(idLblCreateExampleGesture);
    // A link greyed while it has the focus hands the focus on, so the keys still go somewhere.
    if (!logic->ExampleLinkEnabled() && GetFocus() == example) SetFocus(controls.Item(idTabs));
    EnableWindow(example, logic->ExampleLinkEnabled());
    controls.ShowWhere([this](int id) { return Shows(id, *logic); });
}

bool TfrmWelcomeWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

void TfrmWelcomeWindow::Show() {
    if (!hwnd) return;
    CenterOnMonitor(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(controls.Item(idTabs));
}

void TfrmWelcomeWindow::Hide() {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

HBRUSH TfrmWelcomeWindow::PageBrush() {
    if (!pageBrush) pageBrush = tally::CreateSolidBrush(PageColour(controls.Item(idTabs)));
    return pageBrush;
}

void TfrmWelcomeWindow::ForgetPageBrush() {
    if (pageBrush) tally::DeleteObject(pageBrush);
    pageBrush = nullptr;
}

void TfrmWelcomeWindow::PaintBand(HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT band{0, 0, Scale(kBandWidth), client.bottom};
    HBRUSH grey = tally::CreateSolidBrush(kBandGrey);
    FillRect(dc, &band, grey);
    tally::DeleteObject(grey);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kCream);
    HGDIOBJ oldFont = SelectObject(dc, letteringFont);
    RECT first{0, Scale(40), band.right, Scale(72)};
    RECT second{0, Scale(70), band.right, Scale(102)};
    DrawTextW(dc, L"Farrow", -1, &first, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, L"glimmer", -1, &second, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    POINT arrow[std::size(kArrow)];
    for (std::size_t i = 0; i < std::size(kArrow); ++i)
        arrow[i] = {Scale(kArrow[i].x), Scale(kArrow[i].y)};
    HBRUSH cream = tally::CreateSolidBrush(kCream);
    HGDIOBJ oldBrush = SelectObject(dc, cream);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, static_cast<int>(std::size(arrow)));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    tally::DeleteObject(cream);
}

LRESULT TfrmWelcomeWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE: // the window lives until the program ends: closing only hides it
        if (logic) logic->FormClose();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintBand(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NOTIFY: {
        const auto* n = reinterpret_cast<const NMHDR*>(lParam);
        if (logic && n->idFrom == idTabs && n->code == TCN_SELCHANGE)
            logic->pcHelpChange(
                static_cast<int>(SendMessageW(controls.Item(idTabs), TCM_GETCURSEL, 0, 0)));
        break;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(PageBrush());
    }
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        ForgetPageBrush();
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_ACTIVATE:
        RestoreFocus(hwnd, wParam, lastFocus, controls.Item(idTabs));
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
