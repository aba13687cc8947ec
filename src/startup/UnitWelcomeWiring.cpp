#include "startup/UnitWelcomeWiring.h"

#include "app/UnitFrmDebug.h"
#include "gestures/UnitGestureStore.h"
#include "ui/UnitFrmConfig.h"
#include "ui/UnitFrmWelcome.h"

namespace fg {

void WireWelcome(TfrmWelcome& welcome, TFrmConfig& config, TGestureStore& gestures,
                 const std::function<HWindow()>& showEditGestures) {
    TWelcomeParts& parts = welcome.Parts();
    parts.showConfigPage = [&config](int page) { config.ShowPage(page); };
    parts.createExampleGesture = [&gestures] { gestures.CreateExampleGlobalGesture(); };
    parts.showEditGestures = showEditGestures;
    config.ShowWelcome = [&welcome] { welcome.ShowInFront(); };
    welcome.CheckParts();
}

} // namespace fg
