#include "ui/UnitFrmSysTrayMenu.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitThreadAttach.h"
#include "platform/Dpi.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitPopupIcons.h"

#include <utility>

namespace fg {

namespace {

std::wstring TipFor(const std::wstring& versionLabel) {
    if (versionLabel.empty()) return L"";
    std::wstring tip = L"Farrowglimmer v" + versionLabel;
    if (tip.size() > TfrmSysTrayMenu::kTipChars) tip.resize(TfrmSysTrayMenu::kTipChars);
    return tip;
}

// Clears a flag however the scope ends: a menu action that raises must not leave the tray
// believing its menu is still up.
struct TFlagGuard {
    bool& flag;
    ~TFlagGuard() { flag = false; }
};

// Hides the tray's window again however the menu ends: an action that raises included.
struct TMenuOwnerGuard {
    ITrayIconView& view;
    explicit TMenuOwnerGuard(ITrayIconView& v) : view(v) { view.ShowMenuOwner(true); }
    ~TMenuOwnerGuard() { view.ShowMenuOwner(false); }
    TMenuOwnerGuard(const TMenuOwnerGuard&) = delete;
    TMenuOwnerGuard& operator=(const TMenuOwnerGuard&) = delete;
};

// A menu entry's action, stamped first when timing marks are on: the time from the pick to the
// window it opens is what opening a window from the tray costs the user.
std::function<void()> Stamped(std::function<void()> action) {
    return [action = std::move(action)] {
        TimingMark(L"tray menu picked");
        action();
    };
}

} // namespace

TfrmSysTrayMenu::TfrmSysTrayMenu(ITrayIconView& v, HWindow w, const std::wstring& versionLabel,
                                 TSysTrayParts p)
    : view(v), window(w), tip(TipFor(versionLabel)), parts(std::move(p)),
      disabledEXEs(GetDataPath() + L"disabled.ini"),
      noRightClickEXEs(GetDataPath() + L"noright.ini"),
      disabledTimer(kDisabledIntervalMs, true, [this] { timDisabledTimer(); }) {
    AppendLog(L"SystemTrayIcon - creating");
    AddIcon();
    disabledEXEs.Load();
    noRightClickEXEs.Load();
}

TfrmSysTrayMenu::~TfrmSysTrayMenu() {
    view.DeleteIcon();
    SaveLists();
}

void TfrmSysTrayMenu::CheckParts() const {
    std::wstring missing;
    if (!parts.setMonitorEnabled) missing += L" mouse-monitor-switch";
    if (!parts.openConfiguration) missing += L" configuration";
    if (!parts.openEditGestures) missing += L" edit-gestures";
    if (!parts.openAbout) missing += L" about";
    if (!parts.showDebug) missing += L" debug-window";
    if (!parts.exitProgram) missing += L" exit";
    if (!missing.empty()) throw TUserError(L"The system tray is missing its" + missing);
}

void TfrmSysTrayMenu::Call(const std::function<void()>& f, const wchar_t* name) const {
    if (!f) throw TUserError(std::wstring(L"The system tray has no ") + name);
    f();
}

void TfrmSysTrayMenu::AddIcon() {
    shownIndex = view.AddIcon(kIconNormal, tip) ? kIconNormal : -1;
}

void TfrmSysTrayMenu::TaskbarCreated() {
    AddIcon();
}

void TfrmSysTrayMenu::SetIcon(int index) {
    currentIconIndex = index;
    if (shownIndex == index) return;
    shownIndex = view.ModifyIcon(index, tip) ? index : -1;
}

void TfrmSysTrayMenu::timDisabledTimer() {
    const bool scrollLock = Os().input->KeyToggled(vk::SCROLL);
    if (!parts.setMonitorEnabled) throw TUserError(L"The system tray has no mouse monitor");
    if (scrollLock) {
        SetIconIgnore();
        // Repeated on every tick: a pop-up that switched polling back on is put right.
        parts.setMonitorEnabled(false);
    } else {
        // Only on the way out of a suspension: switching on at every tick would also clear what
        // the monitor knows of the program in front (its gestures turned off).
        if (suspended) parts.setMonitorEnabled(true);
        SetIconNormal();
    }
    suspended = scrollLock;
}

void TfrmSysTrayMenu::WMTrayIcon(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
    case traymsg::LBUTTONDBLCLK:
        Attached(parts.openEditGestures, L"Edit Gestures window");
        break;
    case traymsg::RBUTTONDOWN:
        // Shift and a right click: the debug window, as on the Edit Gestures window's
        // background. A right double click cannot serve: its first press opens the menu.
        if (Os().input->KeyDown(vk::SHIFT))
            Call(parts.showDebug, L"debug window");
        else
            ShowPopup();
        break;
    case traymsg::RBUTTONDBLCLK:
        Call(parts.showDebug, L"debug window");
        break;
    default: // a single left click, releases and moves do nothing
        break;
    }
}

void TfrmSysTrayMenu::Attached(const std::function<void()>& open, const wchar_t* name) {
    TThreadAttach attach(GetForegroundHandle());
    if (!attach.IsAttached()) return;
    Call(open, name);
}

void TfrmSysTrayMenu::ShowPopup() {
    if (popupShowing) return;
    popupShowing = true;
    TFlagGuard showing{popupShowing};
    AppendLog(L"WMTrayIcon right button ");
    const TPoint cursor = Os().input->CursorPos();
    const int pictureSize = ScaleByDpi(16, DpiAt(cursor));

    TPopupMenu menu(6);
    menu[0].caption = L"&Configure ...";
    menu[0].picture = PopupIcon(piConfigure, pictureSize);
    menu[0].onClick =
        Stamped([this] { Attached(parts.openConfiguration, L"configuration window"); });
    menu[1].caption = L"-";
    menu[2].caption = L"Edit Gestures ...";
    menu[2].picture = PopupIcon(piEditGestures, pictureSize);
    menu[2].onClick =
        Stamped([this] { Attached(parts.openEditGestures, L"Edit Gestures window"); });
    menu[3].caption = L"-";
    menu[4].caption = L"About";
    menu[4].onClick = Stamped([this] { Attached(parts.openAbout, L"About window"); });
    menu[5].caption = L"Exit Farrowglimmer";
    menu[5].onClick = Stamped([this] { Call(parts.exitProgram, L"exit"); });

    AppendLog(L">>tray popup");
    {
        // A menu answers the keyboard, and closes when the user clicks elsewhere, only while
        // its owner is in front; under Wine the keys also need that owner shown.
        TMenuOwnerGuard shown(view);
        Os().desktop->SetForeground(window);
        Os().desktop->PopupMenu(menu, BesideCursor(cursor, {5, -4}), window);
    }
    AppendLog(L">>tray popup done");
}

void TfrmSysTrayMenu::SaveLists() {
    disabledEXEs.Save();
    noRightClickEXEs.Save();
}

} // namespace fg
