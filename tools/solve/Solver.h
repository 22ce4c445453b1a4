#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "elements/PlayInput.h"
#include "tools/solve/Explorer.h"

// What a search may spend and how it goes about it.
struct SolveSettings {
    std::string mapPath;
    // Wall time for the whole search. With a tick budget it is only a safety
    // cap: the ticks alone make a search repeat exactly on any machine.
    double seconds = 600.0;
    long tickBudget = 0;  // ticks played in all, 0 for no limit
    std::uint64_t seed = 1;
    int workers = 2;
    // Jobs handed out per round; a round's results are taken in job order,
    // so the search does not depend on which worker was quicker.
    int jobsPerRound = 8;
    int seedsPerJob = 3;
    ExploreSettings explore;
    // Replays of candidate trims tried at most, once a win is found.
    int trimTrials = 150;
};

struct SolveReport {
    bool started = false;  // the workers came up
    bool won = false;
    int wonTick = -1;
    std::string replayText;  // a replay file, when won
    double seconds = 0.0;
    long ticks = 0;  // ticks played in all
    int cells = 0;
    // The furthest the search got.
    int cameras = 0, camerasDown = 0;
    int levers = 0, leversOn = 0;
    float closestToGate = 0.0f;
    // The seconds ran out before the tick budget: another machine may differ.
    bool stoppedByClock = false;
};

// Searches the map for a win; settings.mapPath must be readable.
SolveReport solve(const SolveSettings& settings);

// "MAP: won at tick N after S s", or "MAP: no win found in S s" and the
// furthest progress.
std::string summaryLine(const std::string& mapPath, const SolveReport& report);

// Inputs that change nothing a replay keeps: each tick's pointer is where
// the next shot goes (or the last went), so the pointer moves only for shots.
std::vector<PlayInput> steadyPointer(std::vector<PlayInput> inputs);
