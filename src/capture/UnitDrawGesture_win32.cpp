#include "capture/UnitDrawGesture_win32.h"

namespace fg {

TFrmDrawGestureWindow::TFrmDrawGestureWindow() {
    CreateParams p;
    p.className = L"TFrmDrawGesture";
    p.caption = L"FrmDrawGesture";
    p.clientWidth = 120;
    p.clientHeight = 110;
    CreateNative(p);
}

} // namespace fg
