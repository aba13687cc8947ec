#include "vocabulary/UnitMouseMovement.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace fg {

namespace {

struct DirectionInfo {
    wchar_t character;
    int angle;
    const wchar_t* text;
};

// Indexed by ordinal.
constexpr DirectionInfo kDirections[] = {
    {L'0', 270, L"Up"},         {L'1', 90, L"Down"},     {L'2', 180, L"Left"},
    {L'3', 0, L"Right"},        {L'4', 315, L"NE"},      {L'5', 225, L"NW"},
    {L'6', 45, L"SE"},          {L'7', 135, L"SW"},      {L'8', -1, L"None"},
    {L'A', -1, L"[Top]"},       {L'B', -1, L"[Bottom]"}, {L'C', -1, L"[LeftSide]"},
    {L'D', -1, L"[RightSide]"},
};

constexpr std::size_t kDirectionCount = sizeof(kDirections) / sizeof(kDirections[0]);

// A value read from outside (a cast byte) may lie beyond the table; treat it as no direction.
const DirectionInfo& Info(TMouseDirection md) {
    const auto i = static_cast<std::size_t>(md);
    return kDirections[i < kDirectionCount ? i : static_cast<std::size_t>(TMouseDirection::mdNone)];
}

using MD = TMouseDirection;

struct NeighbourPair {
    MD a, b;
};

constexpr NeighbourPair kNeighbours[] = {
    {MD::mdUp, MD::mdNE},    {MD::mdUp, MD::mdNW},   {MD::mdNE, MD::mdRight},
    {MD::mdRight, MD::mdSE}, {MD::mdSE, MD::mdDown}, {MD::mdDown, MD::mdSW},
    {MD::mdSW, MD::mdLeft},  {MD::mdLeft, MD::mdNW},
};

bool AreNeighbours(MD a, MD b) {
    return std::any_of(std::begin(kNeighbours), std::end(kNeighbours), [a, b](NeighbourPair n) {
        return (n.a == a && n.b == b) || (n.a == b && n.b == a);
    });
}

} // namespace

int TMouseMovement::DirectionToAngle(TMouseDirection md) {
    return Info(md).angle;
}

bool TMouseMovement::IsDiagonal(TMouseDirection md) {
    return md == TMouseDirection::mdNE || md == TMouseDirection::mdNW ||
           md == TMouseDirection::mdSE || md == TMouseDirection::mdSW;
}

bool TMouseMovement::IsMonitorPosition(TMouseDirection md) {
    return md == TMouseDirection::mdMonTop || md == TMouseDirection::mdMonBottom ||
           md == TMouseDirection::mdMonLeft || md == TMouseDirection::mdMonRight;
}

std::wstring TMouseMovement::ToString(TMouseDirection md) {
    return Info(md).text;
}

std::wstring TMouseMovement::ToChar(TMouseDirection md) {
    return std::wstring(1, Info(md).character);
}

TMouseDirection TMouseMovement::CharToDirection(wchar_t c) {
    // A digit is read as the ordinal itself, so "9" means the top edge just as "A" does.
    if (c >= L'0' && c <= L'9') return static_cast<TMouseDirection>(c - L'0');
    switch (c) {
    case L'A':
        return TMouseDirection::mdMonTop;
    case L'B':
        return TMouseDirection::mdMonBottom;
    case L'C':
        return TMouseDirection::mdMonLeft;
    case L'D':
        return TMouseDirection::mdMonRight;
    default:
        return TMouseDirection::mdNone;
    }
}

bool TMouseMovement::IsBetweenNeighbors(TMouseDirection dir1, TMouseDirection dir2, int angle) {
    if (!AreNeighbours(dir1, dir2)) return false;
    int a1 = DirectionToAngle(dir1);
    int a2 = DirectionToAngle(dir2);
    const bool acrossZero =
        (dir1 == MD::mdRight && dir2 == MD::mdNE) || (dir1 == MD::mdNE && dir2 == MD::mdRight);
    if (acrossZero) {
        if (dir1 == MD::mdRight) a1 = 360;
        if (dir2 == MD::mdRight) a2 = 360;
        if (angle == 0) angle = 360;
    }
    return std::min(a1, a2) <= angle && angle <= std::max(a1, a2);
}

std::wstring TMouseMovement::ToGestureString(const std::vector<TMouseDirection>& directions) {
    std::wstring gesture;
    TMouseDirection prev = TMouseDirection::mdNone;
    for (const TMouseDirection e : directions) {
        if (e == prev || e == TMouseDirection::mdNone) continue;
        gesture += ToChar(e);
        prev = e;
    }
    return gesture;
}

std::wstring ToHumanReadable(const std::wstring& gestureEncoded) {
    std::wstring h;
    for (const wchar_t ch : gestureEncoded) {
        if (!h.empty()) h += L'+';
        for (wchar_t c : TMouseMovement::ToString(ch))
            h += c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    }
    return h;
}

} // namespace fg
