#include "app/UnitDataFolder.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitSpecialPaths.h"
#include "platform/Platform.h"

#include <cstdint>
#include <vector>

namespace fg {
namespace {

constexpr const wchar_t* kProbeName = L"Farrowglimmer.write-test.tmp";

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

} // namespace

bool DataFolderWritable() {
    IFileSystem& files = *Os().files;
    const std::wstring probe = GetDataPath() + kProbeName;
    std::wstring error;
    if (!files.WriteAll(probe, std::vector<std::uint8_t>{}, error)) {
        AppendLog(L"The data folder cannot be written: " + probe + L": " + error);
        return false;
    }
    // Made but not removable: the files themselves can still be written, so the folder serves.
    if (!files.Delete(probe)) AppendLog(L"Unable to delete " + probe);
    return true;
}

std::wstring SuggestedProgramFolder() {
    const std::wstring local = SpecialPaths.GetLocalAppData();
    const std::wstring base = local.empty() ? L"%LOCALAPPDATA%" : local;
    return base + (base.back() == L'\\' ? L"" : L"\\") + L"Programs\\Farrowglimmer";
}

std::wstring UnwritableDataFolderMessage() {
    return L"Farrowglimmer cannot save its files in its folder:\r\n\r\n" +
           WithoutTrailingBackslash(GetDataPath()) +
           L"\r\n\r\nIt runs, but the settings and gestures you change are not kept.\r\n\r\n"
           L"Move the folder with Farrowglimmer.exe to a folder you can write to, for "
           L"example\r\n\r\n" +
           SuggestedProgramFolder() + L"\r\n\r\nand start Farrowglimmer.exe from there.";
}

void ReportUnwritableDataFolder() {
    AppendLog(L"Told the user that the data folder cannot be written");
    Os().desktop->ShowMessage(UnwritableDataFolderMessage(), L"Farrowglimmer");
}

} // namespace fg
