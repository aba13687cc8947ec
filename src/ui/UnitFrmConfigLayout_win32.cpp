#include "ui/UnitFrmConfigLayout_win32.h"

namespace fg {

namespace {

using K = ControlKind;

// Labels without an id of their own take one from their page's range; their number only has to
// be unique.
enum : int {
    p0 = idPage0 + 50,
    p1 = idPage1 + 50,
    p2 = idPage2 + 50,
    p3 = idPage3 + 50,
    p4 = idPage4 + 50,
    s0 = idSubFullScreen + 50,
    s1 = idSubScratchPad + 50,
};

const std::vector<ControlRow> kRows = {
    {idTree, K::TreeView, L"", 4, 8, 170, 488, akTopLeft},
    {idPagesFrame, K::GroupBox, L"", 180, 2, 691, 494, akTopLeft},

    // "Gesture Drawing"
    {idRbFullscreen, K::RadioButton, L"Fullscreen (recommended)", 208, 46, 170, 17, akTopLeft},
    {idRbScratchpad, K::RadioButton, L"Scratchpad", 208, 72, 170, 17, akTopLeft},
    {idCbMouseCording, K::CheckBox, L"Enable Mouse Chording", 400, 42, 240, 17, akTopLeft},
    {s0 + 1, K::Label, L"[Hold Right Click + Double Left Click]", 418, 66, 420, 14, akTopLeft},
    {s0 + 2, K::Label,
     L"For the current foreground program, this mouse button combination will toggle all mouse "
     L"gestures enabled/disabled.",
     418, 86, 420, 30, akTopLeft},
    {s1 + 1, K::Label, L"Time to wait before auto-closing", 400, 42, 300, 14, akTopLeft},
    {s1 + 2, K::Label, L"Shorter", 400, 72, 50, 14, akTopLeft},
    {idTbFadeTime, K::TrackBar, L"", 450, 64, 320, 30, akTopLeft},
    {s1 + 3, K::Label, L"Longer", 776, 72, 60, 14, akTopLeft},
    {s1 + 4, K::Label, L"NOTE: Monitor position Gestures not compatible.", 400, 106, 420, 14,
     akTopLeft},
    {p0 + 1, K::GroupBox, L"Drawing Method", 192, 20, 667, 120, akTopLeft},
    {p0 + 2, K::Label, L"Gestures can be drawn on the screen in two different ways.", 192, 160, 660,
     14, akTopLeft},
    {p0 + 3, K::Label,
     L"The default Fullscreen method lets you move the mouse anywhere on the screen. The program "
     L"will show the detected mouse directions and draw a line one the screen showing the "
     L"gestures shape.",
     192, 184, 660, 30, akTopLeft},
    {p0 + 4, K::Label,
     L"The Scratchpad is a small window that is slightly visible on the side of the screen. "
     L"Moving the mouse over it will fully expand the window to show an area to draw gestures. "
     L"This can be used when drawing a gesture on the target program doesn't work well.",
     192, 222, 660, 44, akTopLeft},
    {p0 + 5, K::GroupBox, L"Right Button", 192, 282, 667, 86, akTopLeft},
    {idCbHoldBackRightButton, K::CheckBox,
     L"Hold back the right button while a gesture may be drawn", 208, 304, 440, 17, akTopLeft},
    {p0 + 6, K::Label,
     L"Programs then never see the right button of a gesture. A right click still reaches them "
     L"as a click, and a press held still for a moment as a press, so menus and right-drags "
     L"keep working.",
     226, 328, 620, 30, akTopLeft},

    // "Gesture Advanced"
    {p1 + 1, K::Label,
     L"These are advanced settings, the default values are recommended. These settings are used "
     L"to define how the program detects a mouse direction.",
     192, 20, 660, 30, akTopLeft},
    {p1 + 2, K::Label, L"Horizontal", 208, 92, 70, 14, akTopLeft},
    {p1 + 3, K::Label, L"Shorter", 280, 92, 50, 14, akTopLeft},
    {idTbXPixel, K::TrackBar, L"", 330, 84, 300, 30, akTopLeft},
    {p1 + 4, K::Label, L"Longer", 636, 92, 44, 14, akTopLeft},
    {p1 + 5, K::Label, L"Vertical", 208, 140, 70, 14, akTopLeft},
    {p1 + 6, K::Label, L"Shorter", 280, 140, 50, 14, akTopLeft},
    {idTbYPixel, K::TrackBar, L"", 330, 132, 300, 30, akTopLeft},
    {p1 + 7, K::Label, L"Longer", 636, 140, 44, 14, akTopLeft},
    {idImgPixel, K::Picture, L"", 688, 78, 157, 101, akTopLeft},
    {p1 + 8, K::GroupBox, L"Mouse movement length require to start monitoring (in pixels)", 192, 58,
     667, 136, akTopLeft},
    {p1 + 9, K::Label, L"Slower", 208, 238, 60, 14, akTopLeft},
    {idTbDeltaBias, K::TrackBar, L"", 270, 230, 480, 30, akTopLeft},
    {p1 + 10, K::Label, L"Faster", 756, 238, 60, 14, akTopLeft},
    {p1 + 11, K::GroupBox, L"Speed required moving per gesture direction", 192, 206, 667, 66,
     akTopLeft},
    {p1 + 12, K::Label, L"Shorter", 208, 316, 60, 14, akTopLeft},
    {idTbDistanceBias, K::TrackBar, L"", 270, 308, 480, 30, akTopLeft},
    {p1 + 13, K::Label, L"Longer", 756, 316, 60, 14, akTopLeft},
    {p1 + 14, K::GroupBox, L"Distance required to moving per gesture direction", 192, 284, 667, 66,
     akTopLeft},
    {p1 + 15, K::GroupBox, L"Corners", 192, 362, 667, 88, akTopLeft},
    {idCbPreciseCorners, K::CheckBox, L"Precise corner detection", 208, 384, 300, 17, akTopLeft},
    {p1 + 16, K::Label,
     L"A new stroke also starts where the mouse turns, when a stroke drifts or a corner is drawn "
     L"round, so each stroke is judged from where it began.",
     226, 408, 620, 30, akTopLeft},

    // "Help Popup"
    {idCbEnableHelpPoup, K::CheckBox, L"Enable the Help Popup", 192, 20, 300, 17, akTopLeft},
    {p2 + 1, K::Label,
     L"After moving the mouse in a direction and pausing, with right-click held, a popup will be "
     L"displayed showing all mouse gestures that start with that motion.",
     192, 46, 660, 30, akTopLeft},
    {p2 + 2, K::Label, L"Time required to show the popup, when pausing", 192, 92, 400, 14,
     akTopLeft},
    {p2 + 3, K::Label, L"Shorter", 192, 124, 50, 14, akTopLeft},
    {idTbHelpPause, K::TrackBar, L"", 244, 116, 420, 30, akTopLeft},
    {p2 + 4, K::Label, L"Longer", 670, 124, 60, 14, akTopLeft},

    // "Diagonals"
    {p3 + 1, K::Label,
     L"Diagonal movements allow for more variety of gesture types, but can also be harder to "
     L"perform. When enabled, the cardinal directions [NorthEast, NorthWest, SouthEast, "
     L"SouthWest] will also be dected and shown on the Edit Gesture window.",
     192, 20, 660, 44, akTopLeft},
    {idCbEnableDiagonals, K::CheckBox, L"Enable Diagonal Movements", 192, 74, 300, 17, akTopLeft},
    {idCbEnabledSuggestions, K::CheckBox, L"Enabled Suggestions Popup", 208, 116, 300, 17,
     akTopLeft},
    {p3 + 2, K::Label,
     L"When diagonals are enabled, the program can make suggestions for incorrect gestures", 226,
     138, 620, 14, akTopLeft},
    {idCbEnableCorrections, K::CheckBox, L"Enable Auto-Corrections", 208, 166, 300, 17, akTopLeft},
    {p3 + 3, K::Label,
     L"When diagonals are enabled, the program can execute a very similar gestures automatically",
     226, 188, 620, 14, akTopLeft},
    {p3 + 4, K::GroupBox, L"", 192, 100, 667, 116, akTopLeft},

    // "Misc"
    {p4 + 1, K::Label, L"Scroll Lock Disable:", 192, 20, 0, 0, akTopLeft},
    {p4 + 2, K::Label,
     L"To disable the Right-Click monitoring temporarily, press the Scroll Lock key on the "
     L"keyboard. Press it again to re-enabled monitoring.",
     208, 40, 640, 30, akTopLeft},
    {p4 + 3, K::Label, L"Command Line Parameters:", 192, 86, 0, 0, akTopLeft},
    {p4 + 4, K::Label, L"Farrowglimmer.exe CONFIG", 208, 106, 0, 0, akTopLeft},
    {p4 + 5, K::Label, L"Farrowglimmer.exe EDIT_GESTURES", 208, 124, 0, 0, akTopLeft},
    {p4 + 6, K::Label, L"CONFIG will open the Configuration window.", 208, 148, 0, 0, akTopLeft},
    {p4 + 7, K::Label,
     L"EDIT_GESTURES will open the Edit Gestures window with the current foreground program "
     L"selected.",
     208, 166, 640, 14, akTopLeft},
    {idLblConfigureHotkey, K::HotLink, L"Show Welcome window again", 192, 204, 240, 18, akTopLeft},
    {p4 + 8, K::Label,
     L"The Welcome window gives a brief tutorial about how the program functions and common uses.",
     208, 224, 640, 14, akTopLeft},
    {idCbStartWithWindows, K::CheckBox, L"Start with Windows", 192, 262, 300, 17, akTopLeft},
};

struct KeyOfId {
    int id;
    const wchar_t* key;
};

constexpr KeyOfId kKeys[] = {
    {idRbFullscreen, L"rbFullscreen"},
    {idRbScratchpad, L"rbScratchpad"},
    {idCbMouseCording, L"cbMouseCording"},
    {idCbHoldBackRightButton, L"cbHoldBackRightButton"},
    {idTbFadeTime, L"tbFadeTime"},
    {idTbXPixel, L"tbXPixel"},
    {idTbYPixel, L"tbYPixel"},
    {idTbDeltaBias, L"tbDeltaBias"},
    {idTbDistanceBias, L"tbDistanceBias"},
    {idCbPreciseCorners, L"cbPreciseCorners"},
    {idCbEnableHelpPoup, L"cbEnableHelpPoup"},
    {idTbHelpPause, L"tbHelpPause"},
    {idCbEnableDiagonals, L"cbEnableDiagonals"},
    {idCbEnabledSuggestions, L"cbEnabledSuggestions"},
    {idCbEnableCorrections, L"cbEnableCorrections"},
};

} // namespace

const std::vector<ControlRow>& ConfigControls() {
    return kRows;
}

const wchar_t* ConfigKeyOfId(int id) {
    for (const KeyOfId& k : kKeys)
        if (k.id == id) return k.key;
    return nullptr;
}

} // namespace fg
