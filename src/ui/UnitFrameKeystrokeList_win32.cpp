#include "ui/UnitFrameKeystrokeList_win32.h"

#include "platform/win32/Tally.h"
#include "ui/UnitKeystrokeField_win32.h"

#include <commctrl.h>

#include <vector>

namespace fg {

namespace {

enum : int { idList = 10, idAdd, idExamples };

using K = ControlKind;

} // namespace

TFrameKeystrokeListPanel::TFrameKeystrokeListPanel(TFrameKeystrokeList& l)
    : TWin32Panel({L"TFrameKeystrokeList", kWidth, kHeight}), logic(l) {}

// Set and Cancel are the window's: the panel has none of them.
std::vector<ControlRow> TFrameKeystrokeListPanel::Rows() {
    return {
        {idList, K::BareListView, L"", 8, 8, 411, 248, akAll},
        {idAdd, K::Button, L"Add Keystroke", 8, 266, 112, 25, akLeft | akBottom,
         [this] { logic.btnAddClick(); }},
        {idExamples, K::Button, L"...", 126, 266, 28, 25, akLeft | akBottom,
         [this] { logic.SpeedButton1Click(); }},
    };
}

TFrameKeystrokeListPanel::~TFrameKeystrokeListPanel() {
    if (logic.View() == this) logic.SetView(nullptr);
    if (hwnd) tally::DestroyWindow(hwnd);
}

void TFrameKeystrokeListPanel::PanelCreated() {
    HWND list = List();
    SinkEdge(list);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    hints = MakeHints(hwnd);
    AddHint(hints, list, L"Right-Click to edit");
    AddHint(hints, controls.Item(idExamples), L"Common Examples");
    logic.SetView(this);
    FitColumn();
}

HWND TFrameKeystrokeListPanel::List() const {
    return controls.Item(idList);
}

void TFrameKeystrokeListPanel::FitColumn() {
    // The one column fills the list's width, beside a scroll bar when there is one.
    RECT r{};
    GetClientRect(List(), &r);
    SendMessageW(List(), LVM_SETCOLUMNWIDTH, 0, r.right - r.left);
}

void TFrameKeystrokeListPanel::Mirror() {
    if (!hwnd) return;
    mirroring = true;
    HWND list = List();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const std::vector<std::wstring>& rows = logic.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (logic.Selected() >= 0) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(logic.Selected()),
                     reinterpret_cast<LPARAM>(&state));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    FitColumn();
    InvalidateRect(list, nullptr, TRUE);
    mirroring = false;
}

bool TFrameKeystrokeListPanel::Notified(const NMHDR& n) {
    if (n.idFrom != idList || mirroring) return false;
    if (n.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(n);
        if (change.uChanged & LVIF_STATE) {
            const int selected = static_cast<int>(
                SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            logic.SelectRow(selected);
        }
        return false;
    }
    if (n.code == NM_RCLICK) {
        logic.lvKeystrokesContextPopup(reinterpret_cast<const NMITEMACTIVATE&>(n).iItem);
        return true;
    }
    if (n.code == LVN_KEYDOWN) {
        // The keys of the row menu, for a user without the mouse.
        const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(n).wVKey;
        if (key == VK_DELETE) logic.Delete1Click();
        if (key == VK_F2) logic.Edit1Click();
    }
    return false;
}

void TFrameKeystrokeListPanel::KeyboardMenu() {
    // Below the selected row, or at the list's corner without one.
    POINT at{0, 0};
    RECT row{};
    row.left = LVIR_BOUNDS;
    const int selected = logic.Selected();
    if (selected >= 0 && SendMessageW(List(), LVM_GETITEMRECT, static_cast<WPARAM>(selected),
                                      reinterpret_cast<LPARAM>(&row)))
        at = {row.left, row.bottom};
    ClientToScreen(List(), &at);
    logic.lvKeystrokesContextPopup(selected, TPoint{at.x, at.y});
}

LRESULT TFrameKeystrokeListPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY:
        return Notified(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : 0;
    case WM_CONTEXTMENU: // the menu key or Shift+F10 in the list
        if (reinterpret_cast<HWND>(wParam) == List() && lParam == -1) {
            KeyboardMenu();
            return 0;
        }
        break;
    }
    return TWin32Panel::WndProc(msg, wParam, lParam);
}

} // namespace fg
