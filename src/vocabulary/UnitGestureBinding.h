// What a gesture is bound to: one keystroke, a list of keystrokes, or a program or file to open.
// The dispatcher finds a binding, the actions run it, and the gesture files hold it; this is the
// form in which it passes between them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fg {

// The ordinals and texts are the stored format.
enum class TActionType : std::uint8_t { atKeystroke = 0, atMultiKeystroke = 1, atProgram = 2 };

// "Keystroke", "Multiple Keystrokes", "Run Program / File".
std::wstring ActionTypeToText(TActionType t);
// Exact, case-sensitive; any other text is no type.
std::optional<TActionType> TextToActionType(const std::wstring& text);

// One section of a gesture file. A type text that names no type is kept as it stands (it is
// written back) but such a binding has no action and runs nothing.
struct TGestureBinding {
    std::wstring gesture; // the gesture string, e.g. "03"
    std::wstring type;    // the type text as stored; may be empty or unknown
    // Keystrokes in their stored form separated by "|", or "path|parameters"; empty without a type.
    std::wstring action;

    std::optional<TActionType> Type() const { return TextToActionType(type); }
    bool operator==(const TGestureBinding&) const = default;
};

} // namespace fg
