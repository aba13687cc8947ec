// Geometry is designed in pixels at 96 DPI (100 %). The program is per-monitor DPI aware, so it
// sees physical pixels everywhere and scales its designed pixels by the DPI that applies.
#pragma once

#include "platform/Types.h"

namespace fg {

constexpr int kDesignDpi = 96;

// px96 at dpi, rounded to the nearest pixel with halves away from zero (as the system's MulDiv
// rounds); a DPI of 0 or less counts as 96.
constexpr int ScaleByDpi(int px96, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) return px96;
    const long long n = static_cast<long long>(px96) * dpi;
    const long long magnitude = ((n < 0 ? -n : n) * 2 + kDesignDpi) / (2 * kDesignDpi);
    return static_cast<int>(n < 0 ? -magnitude : magnitude);
}

constexpr TPoint ScaleByDpi(TPoint p96, int dpi) {
    return {ScaleByDpi(p96.x, dpi), ScaleByDpi(p96.y, dpi)};
}

// The DPI of the monitor nearest to a screen point (96 when no desktop is installed).
int DpiAt(TPoint screen);

// The point offset96 (in 96-DPI pixels) away from p, scaled by the DPI of the monitor under p:
// where a pop-up opens beside the cursor, the same distance for the eye at every scale.
TPoint BesideCursor(TPoint p, TPoint offset96);

} // namespace fg
