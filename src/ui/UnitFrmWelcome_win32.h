// The welcome window's native window: the grey band with the program's lettering, the tab control
// and its four pages as groups of controls shown over it, and the links drawn as links.
#pragma once

#include "platform/win32/TableWindow.h"
#include "ui/UnitFrmWelcome.h"

#include <memory>

namespace fg {

class TfrmWelcomeWindow : public TTableWindow, public IWelcomeView {
  public:
    explicit TfrmWelcomeWindow(TWelcomeParts parts);
    ~TfrmWelcomeWindow() override;

    TfrmWelcome& Logic() { return *logic; }

    void Mirror() override;
    bool IsShowing() override;
    void Show() override;
    void Hide() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override; // the texts' and the band's fonts
    HFONT LinkBoldFont(int atDpi) override;
    HBRUSH LinkBackground() override { return PageBrush(); }

  private:
    std::vector<ControlRow> Rows();
    void MakeTabs();
    void PaintBand(HDC dc);
    // The brush of the pages' colour, made when first needed.
    HBRUSH PageBrush();
    void ForgetPageBrush();

    std::unique_ptr<TfrmWelcome> logic;
    HFONT letteringFont = nullptr;
    HWND lastFocus = nullptr;
    HBRUSH pageBrush = nullptr;
};

} // namespace fg
