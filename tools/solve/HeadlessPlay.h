#pragma once
#include <memory>
#include <string>
#include <vector>

#include "elements/PlayInput.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"
#include "game/GameInstance.h"

class Game;

// What the solver reads of a running level after a tick: where the player
// is, what is left to do before the gate opens, and how the level stands.
// A win, a loss and a hang each end the run for the search: a hang leaves
// nothing worth exploring, and a win through one would fail its replay.
struct Situation {
    int tick = -1;    // the last tick played; -1 before the first
    NK::Vec2 player;  // the player's centre, level pixels
    int health = 0;
    bool won = false;
    bool lost = false;
    unsigned camerasDown = 0;  // bit i: camera i destroyed
    unsigned leversOn = 0;     // bit i: lever i switched
    int blocksGone = 0;        // crumbling blocks destroyed so far
    NK::Rect view;             // the play camera, level pixels
    // The first tick of this run the player was found hanging in mid-air
    // (see HangWatch), -1 while it never has, and where it hung then.
    int hangTick = -1;
    NK::Vec2 hangPlace;

    bool hung() const { return hangTick >= 0; }
    bool ended() const { return won || lost || hung(); }
};

// Where the things the player must reach stand; fixed for a level.
struct LevelLayout {
    NK::Rect gate;
    std::vector<NK::Vec2> cameras;  // head centres
    std::vector<NK::Rect> levers;   // picture rectangles
};

// The real game without a timer, a window's frames or a player at the
// keys: it plays a map tick by tick from the same per-tick input a replay
// feeds it, as dovra-replay does, so whatever it finds plays the same there.
class HeadlessPlay {
public:
    // Brings the engine up and loads every resource: a second or so.
    HeadlessPlay();
    ~HeadlessPlay();
    HeadlessPlay(const HeadlessPlay&) = delete;
    HeadlessPlay& operator=(const HeadlessPlay&) = delete;

    // Starts the map from its beginning, leaving any level still running.
    void start(const std::string& mapPath);
    // One tick of play with this input.
    const Situation& step(const PlayInput& input);
    const Situation& situation() const { return now; }
    LevelLayout layout() const;
    // Draws the frame the game shows now and saves it as a picture, as
    // dovra-replay --shot does; false when it cannot be saved.
    bool saveFrame(const std::string& path);

private:
    void read();

    GameInstance headless;
    Game* game = nullptr;
    bool running = false;
    PlayInput current;
    Situation now;
};
