// Closes the shell's context menu that a gesture released over the desktop can open.
#pragma once

namespace fg {

class TfrmDummyWatchForExplorerPopup {
  public:
    virtual ~TfrmDummyWatchForExplorerPopup() = default;
    virtual void StartWatch() {}
};

extern TfrmDummyWatchForExplorerPopup* frmDummyWatchForExplorerPopup;

} // namespace fg
