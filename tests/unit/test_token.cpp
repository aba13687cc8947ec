#include "app/UnitToken.h"

#include <gtest/gtest.h>

namespace fg {
namespace {

TEST(NextToken, CutsFieldsAndSkipsLeadingBlanksOnly) {
    std::wstring s = L"  a|b|";
    EXPECT_EQ(NextToken(s, L"|"), L"a");
    EXPECT_EQ(NextToken(s, L"|"), L"b");
    EXPECT_EQ(s, L"");
    EXPECT_EQ(NextToken(s, L"|"), L"");
    EXPECT_EQ(s, L"");

    s = L"abc";
    EXPECT_EQ(NextToken(s, L"|"), L"abc");
    EXPECT_EQ(s, L"");

    s = L"\t x  ||y";
    EXPECT_EQ(NextToken(s, L"|"), L"x  "); // trailing blanks stay
    EXPECT_EQ(NextToken(s, L"|"), L"");    // two delimiters in a row
    EXPECT_EQ(NextToken(s, L"|"), L"y");
}

} // namespace
} // namespace fg
