// Gesture pictures: a gesture string drawn as dotted strokes with arrowheads.
#pragma once

#include "platform/ICanvas.h"

#include <string>

namespace fg {

class TFrmDrawGesture {
  public:
    static void ClearImage(ICanvas& c);
    static void GetImage(const std::wstring& gesture, ICanvas& c, int wd, int ht);
};

} // namespace fg
