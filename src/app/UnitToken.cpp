#include "app/UnitToken.h"

namespace fg {

std::wstring NextToken(std::wstring& s, const std::wstring& delimiter) {
    std::size_t start = 0;
    while (start < s.size() && s[start] <= L' ') ++start;
    s.erase(0, start);
    const std::size_t at = delimiter.empty() ? std::wstring::npos : s.find(delimiter);
    if (at == std::wstring::npos) {
        std::wstring token;
        token.swap(s);
        return token;
    }
    std::wstring token = s.substr(0, at);
    s.erase(0, at + delimiter.size());
    return token;
}

} // namespace fg
