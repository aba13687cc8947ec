#include "capture/UnitFrmMouseMovements_win32.h"

namespace fg {

TfrmMouseMovements* frmMouseMovements = nullptr;

TfrmMouseMovementsWindow::TfrmMouseMovementsWindow() {
    CreateNative({.className = L"TfrmMouseMovements",
                  .caption = L"frmMouseMovements",
                  .clientWidth = 120,
                  .clientHeight = 40});
    frmMouseMovements = &logic;
}

TfrmMouseMovementsWindow::~TfrmMouseMovementsWindow() {
    frmMouseMovements = nullptr;
}

} // namespace fg
