#include "app/UnitUtf16.h"

namespace fg {

namespace {
void PushUnit(std::uint32_t unit, std::vector<std::uint8_t>& out) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}

void AppendUnit(std::uint32_t cp, std::wstring& out) {
    if (cp > 0xFFFF) {
        out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(cp);
    }
}

// The length of the UTF-8 sequence that begins with b, 0 for a byte that begins none.
std::size_t Utf8Length(std::uint8_t b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 0;
}

void PushUtf8(std::uint32_t cp, std::vector<std::uint8_t>& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<std::uint8_t>(cp));
        return;
    }
    const int tail = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static constexpr std::uint8_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<std::uint8_t>(kLead[tail] | (cp >> (6 * tail))));
    for (int k = tail - 1; k >= 0; --k)
        out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> (6 * k)) & 0x3F)));
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

std::wstring DecodeUtf8(const std::uint8_t* p, std::size_t n) {
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000}; // no overlong forms
    std::wstring out;
    for (std::size_t i = 0; i < n;) {
        const std::size_t len = Utf8Length(p[i]);
        bool ok = len != 0 && i + len <= n;
        std::uint32_t cp = ok ? p[i] & (0x7Fu >> (len - 1)) : 0;
        for (std::size_t k = 1; ok && k < len; ++k) {
            ok = (p[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (p[i + k] & 0x3Fu);
        }
        ok = ok && cp >= kLeast[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        AppendUnit(ok ? cp : 0xFFFD, out);
        i += ok ? len : 1;
    }
    return out;
}

void AppendUtf8(const std::wstring& s, std::vector<std::uint8_t>& out) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<std::uint32_t>(s[i]);
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < s.size()) {
            const auto low = static_cast<std::uint32_t>(s[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
        PushUtf8(c, out);
    }
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        const bool crlf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

} // namespace fg
