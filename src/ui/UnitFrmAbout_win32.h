// The About window's native window: the program's picture, name, version and build, the web
// address as a link, and "Close".
#pragma once

#include "platform/win32/TableWindow.h"
#include "ui/UnitFrmAbout.h"

#include <memory>

namespace fg {

class TFrmAboutWindow : public TTableWindow, public IAboutView {
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
    void DpiTaken() override; // the labels' bold font and the picture
    HFONT LinkBoldFont(int atDpi) override;

  private:
    std::vector<ControlRow> Rows();
    void DrawPicture(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TFrmAbout> logic;
    HICON picture = nullptr;
    HWND lastFocus = nullptr;
};

} // namespace fg
