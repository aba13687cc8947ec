// The pictures of the eight stroke directions that the mouse monitor shows beside the cursor while
// a gesture is drawn: an arrow pointing the way of the stroke, drawn by the program itself.
#pragma once

#include "vocabulary/UnitMouseMovement.h"
#include "platform/Picture.h"

namespace fg {

constexpr int kDirectionPictureWidth = 42;
constexpr int kDirectionPictureHeight = 39;

// A 42 x 39 picture with the arrow of md; for anything that is no stroke, the blank background.
TPicture DirectionPicture(TMouseDirection md);

} // namespace fg
