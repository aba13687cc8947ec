#include "startup/UnitWelcomeWiring.h"

#include "app/UnitFrmDebug.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitFrmWelcome.h"

namespace fg {

void WireWelcome(TfrmWelcome& welcome, TFrmConfig& config, TFrmGesturesEdit& editGestures,
                 const std::function<HWindow()>& showEditGestures) {
    TWelcomeParts& parts = welcome.Parts();
    parts.showConfigPage = [&config](int page) { config.ShowPage(page); };
    parts.createExampleGesture = [&editGestures] { editGestures.CreateExampleGlobalGesture(); };
    parts.showEditGestures = showEditGestures;
    config.ShowWelcome = [&welcome] { welcome.ShowInFront(); };
    welcome.CheckParts();
}

} // namespace fg
