#pragma once
#include "engine/ExtBitmap.h"

// Shows `frame` on an animated picture: as the frame a cut-off saved
// animation returns to, and at once unless a run of frames is going on, so a
// switch or a walk cycle in progress finishes before the picture settles.
inline void showRestFrame(NK::ExtBitmap& picture, int frame) {
    picture.frame.rest = frame;
    if (!picture.frame.active) picture.frame.current = frame;
}
