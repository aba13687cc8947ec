// A gesture file as a value: its bindings in the order of the file's sections, and its disable
// flag. The repository (TGestureStore) reads and writes it; the dispatcher, the pop-ups and the
// Edit Gestures window each hold the files they work on.
#pragma once

#include "vocabulary/UnitGestureBinding.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace fg {

class TGestureFile {
  public:
    const std::vector<TGestureBinding>& Bindings() const { return bindings; }
    bool Empty() const { return bindings.empty(); }

    // The binding whose gesture has the human-readable form h (ASCII case ignored); null when
    // there is none. Gestures are keyed by that form, so two strings of one form are one gesture.
    const TGestureBinding* Find(const std::wstring& h) const;
    // The same by gesture string.
    const TGestureBinding* FindGesture(const std::wstring& gesture) const;
    // Replaces the binding of the same gesture where it stands, or adds it at the end.
    void Set(const TGestureBinding& binding);
    // Removes the binding of h; false when there was none.
    bool Remove(const std::wstring& h);

    // "cbDisableAll" of the file's "Settings": gestures are off for the program.
    bool disabled = false;

    bool operator==(const TGestureFile& other) const {
        return disabled == other.disabled && bindings == other.bindings;
    }

  private:
    static std::wstring Key(const std::wstring& h);
    void Reindex();

    std::vector<TGestureBinding> bindings;
    std::unordered_map<std::wstring, std::size_t> index; // folded human-readable form -> position
};

} // namespace fg
