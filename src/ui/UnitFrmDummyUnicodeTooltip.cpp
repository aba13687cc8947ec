#include "ui/UnitFrmDummyUnicodeTooltip.h"

namespace fg {

// Placeholder bodies until the tooltip is built; they keep the program linkable.
TTooltipWindow::TTooltipWindow() = default;
TTooltipWindow::~TTooltipWindow() = default;
void TTooltipWindow::AdjustTooltipRect(TRect&, TPoint) {}
void TTooltipWindow::ShowTooltip(const std::wstring&, TPoint, bool, const std::wstring&) {}
void TTooltipWindow::ShowTooltip(const TWideChar&, TPoint, bool, const std::wstring&) {}
void TTooltipWindow::ShowTooltip(const TPicture&, TPoint, const std::wstring&) {}
void TTooltipWindow::CloseTooltip(bool) { ShowingHint = false; }
bool TTooltipWindow::IsHit(TPoint) const { return false; }

} // namespace fg
