// The keystroke editor's panel, as the gesture wizard places it on its "Single Keystroke" page:
// the capture field, the examples button, "Tab" and "Winkey".
#pragma once

#include "platform/win32/Panel.h"
#include "ui/UnitFrameHotKey.h"

namespace fg {

class TFrameKeystrokeEditPanel : public TWin32Panel, public IKeystrokeEditView {
  public:
    explicit TFrameKeystrokeEditPanel(TFrameKeystrokeEdit& logic); // logic outlives the panel
    ~TFrameKeystrokeEditPanel() override;

    static constexpr int kWidth = 320, kHeight = 72; // design size, 96-DPI pixels

    HWND Field() const;

    void Mirror() override;
    bool CanFocusField() override;
    void FocusField() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    std::vector<ControlRow> Rows() override;
    void PanelCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    TFrameKeystrokeEdit& logic;
    HWND hints = nullptr;
};

} // namespace fg
