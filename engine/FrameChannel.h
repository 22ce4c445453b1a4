#pragma once
#include "engine/ValueChannel.h"

namespace NK {

// Which frame of an animated extended bitmap shows, and how it moves through
// a run of frames: in step mode by a fractional number of frames per tick, in
// counting mode one frame every ticksPerFrame + 1 ticks.
struct FrameChannel {
    int current = 0;
    int rest = 0;   // the frame shown again when a saved animation is cut off
    int first = 0;  // the run's start frame (the higher one when it runs backward)
    int last = 0;   // the run's end frame
    float step = 1.0f;
    float position = 0.0f;
    int ticksPerFrame = 0;
    int tickCounter = 0;
    bool stepMode = false;
    bool pingPong = false;
    bool returning = false;
    int repeats = 0;
    bool active = false;
    bool locked = false;
    bool savedPlaying = false;  // the run is a saved animation of the bitmap
    ChannelCallbacks callbacks;

    // Starts a run from `from` to `to` (backward when from > to), both
    // clamped to the frames there are. Ignored while locked. Returns whether
    // it started.
    bool start(int from, int to, int frameCount, bool stepping, float framesPerTick,
               int ticksEachFrame, bool backAndForth, bool lock, int runs);

    // Stops any run; the frame stays where it is.
    void stop();

    // One tick; callbacks are left to the owner (see ChannelEvent).
    ChannelEvent advance();

    bool backward() const { return first > last; }
};

}  // namespace NK
