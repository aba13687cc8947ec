#include "gestures/UnitGestureFile.h"

#include "app/UnitMisc.h"
#include "vocabulary/UnitMouseMovement.h"

namespace fg {

std::wstring TGestureFile::Key(const std::wstring& h) {
    return AsciiLower(h);
}

void TGestureFile::Reindex() {
    index.clear();
    for (std::size_t i = 0; i < bindings.size(); ++i)
        index.emplace(Key(ToHumanReadable(bindings[i].gesture)), i);
}

const TGestureBinding* TGestureFile::Find(const std::wstring& h) const {
    const auto it = index.find(Key(h));
    return it == index.end() ? nullptr : &bindings[it->second];
}

const TGestureBinding* TGestureFile::FindGesture(const std::wstring& gesture) const {
    return Find(ToHumanReadable(gesture));
}

void TGestureFile::Set(const TGestureBinding& binding) {
    const std::wstring key = Key(ToHumanReadable(binding.gesture));
    if (const auto it = index.find(key); it != index.end()) {
        bindings[it->second] = binding;
        return;
    }
    bindings.push_back(binding);
    index.emplace(key, bindings.size() - 1);
}

bool TGestureFile::Remove(const std::wstring& h) {
    const auto it = index.find(Key(h));
    if (it == index.end()) return false;
    bindings.erase(bindings.begin() + static_cast<std::ptrdiff_t>(it->second));
    Reindex();
    return true;
}

} // namespace fg
