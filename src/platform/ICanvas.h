// Drawing primitives for a canvas: what the program's pictures, the trail and the tooltips draw
// with. The Win32 side draws with GDI; tests record the primitives.
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <vector>

namespace fg {

// A colour as 0x00BBGGRR.
using TColor = std::uint32_t;
constexpr TColor RGB_(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr TColor clBlack = RGB_(0, 0, 0), clWhite = RGB_(255, 255, 255),
                 clAqua = RGB_(0, 255, 255);

enum class PenStyle : std::uint8_t { Solid, Dot };
enum class BrushStyle : std::uint8_t { Solid, Clear };

class ICanvas {
  public:
    virtual ~ICanvas() = default;
    virtual void SetPen(TColor color, int width, PenStyle style) = 0;
    virtual TColor PenColor() = 0;
    virtual void SetBrush(TColor color, BrushStyle style) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0; // the end point itself is not drawn, as in GDI
    virtual TPoint PenPos() = 0;
    // Outline in the pen, inside in the brush; right and bottom exclusive, as in GDI.
    virtual void Rectangle(const TRect& r) = 0;
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    virtual void FillRect(const TRect& r) = 0; // the brush only
    virtual void SetPixel(int x, int y, TColor color) = 0;
    virtual TRect ClipRect() = 0;
};

} // namespace fg
