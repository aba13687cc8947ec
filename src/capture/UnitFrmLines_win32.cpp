#include "capture/UnitFrmLines_win32.h"

namespace fg {

TFrmLinesWindow::TFrmLinesWindow() {
    CreateNative({.className = L"TFrmLines",
                  .caption = L"FrmLines",
                  .style = WS_POPUP,
                  .x = 0,
                  .y = 0,
                  .clientWidth = 200,
                  .clientHeight = 200});
}

} // namespace fg
