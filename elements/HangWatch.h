#pragma once
#include "engine/Vec2.h"

// A live player who is not standing and has not moved for a second is
// hanging: a corner of its capsule's box resting on a corner or on the seam
// of two stacked blocks. W does nothing there (the player is not standing)
// and letting go of the keys changes nothing, so a player can only walk out
// backwards or restart. Play never acts on it; replays, the solver's hang
// finder and the UI fuzzer read it to find such places before players do.
class HangWatch {
public:
    static constexpr int ticksToHang = 60;  // one second
    // Box2D lets a resting body creep by a fraction of its linear slop
    // (half a pixel); anything within this of where the stop began is still.
    static constexpr float stillReach = 1.0f;

    // One tick's look at the player, after the tick ran. True while hanging.
    bool observe(bool alive, bool standing, NK::Vec2 centre);
    void reset() { *this = HangWatch(); }

    bool hanging() const { return still >= ticksToHang; }
    // Ticks the player has stayed put in the air so far.
    int stillTicks() const { return still; }
    // Where the player stopped.
    NK::Vec2 place() const { return anchor; }

private:
    bool inAir = false;
    int still = 0;
    NK::Vec2 anchor;
};
