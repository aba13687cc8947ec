#include "app/UnitExeList.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitUtf16.h"
#include "platform/Platform.h"

#include <algorithm>
#include <utility>

namespace fg {

namespace {

struct TMark {
    TListEncoding encoding;
    std::vector<std::uint8_t> bytes;
};
// UTF-8's mark is tried first: no other begins with 0xEF.
const TMark kMarks[] = {{TListEncoding::Utf8, {0xEF, 0xBB, 0xBF}},
                        {TListEncoding::Utf16Le, {0xFF, 0xFE}},
                        {TListEncoding::Utf16Be, {0xFE, 0xFF}}};

bool StartsWith(const std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::wstring DecodeUtf16(const std::uint8_t* p, std::size_t n, bool bigEndian) {
    std::wstring out;
    out.reserve(n / 2);
    for (std::size_t i = 0; i + 1 < n; i += 2)
        out += static_cast<wchar_t>(bigEndian ? (p[i] << 8) | p[i + 1] : p[i] | (p[i + 1] << 8));
    return out;
}

void Log(const std::wstring& s) {
    AppendLog(s);
}

} // namespace

TListText DecodeListText(const std::vector<std::uint8_t>& bytes) {
    for (const TMark& m : kMarks) {
        if (!StartsWith(bytes, m.bytes)) continue;
        const std::uint8_t* p = bytes.data() + m.bytes.size();
        const std::size_t n = bytes.size() - m.bytes.size();
        const std::wstring text = m.encoding == TListEncoding::Utf8
                                      ? DecodeUtf8(p, n)
                                      : DecodeUtf16(p, n, m.encoding == TListEncoding::Utf16Be);
        return {SplitLines(text), m.encoding};
    }
    return {SplitLines(Os().system->AnsiToWide(std::string(bytes.begin(), bytes.end()))),
            TListEncoding::Ansi};
}

std::vector<std::uint8_t> EncodeListText(const TListText& text) {
    std::wstring all;
    for (const std::wstring& line : text.lines)
        all += line + L"\r\n";
    // What the code page cannot hold would be written as "?": such a list moves to UTF-16.
    TListEncoding encoding = text.encoding;
    if (encoding == TListEncoding::Ansi && !FitsAnsiCodePage(all))
        encoding = TListEncoding::Utf16Le;
    std::vector<std::uint8_t> out;
    for (const TMark& m : kMarks)
        if (m.encoding == encoding) out = m.bytes;
    switch (encoding) {
    case TListEncoding::Utf8:
        AppendUtf8(all, out);
        break;
    case TListEncoding::Utf16Le:
    case TListEncoding::Utf16Be: {
        const std::size_t body = out.size();
        AppendUtf16Le(all, out);
        if (text.encoding == TListEncoding::Utf16Be)
            for (std::size_t i = body; i + 1 < out.size(); i += 2)
                std::swap(out[i], out[i + 1]);
        break;
    }
    case TListEncoding::Ansi: {
        const std::string ansi = Os().system->WideToAnsi(all);
        out.assign(ansi.begin(), ansi.end());
        break;
    }
    }
    return out;
}

void TExeList::Load() {
    IFileSystem& files = *Os().files;
    if (!files.Exists(path)) return;
    if (!files.ReadAll(path, readBytes)) {
        unreadable = true;
        readBytes.clear();
        Log(L"Unable to read " + path + L"; it is left as it is");
        return;
    }
    text = DecodeListText(readBytes);
}

bool TExeList::Save() {
    if (unreadable) return false;
    IFileSystem& files = *Os().files;
    // A list never read from a file starts one in the ANSI code page: the empty file.
    const std::vector<std::uint8_t> bytes = changed ? EncodeListText(text) : readBytes;
    const std::wstring fresh = path + L".new";
    std::wstring error;
    if (!files.WriteAll(fresh, bytes, error) || !files.Replace(fresh, path)) {
        files.Delete(fresh);
        Log(L"Unable to write to " + path + (error.empty() ? L"" : L": " + error));
        return false;
    }
    return true;
}

std::size_t FindExeLine(const std::vector<std::wstring>& lines, const std::wstring& exeName) {
    const std::wstring wanted = AsciiLower(exeName);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t eq = lines[i].find(L'=');
        if (eq != std::wstring::npos && AsciiLower(lines[i].substr(0, eq)) == wanted) return i;
    }
    return lines.size();
}

std::size_t TExeList::Find(const std::wstring& exeName) const {
    return FindExeLine(text.lines, exeName);
}

bool TExeList::IsOn(const std::wstring& exeName) const {
    const std::size_t i = Find(exeName);
    return i < text.lines.size() && text.lines[i].find(L'=') + 1 < text.lines[i].size();
}

void TExeList::Toggle(const std::wstring& exeName) {
    const std::size_t i = Find(exeName);
    if (i == text.lines.size())
        text.lines.push_back(exeName + L"=1");
    else if (IsOn(exeName))
        text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(i));
    else
        text.lines[i] += L"1"; // the line ends in its "="
    changed = true;
}

} // namespace fg
