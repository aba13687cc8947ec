// Plain value types shared by the portable code and the platform seam.
#pragma once

#include <cstdint>

namespace fg {

// A window handle as the portable code sees it: an opaque, pointer-sized number (0 = none).
using HWindow = std::uintptr_t;

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TRect&) const = default;
};

} // namespace fg
