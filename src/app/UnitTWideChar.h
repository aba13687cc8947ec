// A growable UTF-16 text buffer, used to assemble tooltip texts.
#pragma once

#include <cstdint>
#include <string>

namespace fg {

class TWideChar {
  public:
    void AppendUnicode(const std::wstring& s) { str += s; }
    void Append(const std::string& ansi);      // from the system's ANSI code page
    void Append(const TWideChar& wc) { str += wc.str; }
    void Append(std::uintptr_t globalH, std::uint32_t size);
    void Append(wchar_t c) { str += c; }
    void TrimLeft(std::uint32_t chars);
    void TrimRight(std::uint32_t chars);
    void LeftStr(std::uint32_t len);
    void RightStr(std::uint32_t len);
    // Replaces every find by replace; a zero replace removes every find.
    void Replace(wchar_t find, wchar_t replace, bool removenulls);
    void Replace(const std::wstring& find, const std::wstring& replace, bool replacestream);
    // The buffer's own characters; null when empty.
    const wchar_t* Memory() const { return str.empty() ? nullptr : str.data(); }
    std::int64_t size() const { return static_cast<std::int64_t>(str.size()) * 2; }
    std::int64_t StrLength() const { return static_cast<std::int64_t>(str.size()); }
    // The character at 1-based position pos; zero outside the text.
    wchar_t GetChar(std::int64_t pos) const;
    void Clear() { str.clear(); }

    std::wstring str;
};

} // namespace fg
