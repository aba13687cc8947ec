// The welcome window's collaborators as start-up hands them over: the configuration window (which
// shows the welcome window on the first start and from its link), the global example gesture and
// the Edit Gestures window.
#pragma once

#include "ui/UnitFrmWelcome.h"

#include <functional>

namespace fg {

class TFrmConfig;
class TFrmGesturesEdit;

// The welcome window's parts, from the two windows made before it. showEditGestures shows the
// Edit Gestures window and answers its handle.
TWelcomeParts WelcomeParts(TFrmConfig& config, TFrmGesturesEdit& editGestures,
                           std::function<HWindow()> showEditGestures);

// The configuration's way to the welcome window. The configuration is made long before the
// welcome window and each opens the other, so this one link is made once both exist.
void WireWelcome(TFrmConfig& config, TfrmWelcome& welcome);

} // namespace fg
