#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace fg {

TGdiCanvas::TGdiCanvas(HDC target, TRect clipRect)
    : dc(target), clip(clipRect), oldPen(SelectObject(dc, GetStockObject(BLACK_PEN))),
      oldBrush(SelectObject(dc, GetStockObject(WHITE_BRUSH))) {}

TGdiCanvas::~TGdiCanvas() {
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (pen) tally::DeleteObject(pen);
    if (brush) tally::DeleteObject(brush);
}

void TGdiCanvas::SetPen(TColor color, int width, PenStyle style) {
    penColor = color;
    HPEN made = tally::CreatePen(style == PenStyle::Dot ? PS_DOT : PS_SOLID, width, color);
    SelectObject(dc, made);
    if (pen) tally::DeleteObject(pen);
    pen = made;
}

void TGdiCanvas::SetBrush(TColor color, BrushStyle style) {
    brushColor = color;
    brushClear = style == BrushStyle::Clear;
    HBRUSH made = brushClear ? nullptr : tally::CreateSolidBrush(color);
    SelectObject(dc, made ? static_cast<HGDIOBJ>(made) : GetStockObject(NULL_BRUSH));
    if (brush) tally::DeleteObject(brush);
    brush = made;
    // Dotted lines show the brush colour between the dots, as a canvas's do.
    SetBkColor(dc, color);
    SetBkMode(dc, brushClear ? TRANSPARENT : OPAQUE);
}

void TGdiCanvas::MoveTo(int x, int y) {
    MoveToEx(dc, x, y, nullptr);
}

void TGdiCanvas::LineTo(int x, int y) {
    ::LineTo(dc, x, y);
}

TPoint TGdiCanvas::PenPos() {
    POINT p{0, 0};
    GetCurrentPositionEx(dc, &p);
    return {p.x, p.y};
}

void TGdiCanvas::Rectangle(const TRect& r) {
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void TGdiCanvas::Polygon(const std::vector<TPoint>& points) {
    std::vector<POINT> p;
    p.reserve(points.size());
    for (const TPoint& q : points)
        p.push_back({q.x, q.y});
    ::Polygon(dc, p.data(), static_cast<int>(p.size()));
}

void TGdiCanvas::FillRect(const TRect& r) {
    const RECT rc{r.left, r.top, r.right, r.bottom};
    if (brushClear) return;
    HBRUSH b = tally::CreateSolidBrush(brushColor);
    ::FillRect(dc, &rc, b);
    tally::DeleteObject(b);
}

void TGdiCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixel(dc, x, y, color);
}

namespace {

// A picture drawn into a new top-down bitmap of its own size with 24 or 32 bits a pixel; `pixels`
// points at its pixels, row after row.
HBITMAP DrawPicture(const TPicture& picture, WORD bitsPerPixel, void*& pixels) {
    HDC screen = tally::GetDC(nullptr);
    HDC mem = tally::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    pixels = nullptr;
    HBITMAP bitmap = tally::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(mem, bitmap);
        {
            TGdiCanvas canvas(mem, {0, 0, picture.Width, picture.Height});
            picture.DrawOn(canvas);
        }
        GdiFlush();
        SelectObject(mem, old);
    }
    tally::DeleteDC(mem);
    tally::ReleaseDC(nullptr, screen);
    return bitmap;
}

// The key colour as it reads back from a 32-bit DIB (0x00RRGGBB).
std::uint32_t DibColour(TColor c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace

HBITMAP PictureToBitmap(const TPicture& picture) {
    void* pixels = nullptr;
    return DrawPicture(picture, 24, pixels);
}

HBITMAP PictureToAlphaBitmap(const TPicture& picture, TColor transparent) {
    void* pixels = nullptr;
    HBITMAP bitmap = DrawPicture(picture, 32, pixels);
    if (!bitmap || !pixels) return bitmap;
    auto* px = static_cast<std::uint32_t*>(pixels);
    const std::uint32_t key = DibColour(transparent);
    const std::size_t n = static_cast<std::size_t>(picture.Width) * picture.Height;
    for (std::size_t i = 0; i < n; ++i)
        px[i] = (px[i] & 0xFFFFFF) == key ? 0 : (px[i] | 0xFF000000u); // premultiplied
    return bitmap;
}

HICON PictureToIcon(const TPicture& picture, TColor transparent) {
    HBITMAP colour = PictureToAlphaBitmap(picture, transparent);
    if (!colour) return nullptr;
    // The mask is only consulted where the alpha channel is not: set where see-through.
    std::vector<std::uint8_t> maskBits(
        static_cast<std::size_t>((picture.Width + 15) / 16 * 2) * picture.Height, 0);
    HBITMAP mask = tally::CreateBitmap(picture.Width, picture.Height, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = tally::CreateIconIndirect(&info);
    tally::DeleteObject(mask);
    tally::DeleteObject(colour);
    return icon;
}

HIMAGELIST PicturesToImageList(const std::vector<TPicture>& pictures, TColor transparent) {
    if (pictures.empty()) return nullptr;
    const int w = pictures.front().Width, h = pictures.front().Height;
    HIMAGELIST list =
        tally::ImageList_Create(w, h, ILC_COLOR32 | ILC_MASK, static_cast<int>(pictures.size()), 0);
    if (!list) return nullptr;
    for (const TPicture& p : pictures) {
        HBITMAP b = PictureToBitmap(p);
        ImageList_AddMasked(list, b, transparent);
        tally::DeleteObject(b);
    }
    return list;
}

} // namespace fg
