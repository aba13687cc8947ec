#include "app/UnitTWideChar.h"

#include "app/UnitMisc.h"
#include "platform/Platform.h"

#include <algorithm>

namespace fg {

void TWideChar::Append(const std::string& ansi) { str += Os().system->AnsiToWide(ansi); }

void TWideChar::Append(std::uintptr_t globalH, std::uint32_t size) {
    str += GlobalHandleToString(globalH, size);
}

void TWideChar::TrimLeft(std::uint32_t chars) {
    str.erase(0, std::min<std::size_t>(chars, str.size()));
}

void TWideChar::TrimRight(std::uint32_t chars) {
    str.erase(str.size() - std::min<std::size_t>(chars, str.size()));
}

void TWideChar::LeftStr(std::uint32_t len) {
    if (len < str.size()) str.erase(len);
}

void TWideChar::RightStr(std::uint32_t len) {
    if (len < str.size()) str.erase(0, str.size() - len);
}

void TWideChar::Replace(wchar_t find, wchar_t replace, bool) {
    if (replace == 0) {
        str.erase(std::remove(str.begin(), str.end(), find), str.end());
        return;
    }
    std::replace(str.begin(), str.end(), find, replace);
}

void TWideChar::Replace(const std::wstring& find, const std::wstring& replace, bool) {
    if (find.empty()) return;
    std::wstring out;
    std::size_t from = 0;
    for (std::size_t at; (at = str.find(find, from)) != std::wstring::npos; from = at + find.size())
        out.append(str, from, at - from).append(replace);
    out.append(str, from, std::wstring::npos);
    str.swap(out);
}

wchar_t TWideChar::GetChar(std::int64_t pos) const {
    if (pos < 1 || pos > StrLength()) return 0;
    return str[static_cast<std::size_t>(pos - 1)];
}

} // namespace fg
