#include "ui/UnitFrmKeystrokeEditor.h"

namespace fg {

TFrmKeystrokeEditor* FrmKeystrokeEditor = nullptr;

void TFrmKeystrokeEditor::SetWindowView(IKeystrokeWindowView* v) {
    windowView = v;
    SetView(v);
}

bool TFrmKeystrokeEditor::GetHotKey(TKeystrokeData& keydata, bool ShowClearButton) {
    return GetHotKey(keydata.alt, keydata.shft, keydata.ctrl, keydata.win, keydata.key,
                     keydata.name, ShowClearButton);
}

bool TFrmKeystrokeEditor::GetHotKey(bool& kAlt, bool& kShift, bool& kCtrl, bool& kWinkey,
                                    std::uint16_t& VKCode, std::wstring& ReadableName,
                                    bool /*ShowClearButton*/) {
    SetPressed = false;
    btnClearClick();
    if (windowView) windowView->ShowModal();
    if (!SetPressed || CaptureEmpty()) return false;
    CopyCapture(kAlt, kShift, kCtrl, kWinkey, VKCode, ReadableName);
    return true;
}

void TFrmKeystrokeEditor::MoveTo(TPoint topLeft) {
    if (windowView) windowView->MoveTo(topLeft);
}

void TFrmKeystrokeEditor::bSetClick() {
    // Greyed, Set does nothing: Enter still reaches it as the window's default button.
    if (!bSetEnabled || CaptureEmpty()) return;
    SetPressed = true;
    if (windowView) windowView->CloseModal();
}

void TFrmKeystrokeEditor::bCancelClick() {
    if (windowView) windowView->CloseModal();
}

void TFrmKeystrokeEditor::FormActivate() {
    if (view) view->FocusField();
}

} // namespace fg
