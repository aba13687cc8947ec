// What the trail windows draw on: a bitmap of their own that keeps the trail across repaints, with
// a canvas that marks the window dirty wherever it draws. The bitmap is made by the first drawing
// and can be given back (Release) while nothing is drawn, and holds two colours, the background
// and black, at one bit a pixel: 253 kB for a 1920 x 1080 screen.
#pragma once

#include "platform/ICanvas.h"
#include "platform/win32/GdiCanvas.h"

#include <windows.h>

#include <memory>

namespace fg {

class TTrailSurface : public ICanvas {
  public:
    TTrailSurface(HWND window, int width, int height, COLORREF background);
    ~TTrailSurface() override;
    TTrailSurface(const TTrailSurface&) = delete;
    TTrailSurface& operator=(const TTrailSurface&) = delete;

    // A new size starts out in the background colour; the pen, the brush and the pen's position
    // stay, as the trail's owner expects of one lasting surface.
    void Resize(int width, int height);
    // The blank parts turn the new colour at once; what is drawn in black stays.
    void SetBackground(COLORREF color);
    // Gives the bitmap back; the surface reads as the background colour until the next drawing.
    // The pen, the brush and the pen's position stay.
    void Release();
    // Copies the surface's part under area (client coordinates) onto dc.
    void CopyTo(HDC dc, const RECT& area) const;
    COLORREF PixelAt(int x, int y) const { return bitmap ? ::GetPixel(dc, x, y) : background; }
    HBITMAP Bitmap() const { return bitmap; }
    int Width() const { return width; }
    int Height() const { return height; }

    void SetPen(TColor color, int width, PenStyle style) override;
    TColor PenColor() override { return gdi->PenColor(); }
    void SetBrush(TColor color, BrushStyle style) override {
        brushColor = color;
        brushSolid = style == BrushStyle::Solid;
        gdi->SetBrush(color, style);
    }
    void MoveTo(int x, int y) override { gdi->MoveTo(x, y); }
    void LineTo(int x, int y) override;
    TPoint PenPos() override { return gdi->PenPos(); }
    void Rectangle(const TRect& r) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void FillRect(const TRect& r) override;
    void SetPixel(int x, int y, TColor color) override;
    TRect ClipRect() override { return {0, 0, width, height}; }

  private:
    // Makes the bitmap, in the background colour, before the first drawing on it.
    void Prepare();
    void Touch(int left, int top, int right, int bottom);

    HWND window;
    HDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ firstBitmap = nullptr;
    COLORREF background;
    int width = 0;
    int height = 0;
    int penWidth = 1;
    TColor brushColor = 0;
    bool brushSolid = false;
    std::unique_ptr<TGdiCanvas> gdi;
};

} // namespace fg
