#include "tools/solve/HangSearch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "game/Replay.h"
#include "tools/solve/HeadlessPlay.h"
#include "tools/solve/Search.h"

namespace {

// The replay's stated end lies this far past the hang: a second of hanging
// shows it is not a pause on the way down.
constexpr int kPastHang = 60;

float distance(NK::Vec2 a, NK::Vec2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

std::string number(float v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

// The place's way as a replay file, checked by playing it back once as
// dovra-replay reads it, hangs allowed, to the end it states; empty when it
// does not meet the same hang on the same tick.
std::string hangReplay(Search& search, const SolveSettings& settings, const HangPlace& p) {
    for (const std::vector<PlayInput>& candidate : {steadyPointer(p.way), p.way}) {
        ReplayRecorder recorder(settings.mapPath);
        for (const PlayInput& in : candidate) recorder.add(in);
        std::string text = recorder.text(Replay::Outcome::None, p.tick + kPastHang);
        const Replay replay = parseReplay(text).replay;
        std::vector<PlayInput> back;
        for (int t = 0; t < replay.tickLimit(); ++t) back.push_back(replay.inputAt(t));
        const Situation end = search.play(back, true);
        if (end.hangTick != p.tick || distance(end.hangPlace, p.place) > 0.5f) continue;
        // A hang need not last: a camera may still shoot the player down.
        if (end.won || end.lost)
            text = recorder.text(end.won ? Replay::Outcome::Won : Replay::Outcome::Lost, end.tick);
        return "# Found by dovra-solve --hangs, seed " + std::to_string(settings.seed) +
               ": the player hangs at " + number(p.place.x) + ", " + number(p.place.y) +
               " from tick " + std::to_string(p.tick) + ".\n" + text;
    }
    return "";
}

// The game's log lines go to standard output, where the finder's report is.
class QuietOutput {
public:
    QuietOutput() {
        std::cout.flush();
        std::fflush(stdout);
        saved = dup(STDOUT_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) {
            dup2(nowhere, STDOUT_FILENO);
            close(nowhere);
        }
    }
    ~QuietOutput() {
        std::fflush(stdout);
        if (saved >= 0) {
            dup2(saved, STDOUT_FILENO);
            close(saved);
        }
    }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

private:
    int saved = -1;
};

}  // namespace

void HangPlaces::add(NK::Vec2 place, int tick, const std::vector<PlayInput>& way) {
    for (HangPlace& p : places) {
        if (distance(p.place, place) > samePlace) continue;
        if (tick < p.tick) p = HangPlace{place, tick, way, ""};
        return;
    }
    places.push_back(HangPlace{place, tick, way, ""});
}

std::vector<HangPlace> HangPlaces::byTick() const {
    std::vector<HangPlace> out = places;
    std::stable_sort(out.begin(), out.end(),
                     [](const HangPlace& a, const HangPlace& b) { return a.tick < b.tick; });
    return out;
}

HangReport findHangs(const SolveSettings& settings) {
    HangReport report;
    Search search(settings);
    report.started = search.ready();
    if (!report.started) return report;
    HangPlaces found;
    search.explore([&](const Situation& end, const std::vector<PlayInput>& way) {
        if (end.hung()) found.add(end.hangPlace, end.hangTick, way);
        return false;  // on to the budget's end, past wins too
    });
    report.stoppedByClock = search.stoppedByClock;
    report.ticks = search.ticks;
    report.cells = search.cells;
    report.places = found.byTick();
    for (HangPlace& p : report.places) p.replayText = hangReplay(search, settings, p);
    report.seconds = search.elapsed();
    return report;
}

bool drawHangs(const std::string& mapPath, const std::vector<HangPlace>& places,
               const std::vector<std::string>& paths) {
    const QuietOutput quiet;
    HeadlessPlay play;
    bool saved = true;
    for (std::size_t i = 0; i < places.size() && i < paths.size(); ++i) {
        if (places[i].replayText.empty()) continue;
        const Replay replay = parseReplay(places[i].replayText).replay;
        play.start(mapPath);
        for (int t = 0; t <= places[i].tick; ++t) play.step(replay.inputAt(t));
        saved = play.saveFrame(paths[i]) && saved;
    }
    return saved;
}

std::string seamLine(const std::string& map, const WallSeam& seam) {
    return map + ": wall seam at " + number(seam.x) + ", " + number(seam.y) + " (" + seam.what +
           ")";
}

std::string hangLine(const std::string& map, const HangPlace& p) {
    return map + ": hangs at " + number(p.place.x) + ", " + number(p.place.y) + " on tick " +
           std::to_string(p.tick);
}

std::string hangSummaryLine(const std::string& map, const HangReport& r) {
    char took[32];
    std::snprintf(took, sizeof took, "%.1f", r.seconds);
    return map + ": " + std::to_string(r.places.size()) + " hang places found in " + took + " s, " +
           std::to_string(r.ticks) + " ticks";
}
