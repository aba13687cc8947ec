// The configuration window's native window: the page tree, the pages as groups of controls shown
// and hidden together, and the track bars and boxes that mirror TFrmConfig's state.
#pragma once

#include "platform/win32/TableWindow.h"
#include "ui/UnitFrmConfig.h"

#include <commctrl.h>

#include <memory>
#include <vector>

namespace fg {

class TFrmConfigWindow : public TTableWindow, public IConfigView {
  public:
    TFrmConfigWindow();
    ~TFrmConfigWindow() override;

    TFrmConfig& Logic() { return *logic; }

    void Mirror() override;
    bool IsShowing() override;
    void Show() override;
    void Hide() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override { SetTreeIcons(); }

  private:
    std::vector<ControlRow> Rows();
    bool Checked(int id) const;
    void MakeTree();
    void SetTreeIcons();
    void SetUpTrackBars();
    void ShowPages();
    void Scrolled(HWND bar);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TFrmConfig> logic;
    HIMAGELIST icons = nullptr;
    std::vector<HTREEITEM> nodes;
    HWND lastFocus = nullptr; // the control that had the focus when the window was left
};

} // namespace fg
