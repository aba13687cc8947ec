// The configuration window's native window: the page tree, the pages as groups of controls shown
// and hidden together, and the track bars and boxes that mirror TFrmConfig's state.
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrmConfig.h"

#include <commctrl.h>

#include <memory>
#include <vector>

namespace fg {

class TFrmConfigWindow : public TWin32Window, public IConfigView {
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
    void DpiChanged(const RECT& suggested) override;

  private:
    void MakeTree();
    void SetTreeIcons();
    void SetUpTrackBars();
    void SetLinkFont();
    void ShowPages();
    void Clicked(int id);
    void Scrolled(HWND bar);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    TControlTable controls;
    std::unique_ptr<TFrmConfig> logic;
    HIMAGELIST icons = nullptr;
    HFONT linkFont = nullptr;
    std::vector<HTREEITEM> nodes;
    bool mirroring = false;   // the window sets its own controls: their notifications are echoes
    HWND lastFocus = nullptr; // the control that had the focus when the window was left
};

} // namespace fg
