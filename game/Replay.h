#pragma once
#include <map>
#include <string>
#include <vector>

#include "elements/PlayInput.h"

// A recorded or hand-written run of one level: the map, the outcome it must
// reach and on which tick, and what the player did tick by tick from the
// start of the level (tick 0 is the first play update).
//
// The file is text, one instruction a line; "#" starts a comment:
//
//   map tests/data/replays/walk.txt   the map file, relative to the game folder
//   expect won 312                    won, lost or none, and the tick it happens on
//   expect won 312 at 3105.52 840.17  ... and where the player's centre is then
//   hold D 0 140                      D held on ticks 0 to 139
//   press W 60                        W held on tick 60 only
//   down A 200 / up A 230             the two halves of a hold
//   mouse 1500 600 0                  pointer on the 1920x1080 screen from tick 0
//   click 1500 600 200                pointer there and the left button pressed on tick 200
//   stick LEFT -1 0 300               a controller's stick at (x, y) from tick 300
//   press PAD_A 310                   a controller's button, as keys are
//
// Keys are A, D, W, E, R and MOUSE (the left button), and a controller's
// PAD_A, PAD_B, PAD_X, PAD_Y (bottom, right, left and top face buttons),
// PAD_LB, PAD_RB, PAD_LT, PAD_RT (shoulders and triggers), PAD_BACK,
// PAD_START and PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT (the d-pad). A key is
// "pressed" on the first tick of each hold. Sticks are LEFT and RIGHT, each
// axis from -1 to 1, y downward.
struct Replay {
    enum class Outcome { None, Won, Lost };

    std::string mapPath;
    Outcome expected = Outcome::Won;
    int expectedTick = 0;
    // Where the player's centre must be when the run ends, to the hundredth
    // of a pixel: a change to how bodies move shows here long before it
    // moves the tick of a win. Only when the file gives one.
    bool expectsPlace = false;
    NK::Vec2 expectedPlace;

    // The input of one tick, edges included.
    PlayInput inputAt(int tick) const;
    // Ticks worth running before giving up: past the last instruction and the
    // expected end, with room to spare.
    int tickLimit() const;

    // Held intervals per key, [from, to).
    struct Hold {
        int from = 0, to = 0;
    };
    std::map<std::string, std::vector<Hold>> holds;
    // Pointer positions by the tick they start.
    std::map<int, NK::Vec2> pointer;
    // Controller stick positions by the tick they start.
    std::map<int, NK::Vec2> leftStick, rightStick;
};

struct ReplayParse {
    bool ok = false;
    Replay replay;
    std::string error;  // "line N: why"
};
ReplayParse parseReplay(const std::string& text);

std::string outcomeName(Replay::Outcome outcome);
// A place as the expect line writes it: two decimals.
std::string placeText(NK::Vec2 place);
// Whether a place is the one expected, as written to two decimals.
bool samePlace(NK::Vec2 place, NK::Vec2 expected);

// Builds a replay from the inputs of every tick of a played level.
class ReplayRecorder {
public:
    explicit ReplayRecorder(std::string mapPath) : mapPath(std::move(mapPath)) {}
    void add(const PlayInput& input) { ticks.push_back(input); }
    int tickCount() const { return static_cast<int>(ticks.size()); }
    // The file text, stating the given outcome on the given tick, and the
    // player's centre then when `place` is given.
    std::string text(Replay::Outcome outcome, int tick, const NK::Vec2* place = nullptr) const;
    // Writes that text to `path` whole, as the game's saves are written, so a
    // crash mid-write never leaves half a replay; false when it cannot.
    bool write(const std::string& path, Replay::Outcome outcome, int tick,
               const NK::Vec2* place = nullptr) const;
    // The run as it ended on its last tick recorded, with the player's centre
    // then, written to `path` and the result told in the log.
    void finish(const std::string& path, Replay::Outcome outcome, NK::Vec2 place) const;

private:
    std::string mapPath;
    std::vector<PlayInput> ticks;
};
