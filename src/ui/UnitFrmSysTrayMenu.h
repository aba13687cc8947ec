// The tray: the program's one visible presence on the desktop. It keeps the notification-area
// icon (normal, or suspended while Scroll Lock is on, when gesture capture is switched off),
// answers clicks on it with the tray menu or a window, and carries the two per-program lists
// "disabled.ini" and "noright.ini". Its window is hidden; what it does lives here.
#pragma once

#include "app/UnitExeList.h"
#include "platform/Timer.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fg {

// The icon in the notification area, as the native side puts it there. Each call answers
// whether the shell took it.
class ITrayIconView {
  public:
    virtual ~ITrayIconView() = default;
    virtual bool AddIcon(int pictureIndex, const std::wstring& tip) = 0;
    virtual bool ModifyIcon(int pictureIndex, const std::wstring& tip) = 0;
    virtual void DeleteIcon() = 0;
    // Shows the tray's window (with no size, no taskbar button) while its menu is open, and hides
    // it again after. The keyboard works a menu only through the window in front; under Wine a
    // hidden window in front gets no keys from the keyboard, so the arrows and Enter were lost.
    virtual void ShowMenuOwner(bool shown) = 0;
};

// What the tray works with, handed over as it is made: the mouse monitor made before it, and the
// windows its entries open (most made after it, so reached through callbacks that run later).
// Start-up checks them (CheckParts), so a missing one stops the start instead of a dead menu entry.
struct TSysTrayParts {
    std::function<void(bool enabled)> setMonitorEnabled; // the mouse monitor's polling switch
    std::function<void()> openConfiguration;
    std::function<void()> openEditGestures;
    std::function<void()> openAbout;
    std::function<void()> showDebug;
    std::function<void()> exitProgram; // ends the message loop
};

// The mouse messages the icon reports (the callback message's lParam).
namespace traymsg {
constexpr std::uint32_t LBUTTONUP = 0x202, LBUTTONDBLCLK = 0x203, RBUTTONDOWN = 0x204,
                        RBUTTONUP = 0x205, RBUTTONDBLCLK = 0x206, MOUSEMOVE = 0x200,
                        LBUTTONDOWN = 0x201;
}

class TfrmSysTrayMenu {
  public:
    static constexpr int kIconSuspended = 0;
    static constexpr int kIconNormal = 1;
    static constexpr std::uint32_t kDisabledIntervalMs = 1300;
    // The notification area's tip holds 128 characters with its terminating NUL.
    static constexpr std::size_t kTipChars = 127;

    // FormCreate: adds the icon and reads both lists. versionLabel is major.minor ("1.0"); the
    // tip is "Farrowglimmer v" and the label, or empty without one.
    TfrmSysTrayMenu(ITrayIconView& view, HWindow window, const std::wstring& versionLabel,
                    TSysTrayParts parts);
    // FormDestroy: removes the icon and writes both lists.
    ~TfrmSysTrayMenu();
    TfrmSysTrayMenu(const TfrmSysTrayMenu&) = delete;
    TfrmSysTrayMenu& operator=(const TfrmSysTrayMenu&) = delete;

    // Raises TUserError naming every part that is missing.
    void CheckParts() const;

    // The shell's taskbar was made anew: the icon goes back, normal until the next tick.
    void TaskbarCreated();
    void WMTrayIcon(std::uint32_t mouseMessage);
    void ShowPopup();
    void timDisabledTimer();
    void SetIconNormal() { SetIcon(kIconNormal); }
    void SetIconIgnore() { SetIcon(kIconSuspended); }
    // Writes both lists now: at exit, and when the session ends (the process may not get as far
    // as its exit then).
    void SaveLists();

    int CurrentIconIndex() const { return currentIconIndex; }
    bool PopupShowing() const { return popupShowing; }
    const std::wstring& TipText() const { return tip; }
    const TTimer& timDisabled() const { return disabledTimer; }

    bool IsDisabledEXE(const std::wstring& exename) const { return disabledEXEs.IsOn(exename); }
    bool IsNoRightClickEXE(const std::wstring& exename) const {
        return noRightClickEXEs.IsOn(exename);
    }
    void ToggletDisabledEXE(const std::wstring& exename) { disabledEXEs.Toggle(exename); }
    void ToggleNoRightClickEXE(const std::wstring& exename) { noRightClickEXEs.Toggle(exename); }

  private:
    void SetIcon(int index);
    void AddIcon();
    // A menu action: runs only when the tray's thread can join the foreground's input, so the
    // window it opens may take the foreground.
    void Attached(const std::function<void()>& open, const wchar_t* name);
    void Call(const std::function<void()>& f, const wchar_t* name) const;

    ITrayIconView& view;
    HWindow window;
    std::wstring tip;
    TSysTrayParts parts;
    int currentIconIndex = kIconNormal;
    // What the notification area shows, so a tick that changes nothing costs the shell nothing;
    // -1 when unknown (the shell refused the last change).
    int shownIndex = -1;
    bool suspended = false;
    bool popupShowing = false;
    TExeList disabledEXEs;
    TExeList noRightClickEXEs;
    TTimer disabledTimer;
};

} // namespace fg
