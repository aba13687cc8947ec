#include "platform/win32/GdiCanvas.h"

namespace fg {

TGdiCanvas::TGdiCanvas(HDC target, TRect clipRect)
    : dc(target), clip(clipRect), oldPen(SelectObject(dc, GetStockObject(BLACK_PEN))),
      oldBrush(SelectObject(dc, GetStockObject(WHITE_BRUSH))) {}

TGdiCanvas::~TGdiCanvas() {
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (pen) DeleteObject(pen);
    if (brush) DeleteObject(brush);
}

void TGdiCanvas::SetPen(TColor color, int width, PenStyle style) {
    penColor = color;
    HPEN made = CreatePen(style == PenStyle::Dot ? PS_DOT : PS_SOLID, width, color);
    SelectObject(dc, made);
    if (pen) DeleteObject(pen);
    pen = made;
}

void TGdiCanvas::SetBrush(TColor color, BrushStyle style) {
    brushColor = color;
    brushClear = style == BrushStyle::Clear;
    HBRUSH made = brushClear ? nullptr : CreateSolidBrush(color);
    SelectObject(dc, made ? static_cast<HGDIOBJ>(made) : GetStockObject(NULL_BRUSH));
    if (brush) DeleteObject(brush);
    brush = made;
    // Dotted lines show the brush colour between the dots, as a canvas's do.
    SetBkColor(dc, color);
    SetBkMode(dc, brushClear ? TRANSPARENT : OPAQUE);
}

void TGdiCanvas::MoveTo(int x, int y) { MoveToEx(dc, x, y, nullptr); }

void TGdiCanvas::LineTo(int x, int y) { ::LineTo(dc, x, y); }

TPoint TGdiCanvas::PenPos() {
    POINT p{0, 0};
    GetCurrentPositionEx(dc, &p);
    return {p.x, p.y};
}

void TGdiCanvas::Rectangle(const TRect& r) { ::Rectangle(dc, r.left, r.top, r.right, r.bottom); }

void TGdiCanvas::Polygon(const std::vector<TPoint>& points) {
    std::vector<POINT> p;
    p.reserve(points.size());
    for (const TPoint& q : points) p.push_back({q.x, q.y});
    ::Polygon(dc, p.data(), static_cast<int>(p.size()));
}

void TGdiCanvas::FillRect(const TRect& r) {
    const RECT rc{r.left, r.top, r.right, r.bottom};
    if (brushClear) return;
    HBRUSH b = CreateSolidBrush(brushColor);
    ::FillRect(dc, &rc, b);
    DeleteObject(b);
}

void TGdiCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(dc, x, y, color); }

HBITMAP PictureToBitmap(const TPicture& picture) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(mem, bitmap);
        {
            TGdiCanvas canvas(mem, {0, 0, picture.Width, picture.Height});
            picture.DrawOn(canvas);
        }
        SelectObject(mem, old);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace fg
