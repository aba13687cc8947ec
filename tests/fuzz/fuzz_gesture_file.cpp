// libFuzzer target: random bytes as a per-program gesture file in the fake file system. Loading
// must not crash, and what a save writes must load back as the same store: load, save, load
// gives the bindings of the first load, and a second save writes the same bytes.
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitGestureStore.h"
#include "unit/GestureFakes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fg::fake::FakePlatform* platform = new fg::fake::FakePlatform;
    const std::wstring name = L"Gestures_fuzz.exe.ini";
    const std::wstring path = fg::GetDataPath() + name;
    auto& files = platform->files.files;
    const auto file = [&]() -> std::optional<std::vector<std::uint8_t>> {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    files.clear();
    files[path].assign(data, data + size);

    fg::TGestureStore first;
    const auto read = first.LoadGestures(name, true);
    const std::vector<std::wstring> loaded = fg::test::Bindings(*read);
    first.SaveGestures(name, *read);
    const auto saved = file();

    fg::TGestureStore second;
    const auto reread = second.LoadGestures(name, true);
    if (fg::test::Bindings(*reread) != loaded) std::abort();
    second.SaveGestures(name, *reread);
    if (file() != saved) std::abort();
    if (files.size() > 1) std::abort(); // nothing left beside the file
    return 0;
}
