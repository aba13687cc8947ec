#include "capture/UnitFrmMouseMovements_win32.h"

namespace fg {

TfrmMouseMovements* frmMouseMovements = nullptr;

TfrmMouseMovementsWindow::TfrmMouseMovementsWindow() {
    CreateParams p;
    p.className = L"TfrmMouseMovements";
    p.caption = L"frmMouseMovements";
    p.clientWidth = 120;
    p.clientHeight = 40;
    CreateNative(p);
    frmMouseMovements = &logic;
}

TfrmMouseMovementsWindow::~TfrmMouseMovementsWindow() {
    frmMouseMovements = nullptr;
}

} // namespace fg
