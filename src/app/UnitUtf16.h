// Explicit UTF-16 and UTF-8 conversion where bytes matter (files, messages between processes);
// wchar_t is 16 bits on Windows and 32 bits on Linux, so nothing here relies on its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fg {

// Appends the UTF-16LE bytes of s to out.
void AppendUtf16Le(const std::wstring& s, std::vector<std::uint8_t>& out);
// Decodes at most `size` bytes of UTF-16LE, stopping at the first NUL code unit; an odd last byte
// is ignored. Never reads past `size`.
std::wstring DecodeUtf16LeUntilNul(const void* data, std::size_t size);
// UTF-8 to UTF-16 code units; each byte of a malformed sequence gives U+FFFD.
std::wstring DecodeUtf8(const std::uint8_t* data, std::size_t size);
// Appends the UTF-8 bytes of s, read as UTF-16 code units (or whole code points where wchar_t
// holds them); a lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
void AppendUtf8(const std::wstring& s, std::vector<std::uint8_t>& out);
// The lines of a text: they end at CR LF, LF or CR; a break at the very end starts no further line.
std::vector<std::wstring> SplitLines(const std::wstring& text);

} // namespace fg
