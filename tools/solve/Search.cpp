#include "tools/solve/Search.h"

#include <algorithm>
#include <bitset>
#include <chrono>
#include <limits>

#include "tools/solve/Archive.h"
#include "tools/solve/SearchRandom.h"

namespace {

double clockSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Search::Search(const SolveSettings& s)
    : closestToGate(std::numeric_limits<float>::max()),
      settings(s),
      started(clockSeconds()),
      pool(s.mapPath, std::max(1, s.workers)) {}

double Search::elapsed() const {
    return clockSeconds() - started;
}

bool Search::outOfBudget() {
    // Ticks first: with a tick budget the clock is only a safety cap, and a
    // search it stops says so.
    if (settings.tickBudget > 0 && ticks >= settings.tickBudget) return true;
    if (elapsed() < settings.seconds) return false;
    stoppedByClock = settings.tickBudget > 0;
    return true;
}

Situation Search::play(const std::vector<PlayInput>& inputs, bool throughHangs) {
    Job job;
    job.prefix = inputs;
    job.throughHangs = throughHangs;
    std::vector<JobResult> r = pool.run({job});
    ticks += r[0].ticks;
    return r[0].ok ? r[0].end : Situation();
}

void Search::note(const Situation& s, const Archive& archive) {
    const int down = static_cast<int>(std::bitset<32>(s.camerasDown).count());
    const int on = static_cast<int>(std::bitset<32>(s.leversOn).count());
    if (down + on > camerasDown + leversOn) camerasDown = down, leversOn = on;
    closestToGate = std::min(closestToGate, archive.gateDistance(s));
}

void Search::explore(const Found& found) {
    Archive archive(pool.layout());
    SearchRandom random(settings.seed);
    archive.offer(-1, {}, play({}));
    while (!outOfBudget()) {
        std::vector<Job> jobs(static_cast<std::size_t>(settings.jobsPerRound));
        std::vector<int> from(jobs.size());
        for (std::size_t j = 0; j < jobs.size(); ++j) {
            Archive::Entry& e = archive.at(archive.choose(random.unit()));
            ++e.chosen;
            from[j] = e.node;
            jobs[j].prefix = archive.inputsTo(e.node);
            jobs[j].settings = settings.explore;
            for (int k = 0; k < settings.seedsPerJob; ++k) jobs[j].seeds.push_back(random.next());
        }
        std::vector<JobResult> results = pool.run(jobs);
        for (std::size_t j = 0; j < results.size(); ++j) {
            ticks += results[j].ticks;
            for (const Exploration& e : results[j].explorations) {
                int parent = from[j];
                std::size_t segment = 0;
                for (std::size_t i = 0; i < e.visits.size(); ++i) {
                    const Situation& s = e.visits[i];
                    note(s, archive);
                    std::vector<PlayInput> part(e.inputs.begin() + static_cast<long>(segment),
                                                e.inputs.begin() + static_cast<long>(i) + 1);
                    // An exploration stops at an end, so nothing follows one.
                    if (s.won || s.hung()) {
                        std::vector<PlayInput> way = archive.inputsTo(parent);
                        way.insert(way.end(), part.begin(), part.end());
                        cells = static_cast<int>(archive.size());
                        if (found(s, way)) return;
                        continue;
                    }
                    const int node = archive.offer(parent, part, s);
                    if (node >= 0) {
                        parent = node;
                        segment = i + 1;
                    }
                }
            }
        }
        cells = static_cast<int>(archive.size());
    }
}
