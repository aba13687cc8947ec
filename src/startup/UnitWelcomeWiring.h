// The welcome window's collaborators as start-up hands them over: the configuration window (which
// shows the welcome window on the first start and from its link), the global example gesture and
// the Edit Gestures window. The wiring is checked before the program runs.
#pragma once

#include "platform/Types.h"

#include <functional>

namespace fg {

class TFrmConfig;
class TFrmGesturesEdit;
class TfrmWelcome;

// Fills the welcome window's parts and the configuration's ShowWelcome, then checks the parts:
// raises TUserError naming what is missing. showWelcome shows the native window in front.
// showEditGestures shows the Edit Gestures window and answers its handle.
void WireWelcome(TfrmWelcome& welcome, TFrmConfig& config, TFrmGesturesEdit& editGestures,
                 const std::function<HWindow()>& showEditGestures);

} // namespace fg
