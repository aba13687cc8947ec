// The gesture editor's native panel: a child window that the wizard places on its first page,
// with the text, the arrow buttons, the preview, "Undo", "Clear" and the monitor position.
#pragma once

#include "gestures/UnitFrameGestureEdit.h"
#include "platform/win32/Panel.h"

namespace fg {

class TFrameGestureEditPanel : public TWin32Panel, public IGestureEditView {
  public:
    explicit TFrameGestureEditPanel(TFrameGestureEdit& logic); // logic outlives the panel
    ~TFrameGestureEditPanel() override;

    static constexpr int kWidth = 463, kHeight = 253; // design size, 96-DPI pixels

    void Mirror() override;
    HWND Item(int id) const { return controls.Item(id); }

  protected:
    std::vector<ControlRow> Rows() override;
    void PanelCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void AddHints();
    bool DrawItem(const DRAWITEMSTRUCT& item);
    void Paint();

    TFrameGestureEdit& logic;
    HWND hints = nullptr;
};

} // namespace fg
