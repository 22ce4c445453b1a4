#pragma once
#include <functional>

#include "engine/Vec2.h"
#include "game/Replay.h"

class Game;

// A replay played through the whole game, tick by tick as fast as the
// machine allows, on the map its file names (or `mapPath` when given).
struct ReplayEnd {
    Replay::Outcome outcome = Replay::Outcome::None;
    int tick = 0;    // the tick it ended on, or the ticks played when it did not
    NK::Vec2 place;  // the player's centre then
};
struct ReplayWatch {
    // Called around each tick's update, with the tick; `after` may end the
    // run early by returning false.
    std::function<void(int)> before;
    std::function<bool(int)> after;
};
// Plays at most `tickLimit` ticks (the replay's own limit when 0) and
// leaves the game on its main menu, ready for the next.
ReplayEnd playReplay(Game& game, const Replay& replay, const std::string& mapPath = "",
                     int tickLimit = 0, const ReplayWatch& watch = {});
