#include "app/UnitUtf16.h"

namespace fg {

namespace {
void PushUnit(std::uint32_t unit, std::vector<std::uint8_t>& out) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}
} // namespace

void AppendUtf16Le(const std::wstring& s, std::vector<std::uint8_t>& out) {
    out.reserve(out.size() + s.size() * 2);
    for (wchar_t wc : s) {
        const auto c = static_cast<std::uint32_t>(wc);
        if (c > 0xFFFF && c <= 0x10FFFF) { // only where wchar_t holds whole code points
            PushUnit(0xD800 + ((c - 0x10000) >> 10), out);
            PushUnit(0xDC00 + ((c - 0x10000) & 0x3FF), out);
        } else {
            PushUnit(c & 0xFFFF, out);
        }
    }
}

std::wstring DecodeUtf16LeUntilNul(const void* data, std::size_t size) {
    std::wstring text;
    if (!data) return text;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

} // namespace fg
