// A per-program list file such as "disabled.ini": one line per program, its executable name, "="
// and a value. The file is the user's: it is read in the encoding it came in and written back in
// that same encoding, lines the program does not understand included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fg {

// A byte-order mark names the first three; a file without one is in the ANSI code page.
enum class TListEncoding { Utf8, Utf16Le, Utf16Be, Ansi };

struct TListText {
    std::vector<std::wstring> lines;
    TListEncoding encoding = TListEncoding::Ansi;
};

// Lines end at CR LF, LF or CR; a break at the very end starts no further line.
TListText DecodeListText(const std::vector<std::uint8_t>& bytes);
// The lines with the encoding's byte-order mark, each ended by CR LF.
std::vector<std::uint8_t> EncodeListText(const TListText& text);
// The first line for a program: its name is what comes before the first "=", compared with ASCII
// letters folded; lines without "=" name nothing. lines.size() when there is none.
std::size_t FindExeLine(const std::vector<std::wstring>& lines, const std::wstring& exeName);

class TExeList {
  public:
    explicit TExeList(std::wstring file) : path(std::move(file)) {}

    // Reads the file when there is one. A file that exists but cannot be read is left alone
    // from then on: writing the empty list over it would lose it.
    void Load();
    // Writes the list beside its file and swaps it in, so a failed write leaves the old file;
    // false (and logged) on failure. A list that is unchanged goes back byte for byte.
    bool Save();

    // Whether the first line named exeName (without regard to ASCII case) has a value.
    bool IsOn(const std::wstring& exeName) const;
    // Off (a value) removes that line; on (no line, or one with an empty value) gives the
    // program the value "1".
    void Toggle(const std::wstring& exeName);

    const std::vector<std::wstring>& Lines() const { return text.lines; }
    TListEncoding Encoding() const { return text.encoding; }
    const std::wstring& Path() const { return path; }

  private:
    std::size_t Find(const std::wstring& exeName) const; // Lines().size() when none
    std::wstring path;
    TListText text;
    std::vector<std::uint8_t> readBytes;
    bool changed = false;
    bool unreadable = false;
};

} // namespace fg
