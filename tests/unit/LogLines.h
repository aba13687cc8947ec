// Reading the debug log in tests: the messages appended since a mark, without their time prefix.
#pragma once

#include "app/UnitFrmDebug.h"

#include <string>
#include <vector>

namespace fg::test {

class LogMark {
  public:
    LogMark() : start(DebugHistory().size()) {}
    // The messages appended since the mark, oldest first, with the time and marker cut off.
    std::vector<std::wstring> Messages() const {
        std::vector<std::wstring> out;
        const auto& history = DebugHistory();
        const std::size_t added = history.size() >= start ? history.size() - start : history.size();
        for (std::size_t i = added; i-- > 0;) out.push_back(StripPrefix(history[i]));
        return out;
    }
    static std::wstring StripPrefix(const std::wstring& line) {
        for (const wchar_t* marker : {L":(x) ", L": "}) {
            const std::size_t at = line.find(marker);
            if (at != std::wstring::npos) return line.substr(at + std::wstring(marker).size());
        }
        return line;
    }

  private:
    std::size_t start;
};

} // namespace fg::test
