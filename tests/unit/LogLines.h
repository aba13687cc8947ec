// Reading the debug log in tests: the messages appended since a mark, without their time prefix.
#pragma once

#include "app/UnitFrmDebug.h"

#include <string>
#include <vector>

namespace fg::test {

class LogMark {
  public:
    // The mark is a line of its own: counting lines would fail once the history is full and
    // drops its oldest line with every new one.
    LogMark() : marker(L"-- test mark " + std::to_wstring(++Serial()) + L" --") {
        AppendLog(marker);
    }
    // The messages appended since the mark, oldest first, with the time and marker cut off.
    std::vector<std::wstring> Messages() const {
        std::vector<std::wstring> out;
        for (const std::wstring& line : DebugHistory()) {
            std::wstring message = StripPrefix(line);
            if (message == marker) break;
            out.insert(out.begin(), std::move(message));
        }
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
    static int& Serial() {
        static int serial = 0;
        return serial;
    }
    std::wstring marker;
};

} // namespace fg::test
