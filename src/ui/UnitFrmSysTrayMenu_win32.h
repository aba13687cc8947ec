// The tray's hidden window "Farrowglimmer - System Tray": it puts the icon into the notification
// area, hears the icon's mouse messages and the shell's "TaskbarCreated", and passes them on.
#pragma once

#include "platform/win32/Window.h"
#include "ui/UnitFrmSysTrayMenu.h"

#include <memory>

namespace fg {

// The callback message of the icon.
constexpr UINT WM_TRAYICON = WM_USER + 1;

class TfrmSysTrayMenuWindow : public TWin32Window, public ITrayIconView {
  public:
    // versionLabel: the About window's version label ("1.0"), which the tip shows.
    TfrmSysTrayMenuWindow(const std::wstring& versionLabel, TSysTrayParts parts);
    ~TfrmSysTrayMenuWindow() override;
    TfrmSysTrayMenu& Logic() { return *logic; }

    bool AddIcon(int pictureIndex, const std::wstring& tip) override;
    bool ModifyIcon(int pictureIndex, const std::wstring& tip) override;
    void DeleteIcon() override;
    void ShowMenuOwner(bool shown) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Notify(DWORD action, int pictureIndex, const std::wstring& tip);
    HICON Icon(int pictureIndex);

    UINT WM_TASKBAR_CREATE = 0;
    HICON icons[2] = {nullptr, nullptr}; // by picture index, made at first use
    bool iconAdded = false;
    std::unique_ptr<TfrmSysTrayMenu> logic;
};

} // namespace fg
