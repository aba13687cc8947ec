// The gesture editor's native panel: a child window that the wizard places on its first page,
// with the text, the arrow buttons, the preview, "Undo", "Clear" and the monitor position.
#pragma once

#include "gestures/UnitFrameGestureEdit.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"

namespace fg {

class TFrameGestureEditPanel : public TWin32Window, public IGestureEditView {
  public:
    explicit TFrameGestureEditPanel(TFrameGestureEdit& logic); // logic outlives the panel
    ~TFrameGestureEditPanel() override;

    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place
    static constexpr int kWidth = 463, kHeight = 253; // design size, 96-DPI pixels

    void Mirror() override;
    HWND Item(int id) const { return controls.Item(id); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Place(int x, int y);
    void AddHints();
    void Clicked(int id, int code);
    bool DrawItem(const DRAWITEMSTRUCT& item);
    void Paint();

    TFrameGestureEdit& logic;
    TControlTable controls;
    HWND hints = nullptr;
    int panelDpi = 96;
    bool mirroring = false; // the panel sets its own controls: their notifications are echoes
};

} // namespace fg
