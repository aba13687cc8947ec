#include "ui/UnitFrmWelcome.h"

#include "app/UnitFocusManager.h"
#include "platform/Errors.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitNoView.h"

#include <utility>

namespace fg {

TfrmWelcome::TfrmWelcome(IWelcomeView* nativeView, TWelcomeParts p)
    : ownView(nativeView ? nullptr : std::make_unique<TNoView<IWelcomeView>>()),
      view(nativeView ? nativeView : ownView.get()), parts(std::move(p)) {}

TfrmWelcome::~TfrmWelcome() = default;

void TfrmWelcome::CheckParts() const {
    std::wstring missing;
    if (!parts.showConfigPage) missing += L" configuration";
    if (!parts.createExampleGesture) missing += L" example-gesture";
    if (!parts.showEditGestures) missing += L" edit-gestures";
    if (!missing.empty()) throw TUserError(L"The welcome window is missing its" + missing);
}

void TfrmWelcome::FormCreate() {
    page = wpGettingStarted;
    view->Mirror();
}

bool TfrmWelcome::Showing() const {
    return view->IsShowing();
}

void TfrmWelcome::ShowInFront() {
    if (!view->IsShowing()) {
        // A tutorial starts at its beginning, whichever page was read last time.
        page = wpGettingStarted;
        view->Mirror();
        view->Show();
    }
    if (const HWindow h = view->Handle()) TFocusManager::ForceForeground(h);
}

void TfrmWelcome::FormClose() {
    view->Hide();
}

void TfrmWelcome::pcHelpChange(int index) {
    if (index < 0 || index >= kWelcomePageCount || index == page) return;
    page = index;
    view->Mirror();
}

void TfrmWelcome::lblConfigureHotkeyClick() {
    if (!parts.showConfigPage) throw TUserError(L"The welcome window has no configuration");
    parts.showConfigPage(cpGestureMethod);
}

void TfrmWelcome::lblCreateExampleGestureClick() {
    if (!exampleLinkEnabled) return;
    if (!parts.createExampleGesture) throw TUserError(L"The welcome window has no example-gesture");
    // Once is enough while the program runs: the link stays grey and the how-to stays.
    exampleLinkEnabled = false;
    howToVisible = true;
    view->Mirror();
    parts.createExampleGesture();
}

void TfrmWelcome::lblEditGesturesClick() {
    if (!parts.showEditGestures) throw TUserError(L"The welcome window has no edit-gestures");
    if (const HWindow h = parts.showEditGestures()) TFocusManager::ForceForeground(h);
}

} // namespace fg
