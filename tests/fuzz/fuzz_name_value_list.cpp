// libFuzzer target: random sequences of set, remove, copy and look-up on a name=value list,
// checked after every step against a plain model of the list rules.
#include "gestures/UnitGestureStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The rules spelt out as directly as possible: each entry is the text "name=value"; its name is
// what comes before the first "=".
struct Model {
    std::vector<std::wstring> entries;

    static std::wstring Fold(std::wstring s) {
        for (wchar_t& c : s)
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
        return s;
    }
    int Find(const std::wstring& name) const {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::size_t eq = entries[i].find(L'=');
            if (eq != std::wstring::npos && Fold(entries[i].substr(0, eq)) == Fold(name))
                return static_cast<int>(i);
        }
        return -1;
    }
    std::wstring Get(const std::wstring& name) const {
        const int i = Find(name);
        return i < 0 ? L"" : entries[i].substr(entries[i].find(L'=') + 1);
    }
    void Set(const std::wstring& name, const std::wstring& value) {
        const int i = Find(name);
        if (value.empty()) {
            if (i >= 0) entries.erase(entries.begin() + i);
        } else if (i >= 0) {
            entries[i] = name + L"=" + value;
        } else {
            entries.push_back(name + L"=" + value);
        }
    }
};

class Input {
  public:
    Input(const std::uint8_t* d, std::size_t n) : data(d), size(n) {}
    bool More() const { return pos < size; }
    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    std::wstring Text() {
        // A small alphabet, so names collide, differ only in case, and hold "=".
        static const wchar_t kAlphabet[] = L"aAbBzZ=1 [\u00e9\u00c9";
        const int length = Byte() % 4;
        std::wstring s;
        for (int i = 0; i < length; ++i)
            s += kAlphabet[Byte() % (sizeof(kAlphabet) / sizeof(wchar_t) - 1)];
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    fg::TNameValueList list, copy;
    Model model, copyModel;
    while (in.More()) {
        const int op = in.Byte() % 5;
        const std::wstring name = in.Text();
        if (op == 0 || op == 1) {
            const std::wstring value = op == 0 ? in.Text() : L"";
            list.SetValue(name, value);
            model.Set(name, value);
        } else if (op == 2) {
            list.Clear();
            model.entries.clear();
        } else if (op == 3) {
            // Copies share their entries until one changes: the copy must not see later changes.
            copy = list;
            copyModel = model;
        }
        Check(list.Value(name) == model.Get(name));
        Check(list.Count() == model.entries.size());
        for (std::size_t i = 0; i < list.Count(); ++i)
            Check(list.Name(i) + L"=" + list.ValueAt(i) == model.entries[i]);
        Check(copy.Value(name) == copyModel.Get(name));
        Check(copy.Count() == copyModel.entries.size());
        for (std::size_t i = 0; i < copy.Count(); ++i)
            Check(copy.Name(i) + L"=" + copy.ValueAt(i) == copyModel.entries[i]);
    }
    return 0;
}
