#include "ui/UnitFrmConfig_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Modal.h"
#include "platform/win32/Tally.h"
#include "ui/UnitFrmConfigLayout_win32.h"
#include "ui/UnitPopupIcons.h"

namespace fg {

namespace {

struct Node {
    const wchar_t* text;
    int icon;
};

// The tree's nodes, in the order of the pages.
constexpr Node kNodes[kConfigPageCount] = {
    {L"Gesture Drawing", piGestureDrawing},
    {L"Gesture Advanced", piGestureAdvanced},
    {L"Help Popup", piHelpPopup},
    {L"Diagonals", piDiagonals},
    {L"Misc", piEditGestures},
};

constexpr int kIconSize = 16;
constexpr int kIconMargin = 3; // between the tree's edge and its pictures

bool IsTrackBar(int id) {
    const wchar_t* key = ConfigKeyOfId(id);
    const TSetting* s = key ? FindSetting(key) : nullptr;
    return s && (s->control == TSettingControl::scTrackBar ||
                 s->control == TSettingControl::scDecimalTrackBar);
}

bool PageShows(int page, const TFrmConfig& c) {
    if (page < 0) return true;
    if (page == kSubPageFullScreen)
        return c.Page() == cpGestureMethod && c.DrawingSubPage() == TDrawingSubPage::dsFullScreen;
    if (page == kSubPageScratchPad)
        return c.Page() == cpGestureMethod && c.DrawingSubPage() == TDrawingSubPage::dsScratchPad;
    return page == c.Page();
}

} // namespace

TFrmConfigWindow::TFrmConfigWindow() {
    // A taskbar button of its own although the program shows no main window.
    if (CreateNative({.className = L"TFrmConfig",
                      .caption = L"Farrowglimmer - Configuration",
                      // Not clipping its children: group boxes leave their inside to the
                      // parent's background.
                      .style = WS_CAPTION | WS_SYSMENU,
                      .exStyle = WS_EX_APPWINDOW,
                      .parent = GetDesktopWindow(),
                      .x = 0,
                      .y = 0,
                      .clientWidth = kConfigClientWidth,
                      .clientHeight = kConfigClientHeight})) {
        CreateControls(Rows(), {L"Tahoma", 8}, kConfigClientWidth, kConfigClientHeight, Dpi());
        MakeTree();
        SetUpTrackBars();
    }
    logic = std::make_unique<TFrmConfig>(hwnd ? this : nullptr);
    // Escape closes the window as its close button does: saved and applied. Enter does nothing
    // but on the link.
    onEscape = [this] { logic->FormClose(); };
    if (hwnd) Mirror();
}

TFrmConfigWindow::~TFrmConfigWindow() {
    if (hwnd) tally::DestroyWindow(hwnd); // before the image list its tree uses
    if (icons) tally::ImageList_Destroy(icons);
}

std::vector<ControlRow> TFrmConfigWindow::Rows() {
    std::vector<ControlRow> rows = ConfigControls();
    // The boxes of the settings; the track bars answer to scrolling instead.
    for (ControlRow& row : rows) {
        const wchar_t* key = ConfigKeyOfId(row.id);
        if (key && row.kind == ControlKind::CheckBox)
            row.onClick = [this, key, id = row.id] { logic->CheckBoxClick(key, Checked(id)); };
    }
    RowOf(rows, idRbFullscreen).onClick = [this] { logic->rbFullscreenClick(); };
    RowOf(rows, idRbScratchpad).onClick = [this] { logic->rbScratchpadClick(); };
    RowOf(rows, idCbStartWithWindows).onClick = [this] {
        logic->cbStartWithWindowsClick(Checked(idCbStartWithWindows));
    };
    RowOf(rows, idLblConfigureHotkey).onClick = [this] { logic->lblConfigureHotkeyClick(); };
    return rows;
}

bool TFrmConfigWindow::Checked(int id) const {
    return SendMessageW(controls.Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFrmConfigWindow::MakeTree() {
    HWND tree = controls.Item(idTree);
    SetTreeIcons();
    for (const Node& n : kNodes) {
        TVINSERTSTRUCTW ins{};
        ins.hParent = TVI_ROOT;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.pszText = const_cast<wchar_t*>(n.text);
        ins.item.iImage = ins.item.iSelectedImage = static_cast<int>(&n - kNodes);
        nodes.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
    }
}

void TFrmConfigWindow::SetTreeIcons() {
    const int size = Scale(kIconSize);
    std::vector<TPicture> pictures;
    for (const Node& n : kNodes)
        pictures.push_back(PopupIcon(n.icon, size, Scale(kIconMargin)));
    HIMAGELIST old = icons;
    icons = PicturesToImageList(pictures, kIconTransparent);
    SendMessageW(controls.Item(idTree), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(icons));
    if (old) tally::ImageList_Destroy(old);
}

void TFrmConfigWindow::SetUpTrackBars() {
    for (const ControlRow& row : ConfigControls()) {
        if (!IsTrackBar(row.id)) continue;
        const TSetting& s = *FindSetting(ConfigKeyOfId(row.id));
        HWND bar = controls.Item(row.id);
        SendMessageW(bar, TBM_SETRANGE, FALSE, MAKELPARAM(s.low, s.high));
        SendMessageW(bar, TBM_SETLINESIZE, 0, 5);
        SendMessageW(bar, TBM_SETPAGESIZE, 0, 5);
        // Ticks every 10 on the short ranges, every 200 on the millisecond ones.
        SendMessageW(bar, TBM_SETTICFREQ, s.high > 200 ? 200 : 10, 0);
    }
}

void TFrmConfigWindow::Mirror() {
    if (!hwnd || !logic) return;
    mirroring = true;
    for (const ControlRow& row : ConfigControls()) {
        const wchar_t* key = ConfigKeyOfId(row.id);
        if (!key) continue;
        HWND h = controls.Item(row.id);
        if (IsTrackBar(row.id))
            SendMessageW(h, TBM_SETPOS, TRUE, logic->Position(key));
        else
            SendMessageW(h, BM_SETCHECK, logic->Checked(key) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    SendMessageW(controls.Item(idCbStartWithWindows), BM_SETCHECK,
                 logic->StartWithWindows() ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowPages();
    SendMessageW(controls.Item(idTree), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(nodes[static_cast<std::size_t>(logic->Page())]));
    InvalidateRect(controls.Item(idImgPixel), nullptr, FALSE);
    mirroring = false;
}

void TFrmConfigWindow::ShowPages() {
    controls.ShowWhere([this](int id) { return PageShows(ConfigPageOfId(id), *logic); });
}

bool TFrmConfigWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

void TFrmConfigWindow::Show() {
    if (!hwnd) return;
    CenterOnMonitor(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TFrmConfigWindow::Hide() {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

void TFrmConfigWindow::Scrolled(HWND bar) {
    const int id = GetDlgCtrlID(bar);
    if (!IsTrackBar(id)) return;
    logic->TrackBarChange(ConfigKeyOfId(id), static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0)));
    if (id == idTbXPixel || id == idTbYPixel)
        InvalidateRect(controls.Item(idImgPixel), nullptr, FALSE);
}

void TFrmConfigWindow::DrawPreview(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    // The preview is drawn for the window's DPI, so the lines keep their length for the eye.
    const TPicture picture = logic->PixelPreview(Dpi());
    TGdiCanvas canvas(item.hDC, {r.left, r.top, r.right, r.bottom});
    picture.DrawOn(canvas);
}

LRESULT TFrmConfigWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE: // the window lives until the program ends: closing only hides it
        if (logic) logic->FormClose();
        return 0;
    case WM_HSCROLL:
        if (logic && !mirroring && lParam) Scrolled(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        const auto* n = reinterpret_cast<const NMHDR*>(lParam);
        if (logic && !mirroring && n->idFrom == idTree && n->code == TVN_SELCHANGEDW) {
            const HTREEITEM item = reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem;
            for (std::size_t i = 0; i < nodes.size(); ++i)
                if (nodes[i] == item) logic->tvGroupClick(static_cast<int>(i));
        }
        break;
    }
    case WM_DRAWITEM:
        if (wParam != idImgPixel || !logic) break;
        DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        // The keys need a control with the focus: Tab walks on from it, Escape closes the window.
        RestoreFocus(hwnd, wParam, lastFocus, controls.Item(idTree));
        return 0;
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
