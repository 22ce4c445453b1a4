#pragma once

namespace NK {

// A named frame run kept with an extended bitmap and started by its name, so
// game code says "walk" instead of repeating frame numbers and timings.
struct SavedAnimation {
    bool stepMode = false;
    int from = 0;
    int to = 0;
    bool pingPong = false;
    bool lock = false;
    int ticksPerFrame = 0;
    float step = 0.0f;
};

}  // namespace NK
