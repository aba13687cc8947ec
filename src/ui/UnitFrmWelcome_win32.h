// The welcome window's native window: the grey band with the program's lettering, the tab control
// and its four pages as groups of controls shown over it, and the links drawn as links.
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrmWelcome.h"

#include <memory>

namespace fg {

class TfrmWelcomeWindow : public TWin32Window, public IWelcomeView {
  public:
    TfrmWelcomeWindow();
    ~TfrmWelcomeWindow() override;

    TfrmWelcome& Logic() { return *logic; }

    void Mirror() override;
    bool IsShowing() override;
    void Show() override;
    void Hide() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;

  private:
    void MakeTabs();
    void SetFonts();
    void PaintBand(HDC dc);
    void Clicked(int id);
    // The brush of the pages' colour, made when first needed.
    HBRUSH PageBrush();
    void ForgetPageBrush();

    TControlTable controls;
    std::unique_ptr<TfrmWelcome> logic;
    HFONT linkFont = nullptr;
    HFONT letteringFont = nullptr;
    HWND lastFocus = nullptr;
    HBRUSH pageBrush = nullptr;
};

} // namespace fg
