#include "ui/UnitFrmKeystrokeList.h"

namespace fg {

void TFrmKeystrokeList::SetWindowView(IKeystrokeListWindowView* v) {
    windowView = v;
    SetView(v);
}

bool TFrmKeystrokeList::GetKeystrokeList(std::vector<std::wstring>& sl,
                                         const std::wstring& initdata) {
    SetKeystrokeList(initdata);
    if (!windowView || !windowView->ShowModal()) return false;
    TFrameKeystrokeList::GetKeystrokeList(sl, initdata);
    return true;
}

void TFrmKeystrokeList::btnSetClick() {
    if (windowView) windowView->CloseModal(true);
}

void TFrmKeystrokeList::btnCancelClick() {
    if (windowView) windowView->CloseModal(false);
}

} // namespace fg
