// A keystroke record in one line, for tables of cases.
#pragma once

#include "actions/UnitFrmHotKey.h"

#include <cstdint>
#include <string>
#include <utility>

namespace fg::test {

inline TKeystrokeData Keys(bool alt, bool ctrl, bool shft, bool win, std::uint16_t key,
                           std::wstring name = L"none") {
    TKeystrokeData k;
    k.alt = alt;
    k.ctrl = ctrl;
    k.shft = shft;
    k.win = win;
    k.key = key;
    k.name = std::move(name);
    return k;
}

} // namespace fg::test
