// The play update of a crowded level: what one tick of game logic costs, and
// how that compares with Box2D's own step of the same world.
//
//   bench_play_stress [MAP [RUNS]]
//
// MAP is the stress level tools/make-stress-map.py writes; the build makes
// it as stress-map.txt beside the binaries, which is the default. The level is started through
// the real game and the play update (everything a tick does but drawing)
// runs 600 ticks with the player standing still in the middle; then the
// level is started again and its world stepped 600 times by b2World::Step
// alone. Each run gives a median of each; the last line is the median play
// tick in milliseconds and the ratio play tick / bare step. Needs a display
// (tools/headless.sh gives a virtual one).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "elements/PlayInput.h"
#include "engine/PhysicsWorld.h"
#include "game/Game.h"
#include "game/GameInstance.h"
#include "game/PlayScene.h"

namespace {

constexpr int kTicks = 600;

// Thread CPU time: other work on the machine belongs to neither measure.
double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

struct Run {
    double playTick = 0.0, bareStep = 0.0;  // medians, milliseconds
};

Run measure(Game& game, const char* map) {
    Run r;
    PlayInput idle;  // no key, no button: the player stands where it starts
    game.setReplayInput(&idle);
    game.playMap(map);
    std::vector<double> ticks;
    ticks.reserve(kTicks);
    for (int t = 0; t < kTicks; ++t) {
        const double t0 = nowMs();
        game.update();
        ticks.push_back(nowMs() - t0);
    }
    r.playTick = median(ticks);
    game.play().leaveLevel();

    // The same level, fresh, stepped by the library alone.
    game.play().startLevel(map);
    b2World& world = game.stores().physics.world();
    std::vector<double> steps;
    steps.reserve(kTicks);
    for (int t = 0; t < kTicks; ++t) {
        const double t0 = nowMs();
        world.Step(1.0f / 60.0f, 6, 2);
        steps.push_back(nowMs() - t0);
    }
    r.bareStep = median(steps);
    game.play().leaveLevel();
    game.setReplayInput(nullptr);
    game.openScene(MainMenu);
    game.update();
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    std::string map = argc > 1 ? argv[1] : "";
    if (map.empty()) {
        const std::string self = argv[0];
        const std::size_t slash = self.rfind('/');
        map = (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) +
              "stress-map.txt";
    }
    if (!std::ifstream(map)) {
        std::fprintf(
            stderr,
            "bench_play_stress: cannot open \"%s\"\nusage: bench_play_stress [MAP [RUNS]]\n",
            map.c_str());
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    GameInstance game({"Dovra stress benchmark"});

    measure(*game, map.c_str());  // warm-up: caches, first loads
    std::vector<double> play, bare;
    for (int i = 0; i < runs; ++i) {
        const Run r = measure(*game, map.c_str());
        play.push_back(r.playTick);
        bare.push_back(r.bareStep);
        std::printf("run %d: play tick %.3f ms, bare step %.3f ms\n", i + 1, r.playTick,
                    r.bareStep);
    }
    const double p = median(play), b = median(bare);
    std::printf("%d ticks a run, %d runs; medians of the run medians\n", kTicks, runs);
    std::printf("play tick %.3f ms; ratio play tick / bare step: %.2f\n", p, b > 0 ? p / b : 0.0);

    return 0;
}
