// The program's small pictures: the tray icon in its two states and the list of menu and page
// icons that the tray menu, the configuration window's page tree and the editors share. Each is
// drawn by the program on a 16-unit grid at the pixel size asked for (16 at 96 DPI, 24 at 144),
// so it stays crisp at every DPI; the pixels in kIconTransparent are the see-through ones.
#pragma once

#include "platform/PopupMenu.h"

namespace fg {

constexpr TColor kIconTransparent = kMenuPictureTransparent;

// Indices of the shared icon list; they are what callers store, so never renumber.
enum TPopupIcon : int {
    piConfigure = 0,       // "&Configure ..." in the tray menu
    piEditGestures = 1,    // "Edit Gestures ..." in the tray menu, the "Misc" page
    piDiagonals = 2,       // the "Diagonals" page
    piProgram = 3,         // a program or file to open
    piKeystroke = 4,       // a keystroke
    piGestureAdvanced = 5, // the "Gesture Advanced" page
    piHelpPopup = 6,       // the "Help Popup" page
    piGestureDrawing = 7,  // the "Gesture Drawing" page
};
constexpr int kPopupIconCount = 8;

// With a left margin the picture is that much wider, see-through on the left: a list that puts
// its pictures against its edge (the page tree) gets some air.
TPicture PopupIcon(int index, int size, int leftMargin = 0);

// The tray icon: an arrow pointing up on a grey square, white with a purple edge while gestures
// are watched, black with a green edge while Scroll Lock suspends them.
TPicture TrayIconPicture(bool suspended, int size);

} // namespace fg
