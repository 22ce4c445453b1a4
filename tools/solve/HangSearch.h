#pragma once
#include <string>
#include <vector>

#include "elements/PlayInput.h"
#include "elements/WallSeams.h"
#include "engine/Vec2.h"
#include "tools/solve/Solver.h"

// The hang finder: where in a level the player can come to hang in mid-air
// (see HangWatch), found by exploring the level as the win search does, with
// the same archive and rounds, so both reach the same places.

// One place the player hangs, with the earliest way found there.
struct HangPlace {
    NK::Vec2 place;              // the player's centre as it hangs
    int tick = 0;                // the first tick it is found hanging there
    std::vector<PlayInput> way;  // every input from the level's start to that tick
    // The way as a replay file, stating the end dovra-replay --allow-hangs
    // sees; empty when it did not play back to the same hang.
    std::string replayText;
};

// The hangs a search meets, one per place.
class HangPlaces {
public:
    // Hangs this close to one already listed are the same place.
    static constexpr float samePlace = 20.0f;

    // Lists a hang, or puts it in the place of the one it is near when it
    // comes sooner.
    void add(NK::Vec2 place, int tick, const std::vector<PlayInput>& way);
    // Earliest first.
    std::vector<HangPlace> byTick() const;

private:
    std::vector<HangPlace> places;
};

struct HangReport {
    bool started = false;           // the workers came up
    std::vector<HangPlace> places;  // earliest first
    double seconds = 0.0;
    long ticks = 0;  // ticks explored (the replays' checks not counted)
    int cells = 0;
    // The seconds cap cut a tick budget short: another machine may differ.
    bool stoppedByClock = false;
};

// Explores the map until the budget ends, listing every hang met where the
// win search would stop at a win, then writes each place's way as a replay
// and plays it back once to check it. settings.mapPath must be readable.
HangReport findHangs(const SolveSettings& settings);

// Saves the frame the game shows on each place's hang tick to the path of
// the same index, as dovra-replay --shot draws it, skipping places without a
// replay. Brings one game up in this process: call it with no search running.
// False when a picture could not be saved.
bool drawHangs(const std::string& mapPath, const std::vector<HangPlace>& places,
               const std::vector<std::string>& paths);

// "MAP: wall seam at X, Y (WHAT)"
std::string seamLine(const std::string& mapPath, const WallSeam& seam);
// "MAP: hangs at X, Y on tick N"
std::string hangLine(const std::string& mapPath, const HangPlace& place);
// "MAP: N hang places found in S s, T ticks"
std::string hangSummaryLine(const std::string& mapPath, const HangReport& report);
