// The canvas on a GDI device context: pens and brushes made on demand and released with it.
#pragma once

#include "platform/ICanvas.h"
#include "platform/Picture.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace fg {

class TGdiCanvas : public ICanvas {
  public:
    // Draws on dc, whose drawable area is clip (client coordinates).
    TGdiCanvas(HDC dc, TRect clip);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    void SetPen(TColor color, int width, PenStyle style) override;
    TColor PenColor() override { return penColor; }
    void SetBrush(TColor color, BrushStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    TPoint PenPos() override;
    void Rectangle(const TRect& r) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void FillRect(const TRect& r) override;
    void SetPixel(int x, int y, TColor color) override;
    TRect ClipRect() override { return clip; }

  private:
    HDC dc;
    TRect clip;
    TColor penColor = 0;
    TColor brushColor = 0xFFFFFF;
    bool brushClear = false;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
};

// A picture drawn into a new 24-bit bitmap of its own size (the caller deletes it).
HBITMAP PictureToBitmap(const TPicture& picture);
// The same as a 32-bit bitmap with alpha (premultiplied), see-through where the picture holds
// the key colour: for menu entries.
HBITMAP PictureToAlphaBitmap(const TPicture& picture, TColor transparent);
// An icon of the picture, see-through where it holds the key colour (the caller destroys it).
HICON PictureToIcon(const TPicture& picture, TColor transparent);
// An image list of pictures of one size, see-through where they hold the key colour.
HIMAGELIST PicturesToImageList(const std::vector<TPicture>& pictures, TColor transparent);

} // namespace fg
