// The keystroke window "Farrowglimmer keystroke": the program's one modal keystroke editor. It is
// made hidden once and, while it exists, is the object the rest of the program converts
// keystrokes with and the keystroke lists capture with.
#pragma once

#include "platform/win32/Modal.h"
#include "platform/win32/TableWindow.h"
#include "ui/UnitFrmKeystrokeEditor.h"

namespace fg {

class TFrmKeystrokeEditWindow : public TTableWindow, public IKeystrokeWindowView {
  public:
    static constexpr int kClientWidth = 334, kClientHeight = 140;

    TFrmKeystrokeEditWindow();
    ~TFrmKeystrokeEditWindow() override;

    TFrmKeystrokeEditor& Logic() { return logic; }
    HWND Field() const;

    void Mirror() override;
    bool CanFocusField() override;
    void FocusField() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }
    void ShowModal() override;
    void CloseModal() override;
    void MoveTo(TPoint topLeft) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    std::vector<ControlRow> Rows();

    TFrmKeystrokeEditor logic;
    TModalLoop loop;
    HWND hints = nullptr;
    bool placed = false; // moved by a list editor, or centred once
    TFrmKeystrokeEdit* previousConversions = nullptr;
    TFrmKeystrokeEditor* previousEditor = nullptr;
};

} // namespace fg
