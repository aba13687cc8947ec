// libFuzzer target: what the program reads from files the user may have edited by hand. Every
// key of the settings table reads any text without harm, and what it reads survives being written
// and read again; the per-program list files decode any bytes, and what they decode is written
// back and decoded to the same lines.
#include "FuzzText.h"
#include "app/UnitExeList.h"
#include "fakes/FakePlatform.h"
#include "ui/UnitSettings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Every slot filled, so the hand-over's conversions run.
fg::TSettingsConsumers AllConsumers() {
    fg::TSettingsConsumers c;
    for (const fg::TSetting& s : fg::SettingsTable()) {
        if (s.slot.asInteger) c.*s.slot.asInteger = [](int) {};
        if (s.slot.asBoolean) c.*s.slot.asBoolean = [](bool) {};
        if (s.slot.asReal) c.*s.slot.asReal = [](float) {};
    }
    return c;
}

void CheckSettings(const std::wstring& text, wchar_t separator) {
    static const fg::TSettingsConsumers consumers = AllConsumers();
    for (const fg::TSetting& s : fg::SettingsTable()) {
        const double value = fg::ReadSetting(s, text, s.byDefault, separator);
        Check(std::isfinite(value));
        fg::HandOver(consumers, s, value);
        const int position = fg::PositionOf(s, value);
        const bool trackBar = s.control == fg::TSettingControl::scTrackBar ||
                              s.control == fg::TSettingControl::scDecimalTrackBar;
        Check(!trackBar || (position >= s.low && position <= s.high));
        const std::wstring written = fg::FormatSetting(s, value, separator);
        const double again = fg::ReadSetting(s, written, s.byDefault - 1, separator);
        if (s.type == fg::TSettingType::stReal)
            Check(std::fabs(again - value) <= 1e-14 * std::fmax(1.0, std::fabs(value)));
        else
            Check(again == value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fg::fake::FakePlatform os; // the list's ANSI code page is the fake's Latin-1
    if (size == 0) return 0;
    const std::wstring text = fg::fuzz::Text(data + 1, size - 1);
    CheckSettings(text, data[0] & 1 ? L',' : L'.');

    const std::vector<std::uint8_t> bytes(data + 1, data + size);
    const fg::TListText list = fg::DecodeListText(bytes);
    const fg::TListText again = fg::DecodeListText(fg::EncodeListText(list));
    Check(again.encoding == list.encoding);
    // UTF-8 cannot carry a lone surrogate, nor Latin-1 a character above 255: what was read from
    // such a file is written with the replacement, and reads back as that, once.
    const fg::TListText third = fg::DecodeListText(fg::EncodeListText(again));
    Check(third.lines == again.lines);
    return 0;
}
