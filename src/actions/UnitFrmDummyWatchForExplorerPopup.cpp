#include "actions/UnitFrmDummyWatchForExplorerPopup.h"

namespace fg {

TfrmDummyWatchForExplorerPopup* frmDummyWatchForExplorerPopup = nullptr;

} // namespace fg
