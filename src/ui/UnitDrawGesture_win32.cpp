#include "ui/UnitDrawGesture_win32.h"

namespace fg {

TFrmDrawGestureWindow::TFrmDrawGestureWindow() {
    CreateNative({.className = L"TFrmDrawGesture",
                  .caption = L"FrmDrawGesture",
                  .clientWidth = 120,
                  .clientHeight = 110});
}

} // namespace fg
