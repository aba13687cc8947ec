#include "platform/win32/Controls.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>

#include <iterator>

namespace fg {

namespace {

struct KindInfo {
    const wchar_t* className;
    DWORD style;
};

KindInfo Info(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX};
    case ControlKind::Button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::ListBox:
        return {L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::Memo:
        return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::RadioButton:
        return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP};
    case ControlKind::GroupBox:
        return {L"BUTTON", BS_GROUPBOX};
    case ControlKind::TrackBar:
        return {TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | TBS_TOOLTIPS | WS_TABSTOP};
    case ControlKind::TreeView:
        return {WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | WS_BORDER | WS_TABSTOP};
    case ControlKind::Picture:
        return {L"STATIC", SS_OWNERDRAW};
    case ControlKind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::BareListView:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  WS_BORDER | WS_TABSTOP};
    case ControlKind::ComboList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::OwnerButton:
        return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP};
    case ControlKind::DefaultButton:
        return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP};
    case ControlKind::ListView:
        return {WC_LISTVIEWW,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP};
    case ControlKind::Tabs:
        return {WC_TABCONTROLW, TCS_TABS | TCS_FOCUSONBUTTONDOWN | WS_CLIPSIBLINGS | WS_TABSTOP};
    case ControlKind::HotLink:
        return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP};
    }
    return {L"STATIC", 0};
}

SIZE TextSize(HWND h, HFONT font, const wchar_t* text) {
    SIZE size{0, 0};
    HDC dc = tally::GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    tally::ReleaseDC(h, dc);
    return size;
}

} // namespace

ControlRow& RowOf(std::vector<ControlRow>& rows, int id) {
    for (ControlRow& row : rows)
        if (row.id == id) return row;
    return rows.front();
}

void TControlTable::Create(HWND parentWindow, std::vector<ControlRow> rows, FontChoice fontOf,
                           int designWidth, int designHeight, int dpi) {
    parent = parentWindow;
    fontChoice = fontOf;
    designW = designWidth;
    designH = designHeight;
    currentDpi = dpi;
    font = ScaledFont(fontChoice.face, fontChoice.points, currentDpi);
    for (ControlRow& row : rows) {
        const KindInfo info = Info(row.kind);
        HWND h = tally::CreateWindowExW(0, info.className, row.text,
                                        WS_CHILD | WS_VISIBLE | info.style, 0, 0, 0, 0, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                        GetModuleHandleW(nullptr), nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        placed.push_back({std::move(row), h, {0, 0}});
    }
    MeasureLabels();
    Layout(ScaleByDpi(designW, currentDpi), ScaleByDpi(designH, currentDpi));
}

void TControlTable::SetDpi(int dpi) {
    currentDpi = dpi;
    font = ScaledFont(fontChoice.face, fontChoice.points, currentDpi);
    for (const Placed& p : placed)
        SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    MeasureLabels();
}

void TControlTable::MeasureLabels() {
    for (Placed& p : placed)
        if (p.row.width == 0) p.text = TextSize(parent, font, p.row.text);
}

void TControlTable::Layout(int clientWidth, int clientHeight) {
    auto scale = [this](int px) { return ScaleByDpi(px, currentDpi); };
    const int dw = clientWidth - scale(designW);
    const int dh = clientHeight - scale(designH);
    for (const Placed& p : placed) {
        const ControlRow& s = p.row;
        int x = scale(s.x), y = scale(s.y);
        // Both edges scaled, so controls that touch at 96 DPI still touch.
        int w = s.width ? scale(s.x + s.width) - x : p.text.cx;
        int h = s.width ? scale(s.y + s.height) - y : p.text.cy;
        if (s.anchors & akRight) (s.anchors & akLeft) ? void(w += dw) : void(x += dw);
        if (s.anchors & akBottom) (s.anchors & akTop) ? void(h += dh) : void(y += dh);
        SetWindowPos(p.hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

const TControlTable::Placed* TControlTable::Find(int id) const {
    for (const Placed& p : placed)
        if (p.row.id == id) return &p;
    return nullptr;
}

HWND TControlTable::Item(int id) const {
    const Placed* p = Find(id);
    return p ? p->hwnd : nullptr;
}

bool TControlTable::Click(int id) const {
    const HWND focus = GetFocus();
    if (id == IDOK && IsLink(focus)) id = GetDlgCtrlID(focus);
    const Placed* p = Find(id);
    if (!p || !p->row.onClick || !IsWindowEnabled(p->hwnd)) return false;
    p->row.onClick();
    return true;
}

void TControlTable::ShowWhere(const std::function<bool(int id)>& shows) const {
    for (const Placed& p : placed)
        ShowControl(p.hwnd, shows(p.row.id));
}

void TControlTable::Show(int id, bool show) const {
    if (const Placed* p = Find(id)) ShowControl(p->hwnd, show);
}

bool TControlTable::IsLink(HWND control) const {
    if (!control) return false;
    for (const Placed& p : placed)
        if (p.hwnd == control) return p.row.kind == ControlKind::HotLink;
    return false;
}

std::vector<HWND> TControlTable::Links() const {
    std::vector<HWND> links;
    for (const Placed& p : placed)
        if (p.row.kind == ControlKind::HotLink) links.push_back(p.hwnd);
    return links;
}

void ShowControl(HWND control, bool show) {
    const bool shown = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != show) ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
}

void DrawLink(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background) {
    constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, background);
    wchar_t text[128] = {};
    GetWindowTextW(item.hwndItem, text, static_cast<int>(std::size(text)));
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : kLinkBlue);
    RECT textRect = r;
    DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&textRect, 1, 0);
        DrawFocusRect(dc, &textRect);
    }
    SelectObject(dc, old);
}

} // namespace fg
