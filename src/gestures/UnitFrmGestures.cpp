#include "gestures/UnitFrmGestures.h"

namespace fg {

TFrmGestures* FrmGestures = nullptr;

// Until gestures are looked up, a finished gesture only reaches the log (the monitor writes it).
bool TFrmGestures::ReportGestures(const std::wstring&, bool) { return false; }

bool TFrmGestures::ReportGesturesDiagonal(const std::wstring&) { return false; }

} // namespace fg
