#include "capture/UnitFrmRatTrap.h"

namespace fg {

// Placeholder bodies until the overlay is built; they keep the program linkable.
TFrmRatTrap::TFrmRatTrap() = default;
TFrmRatTrap::~TFrmRatTrap() = default;
void TFrmRatTrap::Show() { visible = true; }
void TFrmRatTrap::Hide() { visible = false; }
void TFrmRatTrap::ReportMouse(TPoint, bool) {}

} // namespace fg
