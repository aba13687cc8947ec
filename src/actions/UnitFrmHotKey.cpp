#include "actions/UnitFrmHotKey.h"

namespace fg {

TFrmKeystrokeEdit* FrmKeystrokeEdit = nullptr;

// Placeholder bodies until the conversions are built; they keep the program linkable.
std::wstring TFrmKeystrokeEdit::ToString(const TKeystrokeData&) const { return {}; }
TKeystrokeData TFrmKeystrokeEdit::FromString(const std::wstring&) const { return {}; }
std::wstring TFrmKeystrokeEdit::GetHumanReadable(bool, bool, bool, bool, std::uint16_t,
                                                 bool& Valid) const {
    Valid = false;
    return {};
}
std::wstring TFrmKeystrokeEdit::GetHumanReadable(const TKeystrokeData&, bool& valid) const {
    valid = false;
    return {};
}

} // namespace fg
