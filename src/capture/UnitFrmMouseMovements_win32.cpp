#include "capture/UnitFrmMouseMovements_win32.h"

namespace fg {

TfrmMouseMovements* frmMouseMovements = nullptr;

TfrmMouseMovementsWindow::TfrmMouseMovementsWindow() {
    CreateNative(Plain(L"TfrmMouseMovements", L"frmMouseMovements", 120, 40));
    frmMouseMovements = &logic;
}

TfrmMouseMovementsWindow::~TfrmMouseMovementsWindow() {
    frmMouseMovements = nullptr;
}

} // namespace fg
