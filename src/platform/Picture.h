// A picture the program draws itself, kept as the list of primitives that draw it: portable, exact
// to compare in tests, and replayed onto a real canvas when shown.
#pragma once

#include "platform/ICanvas.h"

#include <string>
#include <vector>

namespace fg {

struct TPictureOp {
    enum class Kind : std::uint8_t { Pen, Brush, MoveTo, LineTo, Rectangle, Polygon, FillRect, Pixel };
    Kind kind;
    TColor color = 0;
    int width = 0;
    std::uint8_t style = 0;
    TRect rect;                // Rectangle, FillRect; MoveTo/LineTo/Pixel use rect.left/top
    std::vector<TPoint> points; // Polygon
    bool operator==(const TPictureOp&) const = default;
};

class TPicture {
  public:
    TPicture() = default;
    TPicture(int w, int h) : Width(w), Height(h) {}
    int Width = 0;
    int Height = 0;
    std::vector<TPictureOp> ops;
    void DrawOn(ICanvas& canvas) const;
};

// A canvas that records what is drawn on it into a picture; it also tracks the pen position.
class TRecordingCanvas : public ICanvas {
  public:
    explicit TRecordingCanvas(TPicture& target) : picture(target) {}
    void SetPen(TColor color, int width, PenStyle style) override;
    TColor PenColor() override { return penColor; }
    void SetBrush(TColor color, BrushStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    TPoint PenPos() override { return pen; }
    void Rectangle(const TRect& r) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void FillRect(const TRect& r) override;
    void SetPixel(int x, int y, TColor color) override;
    TRect ClipRect() override { return {0, 0, picture.Width, picture.Height}; }

  private:
    TPicture& picture;
    TColor penColor = clBlack;
    TPoint pen;
};

} // namespace fg
