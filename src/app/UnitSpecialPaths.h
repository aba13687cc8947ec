// Where the user's special shell folders are, for the program editors' folder shortcuts.
#pragma once

#include <string>

namespace fg {

class TSpecialPaths {
  public:
    std::wstring GetDesktop() const { return GetSpecialFolder(0); }    // CSIDL_DESKTOP
    std::wstring GetMyDocs() const { return GetSpecialFolder(5); }     // CSIDL_PERSONAL
    std::wstring GetStartMenu() const { return GetSpecialFolder(11); } // CSIDL_STARTMENU
    std::wstring GetStartMenuAllUsers() const { return GetSpecialFolder(22); }
    std::wstring GetStartupPath() const { return GetSpecialFolder(7); } // CSIDL_STARTUP
    std::wstring GetCommonStartupPath() const;
    std::wstring GetAltStartupPath() const { return GetSpecialFolder(29); } // CSIDL_ALTSTARTUP
    std::wstring GetLocalAppData() const { return GetSpecialFolder(28); }   // CSIDL_LOCAL_APPDATA
    // The common start-up path cut just before "All Users"; empty when it holds no "All Users".
    std::wstring GetProfiles() const;

  private:
    static std::wstring GetSpecialFolder(int csidl);
};

} // namespace fg

namespace fg {
// The process-wide instance.
extern const TSpecialPaths SpecialPaths;
} // namespace fg
