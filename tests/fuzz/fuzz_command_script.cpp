// libFuzzer target: any text as the sender's command script, on the fakes. The first byte picks
// the surroundings (bit 0: another program holds the clipboard; bit 1: the shell refuses to open
// files). A script must end, on virtual time, with every key it pressed released again, spend no
// more than 100 ms per command, and raise only the locked clipboard's error.
#include "FuzzText.h"
#include "actions/UnitPaste.h"
#include "platform/Errors.h"
#include "fakes/FakePlatform.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto* platform = new fg::fake::FakePlatform;
    static auto* paste = new fg::TPaste;
    if (size == 0) return 0;

    const bool locked = data[0] & 1;
    platform->desktop.clipboardLocked = locked;
    platform->desktop.clipboard = L"clip";
    platform->system.shellAnswer = (data[0] & 2) ? 2 : 42;
    platform->system.shellOpened.clear();
    platform->system.started.clear();
    platform->input.events.clear();
    platform->input.state = {};
    const std::wstring script = fg::fuzz::Text(data + 1, size - 1);
    const std::uint32_t start = platform->clock.now;

    try {
        paste->SendTextWithKeystrokes(script);
    } catch (const fg::TUserError&) {
        if (!locked) std::abort();
    }

    const auto closers = static_cast<std::size_t>(std::count(script.begin(), script.end(), L']'));
    if (platform->clock.now - start > 100 * closers) std::abort();
    if (platform->system.shellOpened.size() > closers) std::abort();
    if (locked && platform->desktop.clipboard != L"clip") std::abort();

    const auto& events = platform->input.events;
    if (events.size() % 2 != 0) std::abort();
    for (std::size_t i = 0; i < events.size(); i += 2) {
        if (events[i].flags != 0 || events[i + 1].flags != fg::KEYEVENTF_KEYUP_) std::abort();
        if (events[i].vk != events[i + 1].vk) std::abort();
    }
    for (int vk = 0; vk < 256; ++vk)
        if (platform->input.KeyDown(vk)) std::abort();
    return 0;
}
