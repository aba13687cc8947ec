// The keystroke list editor's panel, as the gesture wizard places it on its "Multiple Keystrokes"
// page, and inside the keystroke list window: the list of keystrokes, "Add Keystroke" and the
// examples button.
#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/Window.h"
#include "ui/UnitFrameKeystrokeList.h"

namespace fg {

class TFrameKeystrokeListPanel : public TWin32Window, public IKeystrokeListView {
  public:
    explicit TFrameKeystrokeListPanel(TFrameKeystrokeList& logic); // logic outlives the panel
    ~TFrameKeystrokeListPanel() override;

    // A child of parent (WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT so Tab walks into it) at
    // (x, y) in the parent's 96-DPI design pixels, laid out for dpi.
    bool CreatePanel(HWND parent, int x, int y, int dpi);
    void SetPanelDpi(int dpi, int x, int y); // parent moved to another DPI: fonts, sizes, place
    static constexpr int kWidth = 427, kHeight = 300; // design size, 96-DPI pixels

    HWND List() const;

    void Mirror() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Place(int x, int y);
    void FitColumn();
    bool Notified(const NMHDR& n);
    void KeyboardMenu();

    TFrameKeystrokeList& logic;
    TControlTable controls;
    HWND hints = nullptr;
    int panelDpi = kDesignDpi;
    bool mirroring = false; // the panel fills its own list: its notifications are echoes
};

} // namespace fg
