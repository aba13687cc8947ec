// The keystroke editor's panel, as the gesture wizard places it on its "Single Keystroke" page:
// the capture field, the examples button, "Tab" and "Winkey".
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrameHotKey.h"

namespace fg {

class TFrameKeystrokeEditPanel : public TWin32Window, public IKeystrokeEditView {
  public:
    explicit TFrameKeystrokeEditPanel(TFrameKeystrokeEdit& logic); // logic outlives the panel
    ~TFrameKeystrokeEditPanel() override;

    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place
    static constexpr int kWidth = 320, kHeight = 72; // design size, 96-DPI pixels

    HWND Field() const;

    void Mirror() override;
    bool CanFocusField() override;
    void FocusField() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Place(int x, int y);

    TFrameKeystrokeEdit& logic;
    TControlTable controls;
    HWND hints = nullptr;
    int panelDpi = kDesignDpi;
};

} // namespace fg
