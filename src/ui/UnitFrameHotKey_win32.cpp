#include "ui/UnitFrameHotKey_win32.h"

#include "platform/win32/Tally.h"
#include "ui/UnitKeystrokeField_win32.h"

#include <vector>

namespace fg {

namespace {

enum : int { idLabel = 10, idField, idExamples, idTab, idWinkey };

using K = ControlKind;

} // namespace

TFrameKeystrokeEditPanel::TFrameKeystrokeEditPanel(TFrameKeystrokeEdit& l)
    : TWin32Panel({L"TFrameKeystrokeEdit", kWidth, kHeight}), logic(l) {}

// Set, Cancel and Clear are the window's: the panel has none of them.
std::vector<ControlRow> TFrameKeystrokeEditPanel::Rows() {
    return {
        {idLabel, K::Label, L"Keystroke ", 8, 12, 0, 0, akTopLeft},
        {idField, K::Edit, L"", 72, 8, 200, 22, akTopLeft},
        {idExamples, K::Button, L"...", 276, 7, 28, 24, akTopLeft,
         [this] { logic.SpeedButton1Click(); }},
        {idTab, K::Button, L"Tab", 72, 40, 64, 25, akTopLeft, [this] { logic.btnTabClick(); }},
        {idWinkey, K::Button, L"Winkey", 142, 40, 64, 25, akTopLeft,
         [this] { logic.btnWinkeyClick(); }},
    };
}

TFrameKeystrokeEditPanel::~TFrameKeystrokeEditPanel() {
    logic.SetView(nullptr);
    if (hwnd) tally::DestroyWindow(hwnd);
}

void TFrameKeystrokeEditPanel::PanelCreated() {
    SinkEdge(Field());
    MakeCaptureField(Field(), [this](std::uint16_t key) { logic.txtHotkeyKeyDown(key); });
    hints = MakeHints(hwnd);
    AddHint(hints, controls.Item(idExamples), L"Common Examples");
    logic.SetView(this);
}

HWND TFrameKeystrokeEditPanel::Field() const {
    return controls.Item(idField);
}

void TFrameKeystrokeEditPanel::Mirror() {
    if (hwnd) ShowInField(Field(), logic.Text());
}

bool TFrameKeystrokeEditPanel::CanFocusField() {
    return hwnd && IsWindowVisible(Field()) && IsWindowEnabled(Field());
}

void TFrameKeystrokeEditPanel::FocusField() {
    if (hwnd) SetFocus(Field());
}

LRESULT TFrameKeystrokeEditPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == idField && HIWORD(wParam) == EN_SETFOCUS) {
        SendMessageW(Field(), EM_SETSEL, static_cast<WPARAM>(-1), 0); // no selection
        return 0;
    }
    return TWin32Panel::WndProc(msg, wParam, lParam);
}

} // namespace fg
