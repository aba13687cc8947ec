// libFuzzer target: random sequences of set, remove, copy and look-up on a gesture file's
// bindings, checked after every step against a plain model of the rules.
#include "gestures/UnitGestureFile.h"
#include "vocabulary/UnitMouseMovement.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The rules spelt out as directly as possible: bindings in order, one per human-readable form
// (ASCII case ignored), a set of a present form replacing it where it stands.
struct Model {
    std::vector<fg::TGestureBinding> bindings;

    static std::wstring Fold(std::wstring s) {
        for (wchar_t& c : s)
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
        return s;
    }
    int Find(const std::wstring& h) const {
        for (std::size_t i = 0; i < bindings.size(); ++i)
            if (Fold(fg::ToHumanReadable(bindings[i].gesture)) == Fold(h))
                return static_cast<int>(i);
        return -1;
    }
    void Set(const fg::TGestureBinding& b) {
        const int i = Find(fg::ToHumanReadable(b.gesture));
        if (i >= 0)
            bindings[static_cast<std::size_t>(i)] = b;
        else
            bindings.push_back(b);
    }
    void Remove(const std::wstring& h) {
        const int i = Find(h);
        if (i >= 0) bindings.erase(bindings.begin() + i);
    }
};

class Input {
  public:
    Input(const std::uint8_t* d, std::size_t n) : data(d), size(n) {}
    bool More() const { return pos < size; }
    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    // A short gesture string over a few elements, so gestures collide; "A1" and "91" are one.
    std::wstring Gesture() {
        static const wchar_t kElements[] = L"0139A";
        const int length = Byte() % 3;
        std::wstring s;
        for (int i = 0; i < length; ++i)
            s += kElements[Byte() % (sizeof(kElements) / sizeof(wchar_t) - 1)];
        return s;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
};

void Check(bool ok) {
    if (!ok) std::abort();
}

void Same(const fg::TGestureFile& file, const Model& model, const std::wstring& h) {
    Check(file.Bindings() == model.bindings);
    const int i = model.Find(h);
    const fg::TGestureBinding* found = file.Find(h);
    Check((found != nullptr) == (i >= 0));
    if (found) Check(*found == model.bindings[static_cast<std::size_t>(i)]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    fg::TGestureFile file, copy;
    Model model, copyModel;
    int serial = 0;
    while (in.More()) {
        const int op = in.Byte() % 4;
        const std::wstring g = in.Gesture();
        const std::wstring h = fg::ToHumanReadable(g);
        if (op == 0 || op == 1) {
            const fg::TGestureBinding b{g, L"Keystroke", std::to_wstring(serial++)};
            file.Set(b);
            model.Set(b);
        } else if (op == 2) {
            file.Remove(h);
            model.Remove(h);
        } else {
            // A copy is a value: it must not see later changes.
            copy = file;
            copyModel = model;
        }
        Same(file, model, h);
        Same(copy, copyModel, h);
    }
    return 0;
}
