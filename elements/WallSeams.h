#pragma once
#include <string>
#include <vector>

#include "elements/MapRecords.h"

// Where a wall the player can slide down is made of two pieces, one on the
// other. Box2D collides the player's capsule with each piece alone, so the
// lower piece's top corner is a ledge a few hundredths of a pixel wide: the
// corner of the capsule's box comes to rest on it, off the player's centre
// where nothing counts as standing, and the player hangs there in mid-air.
// A wall built of one box (or one surface segment) has no such ledge.
struct WallSeam {
    float x = 0.0f, y = 0.0f;  // the seam, level pixels
    std::string what;          // which records meet there, for a designer
};

// Every seam of the map's static, unturned boxes and of its surfaces'
// vertical runs that lies open to the side, with nothing beside it to keep
// the player off.
std::vector<WallSeam> wallSeams(const MapData& map);
