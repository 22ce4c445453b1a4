#include "engine/FrameChannel.h"

#include <algorithm>

namespace NK {

bool FrameChannel::start(int from, int to, int frameCount, bool stepping, float framesPerTick,
                         int ticksEachFrame, bool backAndForth, bool lock, int runs) {
    if (locked) return false;
    if (savedPlaying) {
        // A saved animation cut off by another run leaves its rest frame
        // behind, not whatever frame it had reached.
        current = rest;
        stop();
    }
    const int lastFrame = std::max(frameCount - 1, 0);
    first = std::clamp(from, 0, lastFrame);
    last = std::clamp(to, 0, lastFrame);
    stepMode = stepping;
    step = framesPerTick;
    ticksPerFrame = ticksEachFrame;
    // Counting from ticksPerFrame gives the first frame as many ticks on
    // screen as every later one.
    tickCounter = ticksEachFrame;
    pingPong = backAndForth;
    returning = false;
    repeats = runs;
    locked = lock;
    active = true;
    current = first;
    position = static_cast<float>(current);
    return true;
}

void FrameChannel::stop() {
    active = false;
    pingPong = false;
    returning = false;
    locked = false;
    savedPlaying = false;
    position = static_cast<float>(current);
}

ChannelEvent FrameChannel::advance() {
    if (!active) return ChannelEvent::None;
    const bool forward = backward() == returning;
    if (stepMode) {
        position += forward ? step : -step;
        current = static_cast<int>(position);
    } else {
        if (--tickCounter >= 0) return ChannelEvent::None;
        tickCounter = ticksPerFrame;
        current += forward ? 1 : -1;
    }
    const int low = std::min(first, last);
    const int high = std::max(first, last);
    if (current >= low && current <= high) return ChannelEvent::None;

    const int passed = current > high ? high : low;
    const int other = current > high ? low : high;
    ChannelEvent event = ChannelEvent::None;
    if (pingPong && !returning) {
        returning = true;
        current = passed;
    } else if (repeats == 0) {
        // A finished run keeps showing the frame it ended on.
        current = passed;
        stop();
        return ChannelEvent::Ended;
    } else {
        if (repeats > 0) --repeats;
        if (pingPong) {
            returning = !returning;
            current = passed;
        } else {
            current = other;
        }
        event = ChannelEvent::RunCompleted;
    }
    position = static_cast<float>(current);
    return event;
}

}  // namespace NK
