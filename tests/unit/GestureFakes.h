// Views of gesture files for tests: a file's bindings as one comparable value, and its rows as
// the Edit Gestures window lists them. The keystroke conversions are the program's own, which
// keep no state.
#pragma once

#include "actions/UnitFrmHotKey.h"
#include "gestures/UnitFrmGesturesEdit.h"
#include "gestures/UnitGestureFile.h"
#include "vocabulary/UnitMouseMovement.h"

#include <string>
#include <vector>

namespace fg::test {

using Row = TFrmGesturesEdit::TGestureRow;

inline std::vector<Row> Rows(const TGestureFile& f) {
    std::vector<Row> rows;
    for (const TGestureBinding& b : f.Bindings())
        rows.push_back(TFrmGesturesEdit::Row(b, TKeystrokeConversions::Default()));
    return rows;
}

// Each binding with its human-readable form, string, type and action, in order, and the flag.
inline std::vector<std::wstring> Bindings(const TGestureFile& f) {
    std::vector<std::wstring> out;
    for (const TGestureBinding& b : f.Bindings())
        out.push_back(ToHumanReadable(b.gesture) + L" -> " + b.gesture + L" | " + b.type + L" | " +
                      b.action);
    out.push_back(f.disabled ? L"disabled" : L"enabled");
    return out;
}

} // namespace fg::test
