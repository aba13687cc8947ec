#include "app/UnitDataFolder.h"
#include "app/UnitMisc.h"
#include "fakes/FakePlatform.h"
#include "unit/LogLines.h"

#include <gtest/gtest.h>

namespace fg {
namespace {

// The program runs from C:\Tools\ (the fake's exe path).
TEST(DataFolder, AWritableFolderKeepsNoProbe) {
    fake::FakePlatform os;
    const auto before = os.files.files;
    EXPECT_TRUE(DataFolderWritable());
    EXPECT_EQ(os.files.files, before);
}

TEST(DataFolder, AnUnwritableFolderIsFoundAndTheMessageSaysWhereToGo) {
    const struct {
        std::map<int, std::wstring> folders;
        std::wstring suggested;
    } cases[] = {
        {{{28, L"C:\\Users\\me\\AppData\\Local"}},
         L"C:\\Users\\me\\AppData\\Local\\Programs\\Farrowglimmer"},
        {{{28, L"D:\\"}}, L"D:\\Programs\\Farrowglimmer"},
        {{}, L"%LOCALAPPDATA%\\Programs\\Farrowglimmer"},
    };
    for (const auto& c : cases) {
        fake::FakePlatform os;
        os.system.specialFolders = c.folders;
        os.files.readOnlyFolders.insert(GetDataPath());
        test::LogMark mark;
        EXPECT_FALSE(DataFolderWritable());
        ReportUnwritableDataFolder();
        ASSERT_EQ(os.desktop.messageBoxes.size(), 1u);
        const std::wstring& text = os.desktop.messageBoxes[0];
        EXPECT_NE(text.find(L"\r\nC:\\Tools\r\n"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"\r\n" + c.suggested + L"\r\n"), std::wstring::npos) << text;
        EXPECT_TRUE(os.files.files.empty());
        ASSERT_FALSE(mark.Messages().empty());
        EXPECT_EQ(mark.Messages()[0].rfind(L"The data folder cannot be written: C:\\Tools\\", 0),
                  0u);
    }
}

} // namespace
} // namespace fg
