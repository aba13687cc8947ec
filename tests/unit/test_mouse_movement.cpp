#include "vocabulary/UnitMouseMovement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fg {
namespace {

using enum TMouseDirection;
using MM = TMouseMovement;

// The ordinals and characters are the stored gesture format; a change here breaks every saved
// gesture file.
TEST(TMouseMovement, DirectionTable) {
    struct Row {
        TMouseDirection md;
        int ordinal;
        wchar_t ch;
        int angle; // -1: none
        const wchar_t* text;
        bool diagonal;
        bool monitor;
    };
    const Row rows[] = {
        {mdUp, 0, L'0', 270, L"Up", false, false},
        {mdDown, 1, L'1', 90, L"Down", false, false},
        {mdLeft, 2, L'2', 180, L"Left", false, false},
        {mdRight, 3, L'3', 0, L"Right", false, false},
        {mdNE, 4, L'4', 315, L"NE", true, false},
        {mdNW, 5, L'5', 225, L"NW", true, false},
        {mdSE, 6, L'6', 45, L"SE", true, false},
        {mdSW, 7, L'7', 135, L"SW", true, false},
        {mdNone, 8, L'8', -1, L"None", false, false},
        {mdMonTop, 9, L'A', -1, L"[Top]", false, true},
        {mdMonBottom, 10, L'B', -1, L"[Bottom]", false, true},
        {mdMonLeft, 11, L'C', -1, L"[LeftSide]", false, true},
        {mdMonRight, 12, L'D', -1, L"[RightSide]", false, true},
    };
    static_assert(sizeof(TMouseDirection) == 1);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "ordinal " << r.ordinal);
        EXPECT_EQ(static_cast<int>(r.md), r.ordinal);
        EXPECT_EQ(MM::ToChar(r.md), std::wstring(1, r.ch));
        EXPECT_EQ(MM::CharToDirection(r.ch), r.md);
        if (r.angle >= 0) {
            EXPECT_EQ(MM::DirectionToAngle(r.md), r.angle);
        }
        EXPECT_EQ(MM::ToString(r.md), r.text);
        EXPECT_EQ(MM::ToString(r.ch), r.text);
        EXPECT_EQ(MM::IsDiagonal(r.md), r.diagonal);
        EXPECT_EQ(MM::IsNotDiagonal(r.md), !r.diagonal);
        EXPECT_EQ(MM::IsMonitorPosition(r.md), r.monitor);
        EXPECT_EQ(MM::IsMonitorPosition(r.ch), r.monitor);
    }
}

TEST(TMouseMovement, CharactersOutsideTheTable) {
    struct Row {
        wchar_t ch;
        TMouseDirection md;
    };
    // "9" is decoded by its digit value; only upper-case letters name a monitor position.
    const Row rows[] = {{L'9', mdMonTop}, {L'a', mdNone}, {L'd', mdNone},  {L'E', mdNone},
                        {L' ', mdNone},   {L'x', mdNone}, {L'\0', mdNone}, {L'/', mdNone}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "code " << static_cast<int>(r.ch));
        EXPECT_EQ(MM::CharToDirection(r.ch), r.md);
        EXPECT_EQ(MM::IsMonitorPosition(r.ch), MM::IsMonitorPosition(r.md));
        EXPECT_EQ(MM::ToString(r.ch), MM::ToString(r.md));
    }
    EXPECT_EQ(MM::ToString(L'C'), L"[LeftSide]");
    EXPECT_EQ(MM::ToString(L'x'), L"None");
    // A stray byte read from outside must not index past the table.
    EXPECT_EQ(MM::ToString(static_cast<TMouseDirection>(200)), L"None");
    EXPECT_EQ(MM::DirectionToAngle(static_cast<TMouseDirection>(200)), -1);
}

TEST(TMouseMovement, GestureStringDropsNoneAndRepeats) {
    EXPECT_EQ(MM::ToGestureString({}), L"");
    EXPECT_EQ(MM::ToGestureString({mdMonTop, mdDown, mdDown, mdNone, mdDown, mdRight, mdNone}),
              L"A13");
    EXPECT_EQ(MM::ToGestureString({mdNE, mdUp, mdNE}), L"404");
    EXPECT_EQ(MM::ToGestureString({mdNone, mdNone}), L"");
}

} // namespace
} // namespace fg
