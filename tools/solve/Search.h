#pragma once
#include <functional>
#include <vector>

#include "elements/PlayInput.h"
#include "tools/solve/HeadlessPlay.h"
#include "tools/solve/Solver.h"

#include "tools/solve/WorkerPool.h"

class Archive;

// The exploration both searches share, the win search and the hang finder:
// round after round, jobs drawn from the archive go to the workers, and what
// their explorations reach is archived in job order, so a seed and a tick
// budget give the same rounds on any machine with any number of workers.
// What a search makes of the ends it meets is its own.
class Search {
public:
    // Brings the workers up; the clock starts before they do.
    explicit Search(const SolveSettings& settings);

    // False when no worker came up (no display, say).
    bool ready() const { return pool.ok(); }
    const LevelLayout& layout() const { return pool.layout(); }

    // Shown each win and each hang an exploration meets, with every input
    // from the level's start that leads there; true ends the search.
    using Found = std::function<bool(const Situation& end, const std::vector<PlayInput>& way)>;
    // Explores until `found` ends it or the budget is spent.
    void explore(const Found& found);

    // The level's end when these inputs are played from its start. A hang
    // ends it too, unless `throughHangs`.
    Situation play(const std::vector<PlayInput>& inputs, bool throughHangs = false);

    // Seconds since the search began.
    double elapsed() const;
    // Whether the ticks or the seconds are spent.
    bool outOfBudget();

    long ticks = 0;  // played in all
    int cells = 0;   // situations in the archive
    // The furthest the exploration got.
    int camerasDown = 0, leversOn = 0;
    float closestToGate;
    // The seconds cap cut a tick budget short: another machine may differ.
    bool stoppedByClock = false;

private:
    void note(const Situation& s, const Archive& archive);

    const SolveSettings& settings;
    double started;
    WorkerPool pool;
};
