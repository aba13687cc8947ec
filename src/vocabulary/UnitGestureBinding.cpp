#include "vocabulary/UnitGestureBinding.h"

#include <cstddef>
#include <iterator>

namespace fg {

namespace {
constexpr const wchar_t* kTypeTexts[] = {L"Keystroke", L"Multiple Keystrokes",
                                         L"Run Program / File"};
} // namespace

std::wstring ActionTypeToText(TActionType t) {
    const auto i = static_cast<std::size_t>(t);
    return i < std::size(kTypeTexts) ? kTypeTexts[i] : L"";
}

std::optional<TActionType> TextToActionType(const std::wstring& text) {
    for (std::size_t i = 0; i < std::size(kTypeTexts); ++i)
        if (text == kTypeTexts[i]) return static_cast<TActionType>(i);
    return std::nullopt;
}

} // namespace fg
