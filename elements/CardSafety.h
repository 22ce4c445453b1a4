#pragma once
#include <string>
#include <vector>

#include "elements/MapRecords.h"
#include "engine/Rect.h"

// Whether a story card may be up where the player is. A card sits in the
// middle of the screen, over the player, so while one is up the player must
// be somewhere nothing can go wrong: not hit, on the ground, and well away
// from any hole in the floor or any floor that breaks under them.
//
// The hazards come from the level's records alone, so the rule needs neither
// a window nor a physics world:
// - a breaking floor is any box or circle with a touch delay (0 or more);
// - a gap is where the floor is missing: an x at which a fall started at the
//   player's head height meets no ground (surface line, or box or circle
//   that neither moves nor breaks) before the fall edge. Crates and breaking
//   floors are not ground, so the pit under a breaking bridge is a gap too.
class CardSafety {
public:
    // How close to a gap or a breaking floor a card may not be up.
    static constexpr float reach = 300.0f;
    // Gaps are looked for at x steps this far apart; narrower than any hole
    // the player's 100 px wide body can fall through.
    static constexpr float probeStep = 8.0f;

    explicit CardSafety(const MapData& level);

    // A fall straight down at x from fromY meets no ground above the fall
    // edge. Outside the camera area there is no level, so no gap either.
    bool gapAt(float x, float fromY) const;
    // What lies within reach of the player's rectangle, in words ("a gap at
    // x 1210", "a breaking floor at 2816, 900"); empty when nothing does.
    std::string hazardNear(const NK::Rect& player) const;

    // One tick of a played level, as the rule sees it.
    struct Moment {
        bool cardUp = false;
        bool hit = false;       // the player lost health this tick
        bool standing = false;  // the player's feet are on something
        NK::Rect player;
    };
    // Why this tick breaks the rule; empty when it does not.
    std::string violation(const Moment& moment) const;

private:
    struct Segment {
        float x1, y1, x2, y2;
    };
    bool groundBelow(float x, float fromY) const;

    float fallEdge = 0.0f;
    float left = 0.0f;
    float right = 0.0f;
    std::vector<NK::Rect> solids;
    std::vector<Segment> lines;
    std::vector<NK::Rect> breaking;
};
