// A popup menu as portable code builds it. An entry whose caption is "-" is a separator; the
// hint carries what the entry stands for (the pop-ups keep a gesture string there).
#pragma once

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

    bool IsSeparator() const { return caption == L"-"; }
};

using TPopupMenu = std::vector<TMenuEntry>;

} // namespace fg
