#include "ui/UnitFrmAbout.h"

#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "platform/Platform.h"
#include "ui/UnitNoView.h"

#include <cstdint>

namespace fg {

namespace {

constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;

} // namespace

TVersionLabels VersionLabelsOf(const std::wstring& exePath) {
    std::uint16_t parts[4] = {0, 0, 0, 0};
    if (!Os().system->FileVersion(exePath, parts)) return {L"", kNoBuildText};
    return {std::to_wstring(parts[0]) + L"." + std::to_wstring(parts[1]),
            L" build " + std::to_wstring(parts[2]) + L"-" + std::to_wstring(parts[3])};
}

TFrmAbout::TFrmAbout(IAboutView* nativeView)
    : ownView(nativeView ? nullptr : std::make_unique<TNoView<IAboutView>>()),
      view(nativeView ? nativeView : ownView.get()) {}

TFrmAbout::~TFrmAbout() = default;

void TFrmAbout::FormCreate() {
    AppendLog(L"FrmAbout - creating");
    labels = VersionLabelsOf(Os().system->ExecutablePath());
    view->Mirror();
}

bool TFrmAbout::Showing() const {
    return view->IsShowing();
}

void TFrmAbout::ShowInFront() {
    view->Show();
    if (const HWindow h = view->Handle()) TFocusManager::ForceForeground(h);
}

void TFrmAbout::Button1Click() {
    view->Hide();
}

void TFrmAbout::FormKeyUp(int virtualKey) {
    if (virtualKey == kVkEscape || virtualKey == kVkReturn) Button1Click();
}

void TFrmAbout::lblURLClick() {
    const std::intptr_t answer = Os().system->ShellOpen(view->Handle(), kAboutURL);
    if (answer <= 32) AppendLog(L"About: the address could not be opened", false);
}

} // namespace fg
