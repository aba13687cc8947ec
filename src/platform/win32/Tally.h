// The program's own count of the GDI and USER objects it makes and gives back. The system's count
// (GetGuiResources) answers nothing under Wine, so every place that makes or frees one goes through
// these, which call the system and keep the tally. A window counts until the system has destroyed
// it, whoever did: destroying a window takes its children and owned windows with it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <string>

namespace fg::tally {

struct Counts {
    long gdi = 0;
    long user = 0; // windows, menus and icons
};
// What the program holds now.
Counts Own();
// The system's count for this process; 0 where the system keeps none.
Counts System();
// "Handles: GDI <own> (system <n>), USER <own> (system <n>)"
std::wstring HandlesLine();

namespace detail {
inline std::atomic<long> gdi{0};
inline std::atomic<long> menusAndIcons{0};
void WindowMade(HWND h);
void WindowsGone();
long MenuWithSubMenus(HMENU menu);
template <typename H> H Gdi(H made) {
    if (made) ++gdi;
    return made;
}
inline BOOL GdiFreed(BOOL ok) {
    if (ok) --gdi;
    return ok;
}
} // namespace detail

inline HBRUSH CreateSolidBrush(COLORREF c) {
    return detail::Gdi(::CreateSolidBrush(c));
}
inline HPEN CreatePen(int style, int width, COLORREF c) {
    return detail::Gdi(::CreatePen(style, width, c));
}
inline HFONT CreateFontIndirectW(const LOGFONTW* lf) {
    return detail::Gdi(::CreateFontIndirectW(lf));
}
template <typename... A> HFONT CreateFontW(A... a) {
    return detail::Gdi(::CreateFontW(a...));
}
inline HDC CreateCompatibleDC(HDC dc) {
    return detail::Gdi(::CreateCompatibleDC(dc));
}
inline HBITMAP CreateCompatibleBitmap(HDC dc, int w, int h) {
    return detail::Gdi(::CreateCompatibleBitmap(dc, w, h));
}
inline HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset) {
    return detail::Gdi(::CreateDIBSection(dc, info, usage, bits, section, offset));
}
inline HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitCount, const void* bits) {
    return detail::Gdi(::CreateBitmap(w, h, planes, bitCount, bits));
}
inline BOOL DeleteObject(HGDIOBJ o) {
    return detail::GdiFreed(::DeleteObject(o));
}
inline BOOL DeleteDC(HDC dc) {
    return detail::GdiFreed(::DeleteDC(dc));
}
// A device context held from the system's cache counts until it is released.
inline HDC GetDC(HWND h) {
    return detail::Gdi(::GetDC(h));
}
inline int ReleaseDC(HWND h, HDC dc) {
    const int released = ::ReleaseDC(h, dc);
    if (released) --detail::gdi;
    return released;
}
// An image list is one object of the tally, whatever it holds inside.
inline HIMAGELIST ImageList_Create(int w, int h, UINT flags, int initial, int grow) {
    return detail::Gdi(::ImageList_Create(w, h, flags, initial, grow));
}
inline BOOL ImageList_Destroy(HIMAGELIST list) {
    return detail::GdiFreed(::ImageList_Destroy(list));
}

inline HICON CreateIconIndirect(ICONINFO* info) {
    HICON icon = ::CreateIconIndirect(info);
    if (icon) ++detail::menusAndIcons;
    return icon;
}
inline BOOL DestroyIcon(HICON icon) {
    const BOOL ok = ::DestroyIcon(icon);
    if (ok) --detail::menusAndIcons;
    return ok;
}
inline HMENU CreatePopupMenu() {
    HMENU menu = ::CreatePopupMenu();
    if (menu) ++detail::menusAndIcons;
    return menu;
}
// Destroying a menu destroys its sub-menus.
inline BOOL DestroyMenu(HMENU menu) {
    const long menus = detail::MenuWithSubMenus(menu);
    const BOOL ok = ::DestroyMenu(menu);
    if (ok) detail::menusAndIcons -= menus;
    return ok;
}
inline HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR caption, DWORD style, int x,
                            int y, int w, int h, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param) {
    HWND made = ::CreateWindowExW(exStyle, className, caption, style, x, y, w, h, parent, menu,
                                  instance, param);
    detail::WindowMade(made);
    return made;
}
inline BOOL DestroyWindow(HWND h) {
    const BOOL ok = ::DestroyWindow(h);
    detail::WindowsGone();
    return ok;
}

} // namespace fg::tally
