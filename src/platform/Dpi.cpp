#include "platform/Dpi.h"

#include "platform/Platform.h"

namespace fg {

int DpiAt(TPoint screen) {
    if (!Os().desktop) return kDesignDpi;
    const int dpi = Os().desktop->MonitorDpi(screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

TPoint BesideCursor(TPoint p, TPoint offset96) {
    const TPoint offset = ScaleByDpi(offset96, DpiAt(p));
    return {p.x + offset.x, p.y + offset.y};
}

} // namespace fg
