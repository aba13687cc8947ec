#include "ui/UnitFrameProgramEdit_win32.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"
#include "ui/UnitFlatButton_win32.h"

#include <vector>

namespace fg {

namespace {

using K = ControlKind;

std::wstring TextOf(HWND h) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetTextIfChanged(HWND h, const std::wstring& text) {
    if (TextOf(h) != text) SetWindowTextW(h, text.c_str());
}

// A small folder, the sign that the button looks for a file.
void DrawFolder(HDC dc, int left, int top, int unit, bool enabled) {
    const COLORREF fill = enabled ? RGB(240, 200, 80) : GetSysColor(COLOR_BTNFACE);
    const COLORREF edge = enabled ? RGB(120, 90, 20) : GetSysColor(COLOR_GRAYTEXT);
    const POINT shape[] = {{left, top + unit},
                           {left + 5 * unit, top + unit},
                           {left + 6 * unit, top + 2 * unit},
                           {left + 12 * unit, top + 2 * unit},
                           {left + 12 * unit, top + 10 * unit},
                           {left, top + 10 * unit}};
    HBRUSH brush = tally::CreateSolidBrush(fill);
    HPEN pen = tally::CreatePen(PS_SOLID, unit, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, shape, static_cast<int>(std::size(shape)));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    tally::DeleteObject(brush);
    tally::DeleteObject(pen);
}

} // namespace

TFrameProgramEditPanel::TFrameProgramEditPanel(TFrameProgramEdit& l)
    : TWin32Panel({L"TFrameProgramEdit", kWidth, kHeight}), logic(l) {}

std::vector<ControlRow> TFrameProgramEditPanel::Rows() {
    return {
        {idLblProgram, K::Label, L"Program or File", 8, 8, 0, 0, akTopLeft},
        {idTxtProgram, K::Edit, L"", 8, 26, 300, 22, akTopLeft},
        {idSpeedButton1, K::OwnerButton, L"Browse", 316, 25, 87, 24, akTopLeft,
         [this] { logic.SpeedButton1Click(); }},
        {idLblParam, K::Label, L"Optional Parameters", 8, 58, 0, 0, akTopLeft},
        {idTxtParam, K::Edit, L"", 8, 76, 395, 22, akTopLeft},
    };
}

TFrameProgramEditPanel::~TFrameProgramEditPanel() {
    logic.SetView(nullptr);
}

void TFrameProgramEditPanel::PanelCreated() {
    logic.SetView(this);
}

void TFrameProgramEditPanel::Mirror() {
    if (!hwnd) return;
    mirroring = true;
    SetTextIfChanged(controls.Item(idTxtProgram), logic.Program());
    SetTextIfChanged(controls.Item(idTxtParam), logic.Param());
    mirroring = false;
}

void TFrameProgramEditPanel::Changed(int id) {
    if (id == idTxtProgram) logic.txtProgramChange(TextOf(controls.Item(id)));
    if (id == idTxtParam) logic.txtParamChange(TextOf(controls.Item(id)));
}

void TFrameProgramEditPanel::DrawBrowse(const DRAWITEMSTRUCT& item) {
    const int at = PanelDpi();
    HFONT font = controls.Font();
    DrawFlatButton(item, [&](HDC dc, const RECT& inside, bool enabled) {
        const int unit = std::max(1, ScaleByDpi(1, at));
        const int glyph = 12 * unit;
        RECT text = inside;
        text.right -= glyph + ScaleByDpi(6, at);
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextW(dc, L"Browse", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        const int top = (inside.top + inside.bottom) / 2 - 6 * unit;
        DrawFolder(dc, text.right, top, unit, enabled);
    });
}

LRESULT TFrameProgramEditPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != EN_CHANGE) break;
        if (!mirroring) Changed(LOWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        if (wParam == idSpeedButton1) {
            DrawBrowse(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    }
    return TWin32Panel::WndProc(msg, wParam, lParam);
}

} // namespace fg
