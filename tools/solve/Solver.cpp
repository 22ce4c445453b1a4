#include "tools/solve/Solver.h"

#include <bitset>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

#include "game/Replay.h"
#include "tools/solve/Archive.h"
#include "tools/solve/SearchRandom.h"
#include "tools/solve/WorkerPool.h"

namespace {

double clockSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Search {
    const SolveSettings& settings;
    WorkerPool& pool;
    SolveReport& report;
    double started = 0.0;

    bool outOfBudget() const {
        if (clockSeconds() - started >= settings.seconds) return true;
        return settings.tickBudget > 0 && report.ticks >= settings.tickBudget;
    }

    // The level's end when these inputs are played from its start.
    Situation play(const std::vector<PlayInput>& inputs) {
        Job job;
        job.prefix = inputs;
        std::vector<JobResult> r = pool.run({job});
        report.ticks += r[0].ticks;
        return r[0].ok ? r[0].end : Situation();
    }

    void note(const Situation& s, const Archive& archive) {
        const int down = static_cast<int>(std::bitset<32>(s.camerasDown).count());
        const int on = static_cast<int>(std::bitset<32>(s.leversOn).count());
        if (down + on > report.camerasDown + report.leversOn)
            report.camerasDown = down, report.leversOn = on;
        report.closestToGate = std::min(report.closestToGate, archive.gateDistance(s));
    }

    // Explores until a win or the budget's end; the winning inputs, or none.
    std::vector<PlayInput> explore() {
        Archive archive(pool.layout());
        SearchRandom random(settings.seed);
        const Situation start = play({});
        archive.offer(-1, {}, start);
        while (!outOfBudget()) {
            std::vector<Job> jobs(static_cast<std::size_t>(settings.jobsPerRound));
            std::vector<int> from(jobs.size());
            for (std::size_t j = 0; j < jobs.size(); ++j) {
                Archive::Entry& e = archive.at(archive.choose(random.unit()));
                ++e.chosen;
                from[j] = e.node;
                jobs[j].prefix = archive.inputsTo(e.node);
                jobs[j].settings = settings.explore;
                for (int k = 0; k < settings.seedsPerJob; ++k)
                    jobs[j].seeds.push_back(random.next());
            }
            std::vector<JobResult> results = pool.run(jobs);
            for (std::size_t j = 0; j < results.size(); ++j) {
                report.ticks += results[j].ticks;
                for (const Exploration& e : results[j].explorations) {
                    int parent = from[j];
                    std::size_t segment = 0;
                    for (std::size_t i = 0; i < e.visits.size(); ++i) {
                        const Situation& s = e.visits[i];
                        note(s, archive);
                        std::vector<PlayInput> part(e.inputs.begin() + static_cast<long>(segment),
                                                    e.inputs.begin() + static_cast<long>(i) + 1);
                        if (s.won) {
                            std::vector<PlayInput> way = archive.inputsTo(parent);
                            way.insert(way.end(), part.begin(), part.end());
                            report.cells = static_cast<int>(archive.size());
                            return way;
                        }
                        const int node = archive.offer(parent, part, s);
                        if (node >= 0) {
                            parent = node;
                            segment = i + 1;
                        }
                    }
                }
            }
            report.cells = static_cast<int>(archive.size());
        }
        return {};
    }

    // Drops presses, shots and walks the win does without, one at a time,
    // keeping each drop that still wins as soon or sooner.
    std::vector<PlayInput> trim(std::vector<PlayInput> way, int& tick) {
        int trials = 0;
        auto attempt = [&](std::vector<PlayInput> candidate) {
            if (trials >= settings.trimTrials || clockSeconds() - started >= settings.seconds)
                return false;
            ++trials;
            const Situation end = play(candidate);
            if (!end.won || end.tick > tick) return false;
            tick = end.tick;
            candidate.resize(static_cast<std::size_t>(tick) + 1);
            way = std::move(candidate);
            return true;
        };
        // Walks first (a whole run of one key), then single presses, last first.
        for (int key = 0; key < 2; ++key) {
            for (int t = static_cast<int>(way.size()) - 1; t >= 0; --t) {
                auto held = [&](int i) {
                    const PlayInput& in = way[static_cast<std::size_t>(i)];
                    return key == 0 ? in.left : in.right;
                };
                if (t >= static_cast<int>(way.size()) || !held(t)) continue;
                int from = t;
                while (from > 0 && held(from - 1)) --from;
                std::vector<PlayInput> c = way;
                for (int i = from; i <= t; ++i)
                    (key == 0 ? c[static_cast<std::size_t>(i)].left
                              : c[static_cast<std::size_t>(i)].right) = false;
                attempt(std::move(c));
                t = from;
            }
        }
        for (int t = static_cast<int>(way.size()) - 1; t >= 0; --t) {
            if (t >= static_cast<int>(way.size())) continue;
            for (bool PlayInput::*press :
                 {&PlayInput::jumpPressed, &PlayInput::usePressed, &PlayInput::firePressed}) {
                if (!(way[static_cast<std::size_t>(t)].*press)) continue;
                std::vector<PlayInput> c = way;
                c[static_cast<std::size_t>(t)].*press = false;
                attempt(std::move(c));
                if (t >= static_cast<int>(way.size())) break;
            }
        }
        return way;
    }
};

std::string seconds(double s) {
    char b[32];
    std::snprintf(b, sizeof b, "%.1f", s);
    return b;
}

}  // namespace

std::vector<PlayInput> steadyPointer(std::vector<PlayInput> inputs) {
    // Without shots the pointer matters nowhere: one place for all of it.
    NK::Vec2 next{960.0f, 540.0f};
    for (const PlayInput& in : inputs)
        if (in.firePressed) next = in.pointer;
    for (auto it = inputs.rbegin(); it != inputs.rend(); ++it) {
        if (it->firePressed) next = it->pointer;
        it->pointer = next;
    }
    return inputs;
}

SolveReport solve(const SolveSettings& settings) {
    SolveReport report;
    report.closestToGate = std::numeric_limits<float>::max();
    const double started = clockSeconds();
    WorkerPool pool(settings.mapPath, std::max(1, settings.workers));
    report.started = pool.ok();
    if (!report.started) return report;
    report.cameras = static_cast<int>(pool.layout().cameras.size());
    report.levers = static_cast<int>(pool.layout().levers.size());
    Search search{settings, pool, report, started};

    std::vector<PlayInput> way = search.explore();
    if (!way.empty()) {
        int tick = static_cast<int>(way.size()) - 1;
        way = search.trim(std::move(way), tick);
        // The replay as its file will say it, played back once more.
        for (const std::vector<PlayInput>& candidate : {steadyPointer(way), way}) {
            ReplayRecorder recorder(settings.mapPath);
            for (const PlayInput& in : candidate) recorder.add(in);
            const std::string text = recorder.text(Replay::Outcome::Won, tick);
            const ReplayParse parsed = parseReplay(text);
            std::vector<PlayInput> back;
            for (int t = 0; t <= tick; ++t) back.push_back(parsed.replay.inputAt(t));
            const Situation end = search.play(back);
            if (end.won && end.tick == tick) {
                report.won = true;
                report.wonTick = tick;
                report.replayText =
                    "# Found by dovra-solve, seed " + std::to_string(settings.seed) + ".\n" + text;
                break;
            }
        }
    }
    report.seconds = clockSeconds() - started;
    return report;
}

std::string summaryLine(const std::string& map, const SolveReport& r) {
    if (r.won)
        return map + ": won at tick " + std::to_string(r.wonTick) + " after " + seconds(r.seconds) +
               " s";
    std::string line = map + ": no win found in " + seconds(r.seconds) +
                       " s; furthest: " + std::to_string(r.camerasDown) + " of " +
                       std::to_string(r.cameras) + " cameras down, " + std::to_string(r.leversOn) +
                       " of " + std::to_string(r.levers) + " levers on, ";
    if (r.closestToGate == std::numeric_limits<float>::max()) return line + "gate never neared";
    return line + "closest " + std::to_string(static_cast<int>(std::lround(r.closestToGate))) +
           " px from the gate";
}
