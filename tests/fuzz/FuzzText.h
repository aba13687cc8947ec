// Fuzz input as program text: each byte is one character (Latin-1), and the byte 0xFF takes the
// two bytes after it as one UTF-16 code unit (little-endian), so any code unit can occur.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fg::fuzz {

inline std::wstring Text(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text += static_cast<wchar_t>(data[i + 1] | (data[i + 2] << 8));
            i += 2;
        } else {
            text += static_cast<wchar_t>(data[i]);
        }
    }
    return text;
}

} // namespace fg::fuzz
