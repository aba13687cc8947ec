#include "app/UnitSpecialPaths.h"

#include "platform/Platform.h"

namespace fg {

std::wstring TSpecialPaths::GetSpecialFolder(int csidl) { return Os().system->SpecialFolder(csidl); }

std::wstring TSpecialPaths::GetCommonStartupPath() const {
    std::wstring path = GetSpecialFolder(24); // CSIDL_COMMON_STARTUP
    return path.empty() ? GetStartupPath() : path;
}

std::wstring TSpecialPaths::GetProfiles() const {
    const std::wstring common = GetCommonStartupPath();
    const std::size_t at = common.find(L"All Users");
    return at == std::wstring::npos ? std::wstring() : common.substr(0, at);
}

} // namespace fg
namespace fg { const TSpecialPaths SpecialPaths; }
