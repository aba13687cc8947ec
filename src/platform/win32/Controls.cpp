#include "platform/win32/Controls.h"

#include <map>
#include <string>
#include <utility>

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
        return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::Memo:
        return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    }
    return {L"STATIC", 0};
}

SIZE TextSize(HWND h, HFONT font, const wchar_t* text) {
    SIZE size{0, 0};
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return size;
}

} // namespace

HFONT UiFont(const wchar_t* face, int points) {
    static std::map<std::pair<std::wstring, int>, HFONT> fonts;
    HFONT& font = fonts[{face, points}];
    if (!font) {
        HDC dc = GetDC(nullptr);
        const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(nullptr, dc);
        font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face);
    }
    return font;
}

void TControlTable::Create(HWND parent, const std::vector<ControlSpec>& rows, HFONT font,
                           int designWidth, int designHeight) {
    designW = designWidth;
    designH = designHeight;
    for (ControlSpec row : rows) {
        const KindInfo info = Info(row.kind);
        if (row.width == 0) {
            const SIZE size = TextSize(parent, font, row.text);
            row.width = size.cx;
            row.height = size.cy;
        }
        HWND h = CreateWindowExW(0, info.className, row.text, WS_CHILD | WS_VISIBLE | info.style,
                                 row.x, row.y, row.width, row.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                 GetModuleHandleW(nullptr), nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        placed.push_back({row, h});
    }
}

void TControlTable::Layout(int clientWidth, int clientHeight) {
    const int dw = clientWidth - designW;
    const int dh = clientHeight - designH;
    for (const Placed& p : placed) {
        const ControlSpec& s = p.row;
        int x = s.x, y = s.y, w = s.width, h = s.height;
        if (s.anchors & akRight) (s.anchors & akLeft) ? void(w += dw) : void(x += dw);
        if (s.anchors & akBottom) (s.anchors & akTop) ? void(h += dh) : void(y += dh);
        SetWindowPos(p.hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HWND TControlTable::Item(int id) const {
    for (const Placed& p : placed)
        if (p.row.id == id) return p.hwnd;
    return nullptr;
}

} // namespace fg
