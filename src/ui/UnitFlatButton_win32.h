// Owner-drawn buttons: the editors' flat buttons (the arrows, browse).
#pragma once

#include <windows.h>

#include <functional>

namespace fg {

// Draws the button's face: flat with a thin edge, pressed in while held, the focus rectangle when
// it has the keyboard focus. `content` draws what the button shows inside `inside`.
void DrawFlatButton(const DRAWITEMSTRUCT& item,
                    const std::function<void(HDC dc, const RECT& inside, bool enabled)>& content);

// A filled polygon in one colour.
void FillPolygon(HDC dc, const POINT* points, int count, COLORREF color);

} // namespace fg
