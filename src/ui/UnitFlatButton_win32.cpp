#include "ui/UnitFlatButton_win32.h"
#include "platform/win32/Tally.h"

namespace fg {

void DrawFlatButton(const DRAWITEMSTRUCT& item,
                    const std::function<void(HDC, const RECT&, bool)>& content) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    RECT inside = r;
    InflateRect(&inside, -2, -2);
    if (pressed) OffsetRect(&inside, 1, 1);
    content(dc, inside, enabled);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void FillPolygon(HDC dc, const POINT* points, int count, COLORREF color) {
    HBRUSH brush = tally::CreateSolidBrush(color);
    HPEN pen = tally::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points, count);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    tally::DeleteObject(brush);
    tally::DeleteObject(pen);
}

} // namespace fg
