#include "actions/UnitFrmDummyWatchForExplorerPopup_win32.h"

namespace fg {

namespace {

enum : int { idTxtLog = 100 };

constexpr int kClientWidth = 426;
constexpr int kClientHeight = 288;

// txtLog is never written to; the watch logs to the debug log.
const std::vector<ControlRow> kControls = {
    {idTxtLog, ControlKind::Memo, L"", 0, 0, kClientWidth, kClientHeight, akAll},
};

} // namespace

TfrmDummyWatchForExplorerPopupWindow::TfrmDummyWatchForExplorerPopupWindow() {
    if (CreateNative({.className = L"TfrmDummyWatchForExplorerPopup",
                      .caption = L"frmDummyWatchForExplorerPopup",
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight}))
        CreateControls(kControls, {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
}

TfrmDummyWatchForExplorerPopupWindow::~TfrmDummyWatchForExplorerPopupWindow() = default;

} // namespace fg
