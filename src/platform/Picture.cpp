#include "platform/Picture.h"

namespace fg {

using Kind = TPictureOp::Kind;

void TPicture::DrawOn(ICanvas& canvas) const {
    for (const TPictureOp& op : ops) {
        switch (op.kind) {
        case Kind::Pen:
            canvas.SetPen(op.color, op.width, static_cast<PenStyle>(op.style));
            break;
        case Kind::Brush:
            canvas.SetBrush(op.color, static_cast<BrushStyle>(op.style));
            break;
        case Kind::MoveTo:
            canvas.MoveTo(op.rect.left, op.rect.top);
            break;
        case Kind::LineTo:
            canvas.LineTo(op.rect.left, op.rect.top);
            break;
        case Kind::Rectangle:
            canvas.Rectangle(op.rect);
            break;
        case Kind::Polygon:
            canvas.Polygon(op.points);
            break;
        case Kind::FillRect:
            canvas.FillRect(op.rect);
            break;
        case Kind::Pixel:
            canvas.SetPixel(op.rect.left, op.rect.top, op.color);
            break;
        }
    }
}

void TRecordingCanvas::SetPen(TColor color, int width, PenStyle style) {
    penColor = color;
    picture.ops.push_back({Kind::Pen, color, width, static_cast<std::uint8_t>(style), {}, {}});
}

void TRecordingCanvas::SetBrush(TColor color, BrushStyle style) {
    picture.ops.push_back({Kind::Brush, color, 0, static_cast<std::uint8_t>(style), {}, {}});
}

void TRecordingCanvas::MoveTo(int x, int y) {
    pen = {x, y};
    picture.ops.push_back({Kind::MoveTo, 0, 0, 0, {x, y, x, y}, {}});
}

void TRecordingCanvas::LineTo(int x, int y) {
    pen = {x, y};
    picture.ops.push_back({Kind::LineTo, 0, 0, 0, {x, y, x, y}, {}});
}

void TRecordingCanvas::Rectangle(const TRect& r) {
    picture.ops.push_back({Kind::Rectangle, 0, 0, 0, r, {}});
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
    picture.ops.push_back({Kind::Polygon, 0, 0, 0, {}, points});
}

void TRecordingCanvas::FillRect(const TRect& r) {
    picture.ops.push_back({Kind::FillRect, 0, 0, 0, r, {}});
}

void TRecordingCanvas::SetPixel(int x, int y, TColor color) {
    picture.ops.push_back({Kind::Pixel, color, 0, 0, {x, y, x, y}, {}});
}

} // namespace fg
