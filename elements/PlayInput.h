#pragma once
#include "engine/Vec2.h"

// What the player did in one tick, as the play scene reads it: from the live
// keyboard and mouse, or from a replay. The pointer is on the logical
// 1920x1080 screen, so a replay reaches the player without rounding through
// the window's pixels and plays the same on any window size.
struct PlayInput {
    bool left = false;            // A held
    bool right = false;           // D held
    bool jumpPressed = false;     // W pressed this tick
    bool usePressed = false;      // E pressed this tick (levers)
    bool restartPressed = false;  // R pressed this tick
    bool firePressed = false;     // left mouse button pressed this tick
    NK::Vec2 pointer;             // logical screen position of the mouse
    NK::Vec2 aim;                 // a controller's right stick, (0, 0) when at rest
};
