// Tooltip views that draw nothing and record what they were asked to show: what tests read, and
// what a tooltip uses when no native view is installed.
#pragma once

#include "platform/Picture.h"
#include "platform/Types.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"

#include <functional>
#include <string>

namespace fg {

// What the recording views of one record saw: the windows made, where the last one was placed and
// what it drew. Tests read it; headless runs discard it.
struct TTooltipRecord {
    // The measuring hook: the width and height of a text at a font size. Unset, a line is 6 pixels
    // per character wide and 13 pixels high.
    std::function<TPoint(const std::wstring& text, int fontPoints)> measure;

    int created = 0;
    int destroyed = 0;
    TRect windowRect;
    HWindow owner = 0;
    std::wstring text;
    TRect textRect;
    int fontPoints = -1; // of the last measure or paint
    TPicture picture;
    TRect pictureRect;
    std::wstring header;
    bool IsOpen() const { return created > destroyed; }
};
TooltipViewFactory RecordingTooltipViews(TTooltipRecord& record);

} // namespace fg
