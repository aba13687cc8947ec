#include "platform/win32/Menus.h"

#include "platform/win32/GdiCanvas.h"

#include <vector>

namespace fg {

namespace {

// The bitmaps of a menu's pictures, deleted once the menu is gone.
struct MenuBitmaps {
    std::vector<HBITMAP> all;
    ~MenuBitmaps() {
        for (HBITMAP b : all)
            DeleteObject(b);
    }
};

void SetPicture(HMENU menu, const TMenuEntry& e, MenuBitmaps& bitmaps) {
    if (e.picture.Width <= 0 || e.picture.Height <= 0) return;
    HBITMAP b = PictureToAlphaBitmap(e.picture, kMenuPictureTransparent);
    if (!b) return;
    bitmaps.all.push_back(b);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = b;
    SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
}

// Appends the entries to a menu; the command of an entry is its index in `entries` plus one.
void Fill(HMENU menu, const TPopupMenu& items, std::vector<const TMenuEntry*>& entries,
          MenuBitmaps& bitmaps) {
    for (const TMenuEntry& e : items) {
        if (e.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = e.enabled ? MF_ENABLED : MF_GRAYED;
        if (!e.children.empty()) {
            HMENU sub = CreatePopupMenu();
            Fill(sub, e.children, entries, bitmaps);
            AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub),
                        e.caption.c_str());
            SetPicture(menu, e, bitmaps);
            continue;
        }
        entries.push_back(&e);
        AppendMenuW(menu, MF_STRING | state, entries.size(), e.caption.c_str());
        SetPicture(menu, e, bitmaps);
    }
}

// An owner for menus opened on behalf of no window of ours.
HWND OwnMenuOwner() {
    static HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    std::vector<const TMenuEntry*> entries;
    MenuBitmaps bitmaps;
    Fill(menu, items, entries, bitmaps);
    const UINT picked = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                         at.y, owner, nullptr));
    DestroyMenu(menu); // destroys the sub-menus with it
    // The menu's own loop is over; the next message loop sees a fresh queue.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (picked == 0 || picked > entries.size()) return;
    if (const TMenuEntry* e = entries[picked - 1]; e->onClick) e->onClick();
}

} // namespace fg
