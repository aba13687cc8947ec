// The configuration window's controls: one table, 96-DPI pixels in a client area of 874 x 504.
// A control's id says where it lives: the tree and the pages' frame always show, page p holds the
// ids 1000 + 100 p upwards, and the drawing method's two sub-pages 1500 and 1600 upwards.
#pragma once

#include "platform/win32/Controls.h"

#include <vector>

namespace fg {

constexpr int kConfigClientWidth = 874;
constexpr int kConfigClientHeight = 504;

enum TConfigControlId : int {
    idTree = 10,
    idPagesFrame,
    idPage0 = 1000,
    idRbFullscreen,
    idRbScratchpad,
    idCbHoldBackRightButton,
    idPage1 = 1100,
    idTbXPixel,
    idTbYPixel,
    idImgPixel,
    idTbDeltaBias,
    idTbDistanceBias,
    idCbPreciseCorners,
    idPage2 = 1200,
    idCbEnableHelpPoup,
    idTbHelpPause,
    idPage3 = 1300,
    idCbEnableDiagonals,
    idCbEnabledSuggestions,
    idCbEnableCorrections,
    idPage4 = 1400,
    idLblConfigureHotkey,
    idCbStartWithWindows,
    idSubFullScreen = 1500,
    idCbMouseCording,
    idSubScratchPad = 1600,
    idTbFadeTime,
};

// The page a control belongs to: 0 to 4, 5 and 6 for the sub-pages, -1 for those always shown.
constexpr int ConfigPageOfId(int id) {
    return id >= 1000 ? (id - 1000) / 100 : -1;
}
constexpr int kSubPageFullScreen = 5;
constexpr int kSubPageScratchPad = 6;

const std::vector<ControlRow>& ConfigControls();

// The settings key of a track bar or box; null for every other control.
const wchar_t* ConfigKeyOfId(int id);

} // namespace fg
