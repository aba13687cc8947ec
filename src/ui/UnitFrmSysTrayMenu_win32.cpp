#include "ui/UnitFrmSysTrayMenu_win32.h"

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Tally.h"
#include "ui/UnitPopupIcons.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace fg {

TfrmSysTrayMenuWindow::TfrmSysTrayMenuWindow(const std::wstring& versionLabel,
                                             TSysTrayParts parts) {
    // A hidden top-level window, not a message-only one: those never hear the shell's
    // broadcast that the taskbar was made anew, nor the end of the session.
    CreateNative({.className = L"TfrmSysTrayMenu",
                  .caption = L"Farrowglimmer - System Tray",
                  .style = WS_POPUP,
                  .exStyle = WS_EX_TOOLWINDOW});
    WM_TASKBAR_CREATE = RegisterWindowMessageW(L"TaskbarCreated");
    logic = std::make_unique<TfrmSysTrayMenu>(*this, reinterpret_cast<HWindow>(hwnd), versionLabel,
                                              std::move(parts));
}

TfrmSysTrayMenuWindow::~TfrmSysTrayMenuWindow() {
    logic.reset(); // removes the icon while the window still exists
    for (HICON& icon : icons)
        if (icon) tally::DestroyIcon(icon);
}

HICON TfrmSysTrayMenuWindow::Icon(int pictureIndex) {
    const int i = pictureIndex == TfrmSysTrayMenu::kIconSuspended ? 0 : 1;
    if (!icons[i]) {
        // The notification area shows small icons at the system's DPI.
        const int size = GetSystemMetrics(SM_CXSMICON);
        icons[i] = PictureToIcon(TrayIconPicture(i == 0, size), kIconTransparent);
    }
    return icons[i];
}

bool TfrmSysTrayMenuWindow::Notify(DWORD action, int pictureIndex, const std::wstring& tip) {
    if (!hwnd) return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = Icon(pictureIndex);
    const std::size_t chars = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.begin(), chars, data.szTip);
    data.szTip[chars] = L'\0';
    return Shell_NotifyIconW(action, &data) != FALSE;
}

bool TfrmSysTrayMenuWindow::AddIcon(int pictureIndex, const std::wstring& tip) {
    // After the taskbar was made anew the shell has forgotten the icon; a failed add may also
    // mean it still knows it, so a change is tried in its place.
    iconAdded = Notify(NIM_ADD, pictureIndex, tip) || Notify(NIM_MODIFY, pictureIndex, tip);
    return iconAdded;
}

bool TfrmSysTrayMenuWindow::ModifyIcon(int pictureIndex, const std::wstring& tip) {
    if (!iconAdded) return AddIcon(pictureIndex, tip);
    return Notify(NIM_MODIFY, pictureIndex, tip);
}

void TfrmSysTrayMenuWindow::DeleteIcon() {
    if (!hwnd) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
    iconAdded = false;
}

void TfrmSysTrayMenuWindow::ShowMenuOwner(bool shown) {
    if (!hwnd) return;
    // No size, so nothing of it shows; a tool window, so it has no taskbar button.
    if (shown)
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    else
        ShowWindow(hwnd, SW_HIDE);
}

LRESULT TfrmSysTrayMenuWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TASKBAR_CREATE && WM_TASKBAR_CREATE != 0) {
        if (logic) logic->TaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_TRAYICON:
        if (logic) logic->WMTrayIcon(static_cast<std::uint32_t>(LOWORD(lParam)));
        return 0;
    case WM_QUERYENDSESSION:
        // The session may end without this process reaching its exit: the lists go now.
        if (logic) logic->SaveLists();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && logic) logic->SaveLists();
        return 0;
    }
    return TWin32Window::WndProc(msg, wParam, lParam);
}

} // namespace fg
