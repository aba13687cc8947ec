// Stroke directions and the gesture string: one character per element, the form in which gestures
// are stored, compared, looked up and shown everywhere in the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fg {

// The ordinals are the stored gesture format: never reorder or insert.
enum class TMouseDirection : std::uint8_t {
    mdUp = 0,
    mdDown = 1,
    mdLeft = 2,
    mdRight = 3,
    mdNE = 4,
    mdNW = 5,
    mdSE = 6,
    mdSW = 7,
    mdNone = 8,
    mdMonTop = 9,
    mdMonBottom = 10,
    mdMonLeft = 11,
    mdMonRight = 12,
};

class TMouseMovement {
  public:
    // Screen degrees (0 = right, 90 = down) for the eight strokes; -1 for anything else.
    static int DirectionToAngle(TMouseDirection md);
    static bool IsDiagonal(TMouseDirection md);
    static bool IsNotDiagonal(TMouseDirection md) { return !IsDiagonal(md); }
    static bool IsMonitorPosition(TMouseDirection md);
    static bool IsMonitorPosition(wchar_t ch) { return IsMonitorPosition(CharToDirection(ch)); }
    static std::wstring ToString(TMouseDirection md);
    static std::wstring ToString(wchar_t ch) { return ToString(CharToDirection(ch)); }
    static std::wstring ToChar(TMouseDirection md);
    static TMouseDirection CharToDirection(wchar_t c);
    // Whether the two strokes are neighbours (45 degrees apart) and the angle lies on the arc
    // between them, both ends included. Right and up-right meet across 0: their arc is 315 to
    // 360, and an angle of 0 counts as 360.
    static bool IsBetweenNeighbors(TMouseDirection dir1, TMouseDirection dir2, int angle);
    // The gesture string of a captured list: mdNone and repeats of the previous element are left
    // out, so it never holds "8" or the same character twice in a row.
    static std::wstring ToGestureString(const std::vector<TMouseDirection>& directions);
};

// The human-readable form of a gesture string: each element's name in capitals, joined by "+".
// "03" gives "UP+RIGHT", "A1" gives "[TOP]+DOWN": what lists show and what lookups key on.
std::wstring ToHumanReadable(const std::wstring& gestureEncoded);

} // namespace fg
