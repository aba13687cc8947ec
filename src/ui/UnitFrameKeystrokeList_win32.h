// The keystroke list editor's panel, as the gesture wizard places it on its "Multiple Keystrokes"
// page, and inside the keystroke list window: the list of keystrokes, "Add Keystroke" and the
// examples button.
#pragma once

#include "platform/win32/Panel.h"
#include "ui/UnitFrameKeystrokeList.h"

namespace fg {

class TFrameKeystrokeListPanel : public TWin32Panel, public IKeystrokeListView {
  public:
    explicit TFrameKeystrokeListPanel(TFrameKeystrokeList& logic); // logic outlives the panel
    ~TFrameKeystrokeListPanel() override;

    static constexpr int kWidth = 427, kHeight = 300; // design size, 96-DPI pixels

    HWND List() const;

    void Mirror() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    std::vector<ControlRow> Rows() override;
    void PanelCreated() override;
    void DpiTaken() override { FitColumn(); }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FitColumn();
    bool Notified(const NMHDR& n);
    void KeyboardMenu();

    TFrameKeystrokeList& logic;
    HWND hints = nullptr;
};

} // namespace fg
