#include "gestures/UnitFrmGesturesWindow_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Menus.h"
#include "platform/win32/Tally.h"
#include "ui/UnitPopupIcons.h"

#include <windowsx.h>

#include <utility>
#include <vector>

namespace fg {

namespace {

constexpr int kClientWidth = 913;
constexpr int kClientHeight = 540;
constexpr int kIconSize = 16;

enum : int {
    idTabs = 10,
    idNotice,
    idPrograms,
    idGestures,
    idDisableAll,
    idNewGesture,
    idConfigure,
    idPreview,
    idFooter,
};

// The gesture list beside the program list, in the designed client area.
constexpr RECT kGesturesBesidePrograms{212, 64, 790, 436};

struct Column {
    const wchar_t* caption;
    int width;
};
constexpr Column kGestureColumns[] = {
    {L"Gesture Movements", 200}, {L"Action Type", 130}, {L"Action", 220}};

void SetItemText(HWND list, int item, int sub, const std::wstring& text) {
    LVITEMW it{};
    it.iSubItem = sub;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

int InsertItem(HWND list, int item, const std::wstring& text, int image) {
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = item;
    it.iImage = image;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

int SelectedItem(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace

TFrmGesturesWindow::TFrmGesturesWindow(TGestureStore& store, TGesturesEditParts parts) {
    // A taskbar button of its own although the program shows no main window.
    if (CreateNative({.className = L"TFrmGestures",
                      .caption = L"Farrowglimmer - Edit Gestures",
                      .style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                      .exStyle = WS_EX_APPWINDOW,
                      .parent = GetDesktopWindow(),
                      .x = 0,
                      .y = 0,
                      .clientWidth = kClientWidth,
                      .clientHeight = kClientHeight})) {
        CreateControls(Rows(), {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
        SetUpLists();
        SetIcons();
    }
    logic = std::make_unique<TFrmGesturesEdit>(store, hwnd ? this : nullptr, std::move(parts));
    // Enter edits the action of the gesture selected in the list; Escape closes as the close
    // button does.
    onEnter = [this] {
        if (GetFocus() == controls.Item(idGestures)) logic->MIEditActionClick();
    };
    onEscape = [this] { logic->FormCloseQuery(); };
    if (hwnd) SetPreviewSize(); // drawn at the picture box's size at this DPI
    Mirror();
}

TFrmGesturesWindow::~TFrmGesturesWindow() {
    logic.reset(); // it leaves the store before the controls go
    if (hwnd) tally::DestroyWindow(hwnd);
    if (icons) tally::ImageList_Destroy(icons);
}

// In the tab order. The gesture list's rectangle is the Global tab's; beside the program list
// it is narrower and leaves room for the disable box below it.
std::vector<ControlRow> TFrmGesturesWindow::Rows() {
    using K = ControlKind;
    return {
        {idTabs, K::Tabs, L"", 4, 4, 905, 28, akLeft | akTop | akRight},
        {idNotice, K::Label, L"No Gestures defined.", 8, 42, 400, 16, akTopLeft},
        {idPrograms, K::ListView, L"", 8, 64, 200, 408, akLeft | akTop | akBottom},
        {idGestures, K::ListView, L"", 8, 64, 782, 408, akAll},
        {idDisableAll, K::CheckBox, L"", 214, 446, 576, 17, akLeft | akRight | akBottom,
         [this] {
             logic->cbDisableAllClick(
                 SendMessageW(controls.Item(idDisableAll), BM_GETCHECK, 0, 0) == BST_CHECKED);
         }},
        {idNewGesture, K::Button, L"New Gesture", 796, 65, 109, 29, akTopRight,
         [this] { logic->btnNewGestureClick(); }},
        {idConfigure, K::Button, L"Configure...", 796, 495, 109, 29, akRight | akBottom,
         [this] { logic->btnConfigureClick(); }},
        {idPreview, K::Picture, L"", 796, 111, 109, 105, akTopRight},
        {idFooter, K::Label,
         L"Gestures are performed by holding the right mouse button and moving the mouse.", 8, 503,
         0, 0, akLeft | akBottom},
    };
}

void TFrmGesturesWindow::SetUpLists() {
    HWND tabs = controls.Item(idTabs);
    const wchar_t* captions[] = {L"  Global         ", L"  Per-Program    "};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    for (int id : {idPrograms, idGestures}) {
        HWND list = controls.Item(id);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        const auto add = [list](int i, const wchar_t* caption) {
            LVCOLUMNW c{};
            c.mask = LVCF_TEXT | LVCF_WIDTH;
            c.pszText = const_cast<wchar_t*>(caption);
            SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&c));
        };
        if (id == idPrograms)
            add(0, L"Programs");
        else
            for (int i = 0; i < 3; ++i)
                add(i, kGestureColumns[i].caption);
    }
    SetColumnWidths();
}

void TFrmGesturesWindow::SetColumnWidths() {
    HWND gestures = controls.Item(idGestures);
    for (int i = 0; i < 3; ++i)
        SendMessageW(gestures, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     Scale(kGestureColumns[i].width));
    // The one column fills the list.
    RECT r{};
    HWND programs = controls.Item(idPrograms);
    GetClientRect(programs, &r);
    SendMessageW(programs, LVM_SETCOLUMNWIDTH, 0, r.right - r.left);
}

void TFrmGesturesWindow::SetIcons() {
    HIMAGELIST old = icons;
    icons = PicturesToImageList({PopupIcon(piGestureDrawing, Scale(kIconSize))}, kIconTransparent);
    SendMessageW(controls.Item(idPrograms), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(icons));
    if (old) tally::ImageList_Destroy(old);
}

void TFrmGesturesWindow::SetPreviewSize() {
    RECT r{};
    GetClientRect(controls.Item(idPreview), &r);
    if (logic) logic->SetPreviewSize(r.right - r.left, r.bottom - r.top);
}

void TFrmGesturesWindow::DpiChanged(const RECT& suggested) {
    TTableWindow::DpiChanged(suggested);
    SetColumnWidths();
    SetPreviewSize();
    Mirror();
}

void TFrmGesturesWindow::LaidOut() {
    RECT r{};
    GetClientRect(hwnd, &r);
    const bool beside = logic && logic->Tab() == kProgramTab;
    if (!beside) return; // the table placed it
    const RECT& d = kGesturesBesidePrograms;
    const int right = r.right - Scale(kClientWidth - d.right);
    const int bottom = r.bottom - Scale(kClientHeight - d.bottom);
    SetWindowPos(controls.Item(idGestures), nullptr, Scale(d.left), Scale(d.top),
                 right - Scale(d.left), bottom - Scale(d.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmGesturesWindow::FillGestures() {
    HWND list = controls.Item(idGestures);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int i = 0;
    for (const TFrmGesturesEdit::TGestureRow& row : logic->Rows()) {
        const int at = InsertItem(list, i++, row.gesture, I_IMAGENONE);
        SetItemText(list, at, 1, row.type);
        if (row.action) SetItemText(list, at, 2, *row.action);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    rowsShown = logic->RowsVersion();
}

void TFrmGesturesWindow::FillPrograms() {
    HWND list = controls.Item(idPrograms);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int i = 0;
    for (const TFrmGesturesEdit::TProgramRow& row : logic->Programs())
        InsertItem(list, i++, row.caption, row.hasGestures ? 0 : I_IMAGENONE);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    programsShown = logic->ProgramsVersion();
}

void TFrmGesturesWindow::MirrorSelection(HWND list, std::optional<std::size_t> row) {
    const int want = row ? static_cast<int>(*row) : -1;
    if (SelectedItem(list) == want) return;
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (want < 0) return;
    LVITEMW set{};
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(want), reinterpret_cast<LPARAM>(&set));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(want), FALSE);
}

void TFrmGesturesWindow::Mirror() {
    if (!hwnd || !logic) return;
    mirroring = true;
    const bool programTab = logic->Tab() == kProgramTab;
    HWND tabs = controls.Item(idTabs);
    if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != logic->Tab())
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(logic->Tab()), 0);
    controls.Show(idPrograms, programTab);
    controls.Show(idNotice, logic->NoticeShown());
    controls.Show(idDisableAll, logic->DisableAllShown());
    HWND box = controls.Item(idDisableAll);
    SetWindowTextW(box, logic->DisableAllCaption().c_str());
    SendMessageW(box, BM_SETCHECK, logic->DisableAllChecked() ? BST_CHECKED : BST_UNCHECKED, 0);
    LayOut();
    if (programsShown != logic->ProgramsVersion()) FillPrograms();
    if (rowsShown != logic->RowsVersion()) FillGestures();
    MirrorSelection(controls.Item(idPrograms), logic->SelectedProgramRow());
    MirrorSelection(controls.Item(idGestures), logic->SelectedRow());
    InvalidateRect(controls.Item(idPreview), nullptr, FALSE);
    mirroring = false;
}

bool TFrmGesturesWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

void TFrmGesturesWindow::Show() {
    if (!hwnd) return;
    if (!IsWindowVisible(hwnd)) CenterOnMonitor(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

void TFrmGesturesWindow::Hide() {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

bool TFrmGesturesWindow::Confirm(const std::wstring& text) {
    return MessageBoxW(hwnd, text.c_str(), L"Farrowglimmer", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TFrmGesturesWindow::OpenMenu(POINT at) {
    HWND list = controls.Item(idGestures);
    const int item = SelectedItem(list);
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: below the selected row, or the list's corner.
        RECT r{0, 0, 0, 0};
        if (item >= 0) {
            r.left = LVIR_LABEL;
            SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(&r));
        }
        at = {r.left + Scale(8), r.bottom};
        ClientToScreen(list, &at);
    }
    TrackMenu(logic->pmRightClick(), {at.x, at.y}, hwnd);
}

void TFrmGesturesWindow::Notified(const NMHDR& n, LPARAM lParam) {
    if (n.idFrom == idTabs && n.code == TCN_SELCHANGE) {
        return logic->tsSwitchChange(
            static_cast<int>(SendMessageW(n.hwndFrom, TCM_GETCURSEL, 0, 0)));
    }
    if (n.code == LVN_ITEMCHANGED) {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (!(change.uChanged & LVIF_STATE) ||
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0)
            return;
        const int item = SelectedItem(n.hwndFrom);
        if (n.idFrom == idPrograms && item >= 0)
            logic->lbProgramsSelectItem(static_cast<std::size_t>(item));
        if (n.idFrom == idGestures)
            logic->lvGesturesSelectItem(item >= 0 ? std::optional<std::size_t>(item)
                                                  : std::nullopt);
        return;
    }
    if (n.idFrom != idGestures) return;
    switch (n.code) {
    case NM_CLICK:
        return logic->lvGesturesClick();
    case NM_RETURN:
        return logic->MIEditActionClick();
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) logic->Delete1Click();
        return;
    }
}

void TFrmGesturesWindow::DrawPreview(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    TGdiCanvas canvas(item.hDC, {r.left, r.top, r.right, r.bottom});
    logic->Preview().DrawOn(canvas);
}

LRESULT TFrmGesturesWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!logic) return TTableWindow::WndProc(msg, wParam, lParam);
    switch (msg) {
    case WM_CLOSE: // the window lives until the program ends: closing saves and hides it
        logic->FormCloseQuery();
        return 0;
    case WM_QUERYENDSESSION:
        return logic->WMEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam) logic->ExitProgram();
        return 0;
    case WM_LBUTTONDOWN:
        logic->FormClick();
        return 0;
    case WM_NOTIFY:
        if (!mirroring) Notified(*reinterpret_cast<const NMHDR*>(lParam), lParam);
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == controls.Item(idGestures)) {
            OpenMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == idPreview) {
            DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
