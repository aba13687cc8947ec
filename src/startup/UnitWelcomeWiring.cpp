#include "startup/UnitWelcomeWiring.h"

#include "gestures/UnitFrmGesturesEdit.h"
#include "ui/UnitFrmConfig.h"

#include <utility>

namespace fg {

TWelcomeParts WelcomeParts(TFrmConfig& config, TFrmGesturesEdit& editGestures,
                           std::function<HWindow()> showEditGestures) {
    return {.showConfigPage = [&config](int page) { config.ShowPage(page); },
            .createExampleGesture = [&editGestures] { editGestures.CreateExampleGlobalGesture(); },
            .showEditGestures = std::move(showEditGestures)};
}

void WireWelcome(TFrmConfig& config, TfrmWelcome& welcome) {
    config.ShowWelcome = [&welcome] { welcome.ShowInFront(); };
}

} // namespace fg
