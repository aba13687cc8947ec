#include "gestures/UnitFrameGestureEdit_win32.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Tally.h"
#include "ui/UnitFlatButton_win32.h"

#include <commctrl.h>

#include <cmath>

namespace fg {

namespace {

using K = ControlKind;

enum : int {
    idLabel1 = 10,
    idTxtGesture,
    idImgPreview = 40,
    idBtnUndo,
    idBtnClear,
    idLabel2,
    idCbxMonitorPos,
};

constexpr int idBtnFirst = 20; // + TDirectionButton

// The arrow grid: three by three buttons without a centre, inside a lowered bevel.
constexpr int kGridX = 8, kGridY = 58, kCell = 44, kGap = 4, kGridMargin = 5;
constexpr int kGridSize = 2 * kGridMargin + 3 * kCell + 2 * kGap;

constexpr int CellX(int col) {
    return kGridX + kGridMargin + col * (kCell + kGap);
}
constexpr int CellY(int row) {
    return kGridY + kGridMargin + row * (kCell + kGap);
}

struct Hint {
    TDirectionButton button;
    const wchar_t* text;
};
constexpr Hint kHints[] = {
    {btnNE, L"NorthEast"}, {btnNW, L"NorthWest"}, {btnSE, L"SouthEast"}, {btnSW, L"SouthWest"}};

// An arrow pointing along the button's stroke, filling most of the square inside.
void DrawArrow(HDC dc, const RECT& inside, TDirectionButton b, bool enabled) {
    // Pointing right, in units of the half size: shaft, then head.
    static constexpr double shape[][2] = {{-0.7, -0.17}, {0.05, -0.17}, {0.05, -0.5}, {0.75, 0.0},
                                          {0.05, 0.5},   {0.05, 0.17},  {-0.7, 0.17}};
    const double angle =
        TMouseMovement::DirectionToAngle(static_cast<TMouseDirection>(b)) * 3.14159265358979 / 180;
    const double cx = (inside.left + inside.right) / 2.0;
    const double cy = (inside.top + inside.bottom) / 2.0;
    const double half = std::min(inside.right - inside.left, inside.bottom - inside.top) * 0.42;
    POINT points[std::size(shape)];
    for (std::size_t i = 0; i < std::size(shape); ++i) {
        const double x = shape[i][0], y = shape[i][1];
        points[i] = {
            static_cast<LONG>(std::lround(cx + half * (x * std::cos(angle) - y * std::sin(angle)))),
            static_cast<LONG>(
                std::lround(cy + half * (x * std::sin(angle) + y * std::cos(angle))))};
    }
    FillPolygon(dc, points, static_cast<int>(std::size(points)),
                enabled ? RGB(0, 0, 128) : GetSysColor(COLOR_GRAYTEXT));
}

} // namespace

TFrameGestureEditPanel::TFrameGestureEditPanel(TFrameGestureEdit& l)
    : TWin32Panel({L"TFrameGestureEdit", kWidth, kHeight}), logic(l) {}

std::vector<ControlRow> TFrameGestureEditPanel::Rows() {
    // An arrow button in the grid's column and row.
    const auto arrow = [this](TDirectionButton b, int col, int row) {
        ControlRow r{idBtnFirst + b, K::OwnerButton, L"",   CellX(col),
                     CellY(row),     kCell,          kCell, akTopLeft};
        r.onClick = [this, b] { logic.DirectionClick(b); };
        return r;
    };
    return {
        {idLabel1, K::Label, L"Mouse Movements", 8, 8, 0, 0, akTopLeft},
        {idTxtGesture, K::Edit, L"", 8, 26, 447, 22, akTopLeft},
        arrow(btnNW, 0, 0),
        arrow(btnUP, 1, 0),
        arrow(btnNE, 2, 0),
        arrow(btnLeft, 0, 1),
        arrow(btnRight, 2, 1),
        arrow(btnSW, 0, 2),
        arrow(btnDown, 1, 2),
        arrow(btnSE, 2, 2),
        {idImgPreview, K::Picture, L"", 172, 58, kGesturePreviewWidth, kGesturePreviewHeight,
         akTopLeft},
        {idBtnUndo, K::Button, L"Undo", 290, 58, 80, 25, akTopLeft,
         [this] { logic.btnUndoClick(); }},
        {idBtnClear, K::Button, L"Clear", 290, 90, 80, 25, akTopLeft,
         [this] { logic.btnClearClick(); }},
        {idLabel2, K::Label, L"Monitor Position", 172, 172, 0, 0, akTopLeft},
        {idCbxMonitorPos, K::ComboList, L"", 172, 190, 150, 140, akTopLeft},
    };
}

TFrameGestureEditPanel::~TFrameGestureEditPanel() {
    logic.SetView(nullptr);
    if (hints) tally::DestroyWindow(hints);
}

void TFrameGestureEditPanel::PanelCreated() {
    SendMessageW(controls.Item(idTxtGesture), EM_SETREADONLY, TRUE, 0);
    HWND combo = controls.Item(idCbxMonitorPos);
    for (const std::wstring& entry : MonitorPosEntries())
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    AddHints();
    logic.SetView(this);
}

void TFrameGestureEditPanel::AddHints() {
    hints =
        tally::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hints) return;
    for (const Hint& h : kHints) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(controls.Item(idBtnFirst + h.button));
        tool.lpszText = const_cast<wchar_t*>(h.text);
        SendMessageW(hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TFrameGestureEditPanel::Mirror() {
    if (!hwnd) return;
    mirroring = true;
    HWND text = controls.Item(idTxtGesture);
    wchar_t shown[512] = {};
    GetWindowTextW(text, shown, static_cast<int>(std::size(shown)));
    if (logic.Text() != shown) SetWindowTextW(text, logic.Text().c_str());
    for (int b = 0; b < kDirectionButtonCount; ++b) {
        HWND button = controls.Item(idBtnFirst + b);
        const auto d = static_cast<TDirectionButton>(b);
        ShowControl(button, logic.ButtonVisible(d));
        // A button that goes grey under the keyboard focus hands it to the text, not to nobody.
        if (!logic.ButtonEnabled(d) && GetFocus() == button) SetFocus(text);
        EnableWindow(button, logic.ButtonEnabled(d));
    }
    SendMessageW(controls.Item(idCbxMonitorPos), CB_SETCURSEL, logic.MonitorPos(), 0);
    InvalidateRect(controls.Item(idImgPreview), nullptr, FALSE);
    mirroring = false;
}

bool TFrameGestureEditPanel::DrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (id == idImgPreview) {
        const RECT& r = item.rcItem;
        const TPicture picture = logic.Preview(PanelDpi());
        TGdiCanvas canvas(item.hDC, {r.left, r.top, r.right, r.bottom});
        picture.DrawOn(canvas);
        return true;
    }
    if (id < idBtnFirst || id >= idBtnFirst + kDirectionButtonCount) return false;
    DrawFlatButton(item, [id](HDC dc, const RECT& inside, bool enabled) {
        DrawArrow(dc, inside, static_cast<TDirectionButton>(id - idBtnFirst), enabled);
    });
    return true;
}

void TFrameGestureEditPanel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT bevel = ScaleRect({kGridX, kGridY, kGridX + kGridSize, kGridY + kGridSize}, PanelDpi());
    DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_RECT);
    EndPaint(hwnd, &ps);
}

LRESULT TFrameGestureEditPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != idCbxMonitorPos || HIWORD(wParam) != CBN_SELCHANGE) break;
        if (!mirroring)
            logic.cbxMonitorPosSelect(
                static_cast<int>(SendMessageW(controls.Item(idCbxMonitorPos), CB_GETCURSEL, 0, 0)));
        return 0;
    case WM_DRAWITEM:
        if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    }
    return TWin32Panel::WndProc(msg, wParam, lParam);
}

} // namespace fg
