#pragma once
#include <cstdint>
#include <vector>

#include "elements/PlayInput.h"
#include "tools/solve/HeadlessPlay.h"

// A random walk through a level in macro-actions: a few ticks of one
// intention at a time (walk left, walk right or stand; maybe a jump at one
// of those ticks; maybe shots at a camera in sight; E over a lever), played
// through the game from wherever it stands.
struct Exploration {
    std::vector<PlayInput> inputs;
    std::vector<Situation> visits;  // visits[i]: the level after inputs[i]
};

struct ExploreSettings {
    int macros = 12;       // intentions per exploration
    int tickLimit = 3600;  // no way is followed past this tick
};

// Plays one exploration from the level's current state; `seed` decides it
// wholly. Stops early at a win, a loss or a hang.
Exploration explore(HeadlessPlay& play, const LevelLayout& layout, std::uint64_t seed,
                    const ExploreSettings& settings);

// The screen point that puts the pointer over a level point on the coming
// tick, the camera assumed to move on as it did over the last one.
NK::Vec2 aimAt(NK::Vec2 levelPoint, const NK::Rect& view, const NK::Rect& previousView);

// Whether the player's rectangle around `centre` touches the rectangle.
bool playerTouches(NK::Vec2 centre, const NK::Rect& r);
