// Popup menus built from the portable description and tracked modally.
#pragma once

#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <windows.h>

namespace fg {

// Shows the menu at a screen point for an owner window of the calling thread (null: a hidden
// window of its own, which it makes the foreground window), waits until it closes and runs the
// click of the entry picked.
void TrackMenu(const TPopupMenu& menu, TPoint at, HWND owner);

} // namespace fg
