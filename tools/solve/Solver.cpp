#include "tools/solve/Solver.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "game/Replay.h"
#include "tools/solve/Search.h"

namespace {

// Drops presses, shots and walks the win does without, one at a time,
// keeping each drop that still wins as soon or sooner.
std::vector<PlayInput> trim(Search& search, const SolveSettings& settings,
                            std::vector<PlayInput> way, int& tick) {
    int trials = 0;
    auto attempt = [&](std::vector<PlayInput> candidate) {
        if (trials >= settings.trimTrials || search.elapsed() >= settings.seconds) return false;
        ++trials;
        const Situation end = search.play(candidate);
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
    Search search(settings);
    report.started = search.ready();
    if (!report.started) return report;
    report.cameras = static_cast<int>(search.layout().cameras.size());
    report.levers = static_cast<int>(search.layout().levers.size());

    // Hangs are met and passed by: a win is all this search is after.
    std::vector<PlayInput> way;
    search.explore([&](const Situation& end, const std::vector<PlayInput>& found) {
        if (end.won) way = found;
        return end.won;
    });
    if (!way.empty()) {
        int tick = static_cast<int>(way.size()) - 1;
        way = trim(search, settings, std::move(way), tick);
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
    report.seconds = search.elapsed();
    report.ticks = search.ticks;
    report.cells = search.cells;
    report.camerasDown = search.camerasDown;
    report.leversOn = search.leversOn;
    report.closestToGate = search.closestToGate;
    report.stoppedByClock = search.stoppedByClock;
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
