#include "engine/AnimationPlay.h"

namespace NK {

ChannelEvent AnimationPlay::advance(int frameCount) {
    const bool forward = reverse == returning;
    if (stepMode) {
        position += forward ? frameStep : -frameStep;
        current = static_cast<int>(position);
    } else {
        --tickCounter;
        if (tickCounter < 0) {
            tickCounter = ticksPerFrame;
            current += forward ? 1 : -1;
        }
    }
    const bool pastEnd = current >= frameCount;
    const bool pastStart = current < 0;
    if (!pastEnd && !pastStart) return ChannelEvent::None;

    // Reaching the far end of a ping-pong run is only half of it.
    const bool firstHalf = pingPong && !returning;
    if (repeats == 0 && !firstHalf) return ChannelEvent::Ended;
    if (repeats > 0 && !firstHalf) --repeats;
    if (pingPong) {
        returning = !returning;
        current = pastEnd ? frameCount - 1 : 0;
    } else {
        current = pastEnd ? 0 : frameCount - 1;
    }
    position = static_cast<float>(current);
    return ChannelEvent::RunCompleted;
}

}  // namespace NK
