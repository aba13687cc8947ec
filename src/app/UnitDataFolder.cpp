#include "app/UnitDataFolder.h"

#include "app/UnitMisc.h"
#include "platform/Platform.h"

#include <vector>

namespace fg {
namespace {

constexpr int kCsidlLocalAppData = 28; // CSIDL_LOCAL_APPDATA
constexpr const wchar_t* kProbeFile = L"Farrowglimmer write test.tmp";

} // namespace

bool DataFolderWritable() {
    IFileSystem& files = *Os().files;
    const std::wstring probe = GetDataPath() + kProbeFile;
    std::wstring error;
    if (!files.WriteAll(probe, {'o', 'k'}, error)) return false;
    // A probe that cannot be removed again still proves the folder takes new files.
    files.Delete(probe);
    return true;
}

std::wstring SuggestedProgramFolder() {
    std::wstring folder = Os().system->SpecialFolder(kCsidlLocalAppData);
    if (folder.empty()) return folder;
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"Programs\\Farrowglimmer\\";
}

std::wstring UnwritableFolderMessage(const std::wstring& folder, const std::wstring& suggested) {
    const std::wstring where = suggested.empty()
                                   ? L"a folder of your own, for example in your user profile"
                                   : L"a folder of your own, for example\r\n" + suggested;
    return L"Farrowglimmer cannot save in its folder\r\n" + folder +
           L"\r\n\r\nGestures and settings you change will not be kept, and you will be told "
           L"each time a save fails. To keep them, end Farrowglimmer, move its folder to " +
           where + L"\r\nand start it from there.";
}

} // namespace fg
