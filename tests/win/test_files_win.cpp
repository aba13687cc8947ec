// Plain and profile files through the real system routines.
#include "app/UnitMisc.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fg {
namespace {

TEST(ProfileFiles, RoundTripThroughTheSystemRoutines) {
    IFileSystem& files = *Os().files;
    const std::wstring ini = GetDataPath() + L"ProfileWinTest.ini";
    files.Delete(ini);
    EXPECT_EQ(files.ProfileRead(ini, L"Settings", L"Disabled", L"none"), L"none");
    ASSERT_TRUE(files.ProfileWrite(ini, L"Settings", L"Disabled", L"1"));
    ASSERT_TRUE(files.ProfileWrite(ini, L"91", L"Action", L"a|b"));
    const std::wstring longValue(100000, L'v');
    ASSERT_TRUE(files.ProfileWrite(ini, L"91", L"Long", longValue));

    EXPECT_EQ(files.ProfileRead(ini, L"settings", L"DISABLED", L""), L"1");
    EXPECT_EQ(files.ProfileRead(ini, L"91", L"Long", L""), longValue); // never cut short
    EXPECT_EQ(files.ProfileSectionNames(ini), (std::vector<std::wstring>{L"Settings", L"91"}));
    EXPECT_EQ(files.ProfileKeyNames(ini, L"91"), (std::vector<std::wstring>{L"Action", L"Long"}));

    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(files.ReadAll(ini, bytes));
    const std::string head(bytes.begin(), bytes.begin() + 32);
    EXPECT_EQ(head, "[Settings]\r\nDisabled=1\r\n[91]\r\nAc");
    EXPECT_TRUE(files.Delete(ini));
    EXPECT_FALSE(files.Exists(ini));
}

TEST(PlainFiles, WriteMoveAndRead) {
    IFileSystem& files = *Os().files;
    const std::wstring a = GetDataPath() + L"PlainWinTest.a", b = GetDataPath() + L"PlainWinTest.b";
    files.Delete(a);
    files.Delete(b);
    std::wstring error;
    ASSERT_TRUE(files.WriteAll(a, {1, 2, 3}, error));
    EXPECT_TRUE(files.Move(a, b));
    EXPECT_FALSE(files.Exists(a));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(files.ReadAll(b, bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(files.WriteAll(GetDataPath() + L"no\\such\\dir\\x", {1}, error));
    EXPECT_FALSE(error.empty());
    files.Delete(b);
}

} // namespace
} // namespace fg
