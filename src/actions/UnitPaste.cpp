#include "actions/UnitPaste.h"

namespace fg {

TPaste* Paste = nullptr;

// Placeholder bodies until the sender is built; they keep the program linkable.
TPaste::TPaste() = default;
TPaste::~TPaste() = default;
void TPaste::SendKestroke(const TKeystrokeData&) {}
void TPaste::SendTextWithKeystrokes(const std::wstring&) {}

} // namespace fg
