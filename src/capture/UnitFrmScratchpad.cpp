#include "capture/UnitFrmScratchpad.h"

namespace fg {

// Placeholder bodies until the scratchpad is built; they keep the program linkable.
TFrmScratchPad::TFrmScratchPad() = default;
TFrmScratchPad::~TFrmScratchPad() = default;
void TFrmScratchPad::ReportMouseButton(bool) {}
void TFrmScratchPad::ReportPoint(TPoint) {}
HWindow TFrmScratchPad::RemoveSelfFromFocus(bool) { return 0; }
bool TFrmScratchPad::ContainsClientPoint(TPoint) const { return false; }

} // namespace fg
