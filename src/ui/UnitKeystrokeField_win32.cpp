#include "ui/UnitKeystrokeField_win32.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>

#include <string>

namespace fg {

namespace {

constexpr UINT_PTR kFieldSubclass = 0x4B45; // any number unique to this subclass

using KeyHandler = std::function<void(std::uint16_t)>;

LRESULT CALLBACK FieldProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
    auto* onKeyDown = reinterpret_cast<KeyHandler*>(data);
    switch (msg) {
    case WM_GETDLGCODE: {
        // The dialog handling would otherwise take Enter and Escape for the buttons, and select
        // the whole text when the focus arrives.
        const LRESULT code = DefSubclassProc(h, msg, wParam, lParam) & ~DLGC_HASSETSEL;
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_TAB)
            return code & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
        return code | DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // Alt combinations, and F10
        (*onKeyDown)(static_cast<std::uint16_t>(wParam & 0xFFFF));
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_SYSKEYUP: // the released Alt would open the window menu
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(h, FieldProc, id);
        delete onKeyDown;
        break;
    }
    return DefSubclassProc(h, msg, wParam, lParam);
}

} // namespace

void MakeCaptureField(HWND edit, std::function<void(std::uint16_t)> onKeyDown) {
    auto* handler = new KeyHandler(std::move(onKeyDown));
    if (!SetWindowSubclass(edit, FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(handler)))
        delete handler;
}

void ShowInField(HWND edit, const std::wstring& text) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, shown.data(), length + 1);
    shown.resize(static_cast<std::size_t>(length));
    if (shown == text) return;
    SetWindowTextW(edit, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

HWND MakeHints(HWND owner) {
    return tally::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void AddHint(HWND hints, HWND control, const wchar_t* text) {
    if (!hints || !control) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void SinkEdge(HWND control) {
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) & ~WS_BORDER);
    SetWindowLongPtrW(control, GWL_EXSTYLE,
                      GetWindowLongPtrW(control, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace fg
