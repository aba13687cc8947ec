// A popup menu as portable code builds it. An entry whose caption is "-" is a separator; the
// hint carries what the entry stands for (the pop-ups keep a gesture string there); a picture,
// when it has a size, shows beside the caption.
#pragma once

#include "platform/Picture.h"

#include <functional>
#include <string>
#include <vector>

namespace fg {

struct TMenuEntry {
    std::wstring caption;
    std::wstring hint;
    bool enabled = true;
    std::vector<TMenuEntry> children;
    std::function<void()> onClick;
    TPicture picture; // see-through where it holds the key colour below

    bool IsSeparator() const { return caption == L"-"; }
};

using TPopupMenu = std::vector<TMenuEntry>;

// The colour of a menu picture's see-through pixels.
constexpr TColor kMenuPictureTransparent = RGB_(255, 0, 255);

} // namespace fg
