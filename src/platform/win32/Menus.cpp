#include "platform/win32/Menus.h"

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Tally.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fg {

namespace {

// The bitmaps of a menu's pictures, deleted once the menu is gone.
struct MenuBitmaps {
    std::vector<HBITMAP> all;
    ~MenuBitmaps() {
        for (HBITMAP b : all)
            tally::DeleteObject(b);
    }
};

// The menu asks its owner to draw each picture (the item's data is its bitmap), and the owner
// blends it over what the menu painted: a bitmap handed to the menu itself is copied as it is by
// Wine, so the see-through pixels came out black, and inverted on the highlighted entry.
void SetPicture(HMENU menu, HBITMAP b, MenuBitmaps& bitmaps) {
    if (!b) return;
    bitmaps.all.push_back(b);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP | MIIM_DATA;
    info.hbmpItem = HBMMENU_CALLBACK;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(b);
    SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
}

// The entry's picture; an entry without one, in a menu where others have one, gets an empty
// picture of their size: Wine leaves such an entry's text the room of the pictures before it
// but not after it, so a long caption was cut at the menu's right edge.
void SetPicture(HMENU menu, const TMenuEntry& e, SIZE levelPicture, MenuBitmaps& bitmaps) {
    if (e.picture.Width > 0 && e.picture.Height > 0) {
        SetPicture(menu, PictureToAlphaBitmap(e.picture, kMenuPictureTransparent), bitmaps);
    } else if (levelPicture.cx > 0 && levelPicture.cy > 0) {
        const std::vector<std::uint32_t> clear(
            static_cast<std::size_t>(levelPicture.cx) * levelPicture.cy, 0);
        SetPicture(menu, tally::CreateBitmap(levelPicture.cx, levelPicture.cy, 1, 32, clear.data()),
                   bitmaps);
    }
}

SIZE LargestPicture(const TPopupMenu& items) {
    SIZE size{0, 0};
    for (const TMenuEntry& e : items) {
        if (e.IsSeparator()) continue;
        size.cx = std::max<LONG>(size.cx, e.picture.Width);
        size.cy = std::max<LONG>(size.cy, e.picture.Height);
    }
    return size;
}

bool BitmapSize(ULONG_PTR data, SIZE& size) {
    BITMAP bm{};
    if (!data || !GetObjectW(reinterpret_cast<HBITMAP>(data), sizeof bm, &bm)) return false;
    size = {bm.bmWidth, bm.bmHeight};
    return true;
}

// The room between a picture and its caption: the menu puts the caption right after the width
// the picture asks for, so a picture that asked for its own width only touched the text. A
// quarter of the picture (4 pixels at 16, 6 at 24) follows the DPI with the picture.
int CaptionGap(SIZE picture) {
    return picture.cx / 4;
}

// Draws a picture (premultiplied alpha) centred in the place the menu gives it, less the gap
// before the caption.
void DrawPicture(const DRAWITEMSTRUCT& d) {
    SIZE size{};
    if (!BitmapSize(d.itemData, size)) return;
    HDC mem = tally::CreateCompatibleDC(d.hDC);
    HGDIOBJ old = SelectObject(mem, reinterpret_cast<HBITMAP>(d.itemData));
    const int room = d.rcItem.right - d.rcItem.left - CaptionGap(size);
    const int x = d.rcItem.left + std::max(0, (room - static_cast<int>(size.cx)) / 2);
    const int y = d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - size.cy) / 2;
    const BYTE alpha = (d.itemState & ODS_GRAYED) ? 96 : 255;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    GdiAlphaBlend(d.hDC, x, y, size.cx, size.cy, mem, 0, 0, size.cx, size.cy, blend);
    SelectObject(mem, old);
    tally::DeleteDC(mem);
}

// Answers the menu's questions about its pictures for as long as it is tracked.
LRESULT CALLBACK PictureOwner(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_MEASUREITEM) {
        auto& m = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        SIZE size{};
        if (m.CtlType == ODT_MENU && BitmapSize(m.itemData, size)) {
            m.itemWidth = static_cast<UINT>(size.cx + CaptionGap(size));
            m.itemHeight = static_cast<UINT>(size.cy);
            return TRUE;
        }
    } else if (msg == WM_DRAWITEM) {
        const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d.CtlType == ODT_MENU && d.itemData) {
            DrawPicture(d);
            return TRUE;
        }
    }
    return DefSubclassProc(h, msg, wParam, lParam);
}

constexpr UINT_PTR kPictureOwnerId = 0x4D50; // one subclass per owner window

// Appends the entries to a menu; the command of an entry is its index in `entries` plus one.
void Fill(HMENU menu, const TPopupMenu& items, std::vector<const TMenuEntry*>& entries,
          MenuBitmaps& bitmaps) {
    const SIZE levelPicture = LargestPicture(items);
    for (const TMenuEntry& e : items) {
        if (e.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = e.enabled ? MF_ENABLED : MF_GRAYED;
        if (!e.children.empty()) {
            HMENU sub = tally::CreatePopupMenu();
            Fill(sub, e.children, entries, bitmaps);
            AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub),
                        e.caption.c_str());
            SetPicture(menu, e, levelPicture, bitmaps);
            continue;
        }
        entries.push_back(&e);
        AppendMenuW(menu, MF_STRING | state, entries.size(), e.caption.c_str());
        SetPicture(menu, e, levelPicture, bitmaps);
    }
}

// An owner for menus opened on behalf of no window of ours.
HWND OwnMenuOwner() {
    static HWND owner =
        tally::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    return owner;
}

} // namespace

void TrackMenu(const TPopupMenu& items, TPoint at, HWND owner) {
    if (!owner) {
        owner = OwnMenuOwner();
        // A menu answers the keyboard, and closes at a click elsewhere, only while its owner is
        // the foreground window; the caller gives the foreground back once it has closed.
        SetForegroundWindow(owner);
    }
    HMENU menu = tally::CreatePopupMenu();
    if (!menu) return;
    std::vector<const TMenuEntry*> entries;
    MenuBitmaps bitmaps;
    Fill(menu, items, entries, bitmaps);
    const bool drawsPictures =
        !bitmaps.all.empty() && SetWindowSubclass(owner, PictureOwner, kPictureOwnerId, 0);
    const UINT picked = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                         at.y, owner, nullptr));
    if (drawsPictures) RemoveWindowSubclass(owner, PictureOwner, kPictureOwnerId);
    tally::DestroyMenu(menu); // destroys the sub-menus with it
    // The menu's own loop is over; the next message loop sees a fresh queue.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (picked == 0 || picked > entries.size()) return;
    if (const TMenuEntry* e = entries[picked - 1]; e->onClick) e->onClick();
}

} // namespace fg
