#include "capture/UnitDrawGesture_win32.h"

namespace fg {

TFrmDrawGestureWindow::TFrmDrawGestureWindow() {
    CreateNative(Plain(L"TFrmDrawGesture", L"FrmDrawGesture", 120, 110));
}

} // namespace fg
