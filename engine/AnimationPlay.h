#pragma once
#include <functional>

#include "engine/Animation.h"
#include "engine/Rect.h"
#include "engine/ValueChannel.h"
#include "engine/Vec2.h"

namespace NK {

// What a caller may hang on a play: once per completed run, once at the end.
struct AnimationCallbacks {
    std::function<void()> onRun;
    std::function<void()> onEnd;
};

// One running play of a stored animation at a place in the level.
struct AnimationPlay {
    const Animation* animation = nullptr;
    Rect destination;  // world pixels, top-left corner
    bool flipX = false;
    bool flipY = false;
    int repeats = 0;  // 0: once; > 0: further runs; < 0: endless
    bool reverse = false;
    bool pingPong = false;
    bool returning = false;
    bool stepMode = true;
    int current = 0;
    float angle = 0.0f;
    Vec2 pivot{0.5f, 0.5f};
    int tickCounter = 0;
    int ticksPerFrame = 0;
    float position = 0.0f;
    float frameStep = 1.0f;
    bool tinted = false;
    float tint[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    AnimationCallbacks callbacks;

    // One tick. Ended means the play ran past its last run and must go;
    // the owner calls the callbacks (see ChannelEvent).
    ChannelEvent advance(int frameCount);
};

}  // namespace NK
