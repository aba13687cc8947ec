#include "capture/UnitTrailSurface_win32.h"
#include "platform/win32/Tally.h"

#include <algorithm>

namespace fg {

namespace {

RGBQUAD Quad(COLORREF c) {
    return {GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

// One bit a pixel, its two colours the background and black: a trail needs no others, and a
// full-screen surface is 253 kB at 1920 x 1080 instead of 8 MB. Drawing in another colour takes
// the nearer of the two.
HBITMAP MakeBitmap(int width, int height, COLORREF background) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = std::max(width, 1);
    info.header.biHeight = -std::max(height, 1);
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biClrUsed = 2;
    info.colors[0] = Quad(background);
    info.colors[1] = Quad(RGB(0, 0, 0));
    void* bits = nullptr;
    return tally::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

TTrailSurface::TTrailSurface(HWND target, int w, int h, COLORREF back)
    : window(target), dc(tally::CreateCompatibleDC(nullptr)), background(back), width(w),
      height(h) {
    // One canvas for the surface's life: the pen and its position live in the device context.
    gdi = std::make_unique<TGdiCanvas>(dc, TRect{0, 0, width, height});
}

TTrailSurface::~TTrailSurface() {
    gdi.reset();
    Release();
    tally::DeleteDC(dc);
}

void TTrailSurface::Resize(int w, int h) {
    if (w == width && h == height) return;
    Release();
    width = w;
    height = h;
    InvalidateRect(window, nullptr, FALSE);
}

void TTrailSurface::SetBackground(COLORREF color) {
    if (color == background) return;
    background = color;
    // The bitmap's first colour is the background: changing it repaints every blank pixel and
    // leaves the trail where it is.
    if (bitmap) {
        const RGBQUAD quad = Quad(color);
        SetDIBColorTable(dc, 0, 1, &quad);
    }
    InvalidateRect(window, nullptr, FALSE);
}

void TTrailSurface::Release() {
    if (!bitmap) return;
    SelectObject(dc, firstBitmap);
    tally::DeleteObject(bitmap);
    bitmap = nullptr;
}

void TTrailSurface::Prepare() {
    if (bitmap) return;
    HBITMAP made = MakeBitmap(width, height, background);
    if (!made) return; // the drawing goes nowhere rather than failing
    HGDIOBJ old = SelectObject(dc, made);
    if (!firstBitmap) firstBitmap = old;
    bitmap = made;
    const RECT all{0, 0, width, height};
    HBRUSH brush = tally::CreateSolidBrush(background);
    ::FillRect(dc, &all, brush);
    tally::DeleteObject(brush);
}

void TTrailSurface::CopyTo(HDC target, const RECT& area) const {
    if (!bitmap) {
        HBRUSH brush = tally::CreateSolidBrush(background);
        ::FillRect(target, &area, brush);
        tally::DeleteObject(brush);
        return;
    }
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
           area.left, area.top, SRCCOPY);
}

void TTrailSurface::Touch(int left, int top, int right, int bottom) {
    // Wide pens reach past the line's ends by half their width on every side.
    const int reach = penWidth / 2 + 1;
    const RECT r{left - reach, top - reach, right + reach, bottom + reach};
    InvalidateRect(window, &r, FALSE);
}

void TTrailSurface::SetPen(TColor color, int w, PenStyle style) {
    penWidth = std::max(w, 1);
    gdi->SetPen(color, w, style);
}

void TTrailSurface::LineTo(int x, int y) {
    Prepare();
    const TPoint from = gdi->PenPos();
    gdi->LineTo(x, y);
    Touch(std::min(from.x, x), std::min(from.y, y), std::max(from.x, x) + 1,
          std::max(from.y, y) + 1);
}

void TTrailSurface::Rectangle(const TRect& r) {
    Prepare();
    gdi->Rectangle(r);
    Touch(r.left, r.top, r.right, r.bottom);
}

void TTrailSurface::Polygon(const std::vector<TPoint>& points) {
    Prepare();
    gdi->Polygon(points);
    if (points.empty()) return;
    RECT box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const TPoint& p : points) {
        box.left = std::min<LONG>(box.left, p.x);
        box.top = std::min<LONG>(box.top, p.y);
        box.right = std::max<LONG>(box.right, p.x);
        box.bottom = std::max<LONG>(box.bottom, p.y);
    }
    Touch(box.left, box.top, box.right + 1, box.bottom + 1);
}

void TTrailSurface::FillRect(const TRect& r) {
    // Clearing a surface that has no bitmap changes nothing it shows: the scratchpad clears
    // its drawing area when it is made, and keeps no bitmap until something is drawn.
    const bool clearsAll = r.left <= 0 && r.top <= 0 && r.right >= width && r.bottom >= height;
    const bool blankingBrush = brushSolid && brushColor == background;
    if (bitmap || !blankingBrush || !clearsAll) {
        Prepare();
        gdi->FillRect(r);
    }
    Touch(r.left, r.top, r.right, r.bottom);
}

void TTrailSurface::SetPixel(int x, int y, TColor color) {
    Prepare();
    gdi->SetPixel(x, y, color);
    Touch(x, y, x + 1, y + 1);
}

} // namespace fg
