#include "capture/UnitFrmLines_win32.h"

namespace fg {

TFrmLinesWindow::TFrmLinesWindow() {
    CreateParams p;
    p.className = L"TFrmLines";
    p.caption = L"FrmLines";
    p.style = WS_POPUP;
    p.x = 0;
    p.y = 0;
    p.clientWidth = 200;
    p.clientHeight = 200;
    CreateNative(p);
}

} // namespace fg
