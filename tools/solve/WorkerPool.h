#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/solve/Explorer.h"
#include "tools/solve/Frames.h"
#include "tools/solve/HeadlessPlay.h"

// One piece of search work: play these inputs from the level's start, then
// explore from there once per seed. The prefix stops at the level's end, and
// at a hang unless `throughHangs`: a replay that meets a hang is played on to
// learn how it ends when hangs are allowed.
struct Job {
    std::vector<PlayInput> prefix;
    std::vector<std::uint64_t> seeds;
    ExploreSettings settings;
    bool throughHangs = false;
};

struct JobResult {
    Situation end;  // after the prefix
    std::vector<Exploration> explorations;
    long ticks = 0;  // ticks played for the job
    bool ok = false;
};

// Worker processes, each with a game of its own. A worker brings the game up
// and starts the level once; a copy of it made then (fork) keeps that start
// and serves every job from a fresh copy of its own, so nothing a job does
// reaches the next, and a level is loaded once, not once per job. Each
// exploration runs in a copy of the job's process at the prefix's end, so a
// job plays its prefix once for all its seeds.
//
// Which worker runs a job never changes its result, so results come back in
// job order and a search repeats exactly whatever the number of workers.
class WorkerPool {
public:
    WorkerPool(std::string mapPath, int count);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // False when no worker came up (no display, say).
    bool ok() const { return started; }
    const LevelLayout& layout() const { return level; }
    std::vector<JobResult> run(const std::vector<Job>& jobs);

    // A worker silent this long on a job is ended and replaced, and the job
    // given out again; a stuck copy of a process must not stop the search.
    int stallSeconds = 120;

private:
    struct Worker {
        pid_t pid = -1;
        int toWorker = -1;
        int fromWorker = -1;
        FrameBuffer buffer;
        int job = -1;  // the job it runs, -1 when idle
        JobResult partial;
        double lastHeard = 0.0;
        bool ready = false;
    };
    bool spawn(Worker& w);
    void stop(Worker& w);
    bool awaitHello(Worker& w);

    std::string mapPath;
    std::vector<Worker> workers;
    LevelLayout level;
    bool started = false;
};
