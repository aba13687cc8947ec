// The About window's native window: the program's picture, name, version and build, the web
// address as a link, and "Close".
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrmAbout.h"

#include <memory>

namespace fg {

class TFrmAboutWindow : public TWin32Window, public IAboutView {
  public:
    // Fills the labels at once: the tray's tip is made from the version label.
    TFrmAboutWindow();
    ~TFrmAboutWindow() override;

    TFrmAbout& Logic() { return *logic; }

    void Mirror() override;
    bool IsShowing() override;
    void Show() override;
    void Hide() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;

  private:
    void SetFonts();
    void DrawPicture(const DRAWITEMSTRUCT& item);

    TControlTable controls;
    std::unique_ptr<TFrmAbout> logic;
    HFONT linkFont = nullptr;
    HICON picture = nullptr;
    HWND lastFocus = nullptr;
};

} // namespace fg
