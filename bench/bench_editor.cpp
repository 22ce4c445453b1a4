// How long the editor's own actions hold up the game thread: LOAD, undo,
// redo, save, the snapshot taken after a change, and the test run's start
// and stop, on the stress level and the two largest shipped levels.
//
//   bench_editor [REPEATS]
//
// The editor is the game's real one, entered as the menu enters it; each
// action is the call its button or key makes. Every action runs REPEATS
// times (15 by default) on each level, the first LOAD and the first test run
// of the process included, and the table gives the median and the maximum in
// milliseconds of the process's CPU time (see nowMs). The line before the
// last is the stress level's median LOAD; the last is the slowest median of
// every other action and level. Run from the repository root on a display
// (tools/headless.sh gives a virtual one).
#include <allegro5/allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/Level.h"
#include "elements/Player.h"
#include "game/Game.h"
#include "game/GameInstance.h"

namespace {

// The process's CPU time, its renderer's threads included: on a machine shared
// with other work, wall-clock time would mostly measure the others. On an
// idle machine an action's wall time is at most this.
double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

struct Row {
    std::string action, level;
    double median = 0.0, max = 0.0;
};

struct BenchLevel {
    std::string name, path;
};

// The stress level the build writes beside the binaries.
std::string stressMapPath(const char* self) {
    const std::string s = self;
    const std::size_t slash = s.rfind('/');
    return (slash == std::string::npos ? std::string() : s.substr(0, slash + 1)) + "stress-map.txt";
}

class Bench {
public:
    Bench(Game& game, int repeats, std::string scratch)
        : game(game), repeats(repeats), scratch(std::move(scratch)) {}

    void level(const BenchLevel& l) {
        ImportExportPanel& io = game.importExport();
        EditorFrame& editor = game.editor();
        std::vector<double> load, undo, redo, save, snapshot, runStart, runStop;
        for (int i = 0; i < repeats; ++i) {
            // LOAD as its button does it once the prompt is answered: the level
            // emptied, then the file's records added.
            load.push_back(timed([&] {
                io.clearMap();
                io.loadMap(l.path);
            }));
            editor.history.reset(io.snapshot());
            // A change the editor then takes as a step: the player one pixel over.
            Player& player = *game.level().player;
            const PlayerRecord at = player.positionRecord();
            player.setPosition(at.x + 1.0f, at.y);
            snapshot.push_back(timed([&] { editor.history.record(io.snapshot()); }));
            undo.push_back(timed([&] { editor.undo(); }));
            redo.push_back(timed([&] { editor.redo(); }));
            save.push_back(timed([&] { io.saveMap(scratch + "/saved.txt"); }));
            // Space, as the frame handles it: into the test run and back.
            runStart.push_back(timed([&] {
                editor.tabs.toggleRun();
                editor.applyEditorTab();
            }));
            game.update();  // one tick of the run
            runStop.push_back(timed([&] {
                editor.tabs.toggleRun();
                editor.applyEditorTab();
            }));
        }
        add("LOAD", l.name, load);
        add("undo", l.name, undo);
        add("redo", l.name, redo);
        add("save", l.name, save);
        add("snapshot", l.name, snapshot);
        add("test run start", l.name, runStart);
        add("test run stop", l.name, runStop);
    }

    std::vector<Row> rows;

private:
    double timed(const std::function<void()>& action) {
        const double t0 = nowMs();
        action();
        al_get_pixel(al_get_backbuffer(game.display->display), 0, 0);  // wait for the GPU
        return nowMs() - t0;
    }

    void add(const char* action, const std::string& level, const std::vector<double>& times) {
        rows.push_back(
            {action, level, median(times), *std::max_element(times.begin(), times.end())});
    }

    Game& game;
    int repeats;
    std::string scratch;
};

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::vector<BenchLevel> levels = {{"stress map", stressMapPath(argv[0])},
                                            {"deep_core_3", "Editor/Levels/deep_core_3.txt"},
                                            {"deep_core_5", "Editor/Levels/deep_core_5.txt"}};
    for (const BenchLevel& l : levels) {
        if (!std::ifstream(l.path)) {
            std::fprintf(stderr,
                         "bench_editor: cannot open \"%s\" (run from the repository root)\n",
                         l.path.c_str());
            return 2;
        }
    }
    char folder[] = "/tmp/bench_editor.XXXXXX";
    if (!mkdtemp(folder)) return 2;
    const std::string scratch = folder;

    GameInstance game({"Dovra editor benchmark"});
    // Nothing of the benchmark's goes into the tracked map folder.
    game->importExport().recoveryPath = scratch + "/recovery.txt";
    game->importExport().askToSave = [] { return false; };
    game->openScene(Editor);
    game->update();

    Bench bench(*game, repeats, scratch);
    for (const BenchLevel& l : levels) bench.level(l);

    std::printf("%-16s %-12s %10s %10s\n", "action", "level", "median ms", "max ms");
    for (const Row& r : bench.rows)
        std::printf("%-16s %-12s %10.2f %10.2f\n", r.action.c_str(), r.level.c_str(), r.median,
                    r.max);
    std::printf("%d repeats each; the first LOAD and test run of the process included\n", repeats);
    const Row* stressLoad = nullptr;
    const Row* slowest = nullptr;
    for (const Row& r : bench.rows) {
        if (r.action == "LOAD" && r.level == "stress map") {
            stressLoad = &r;
        } else if (!slowest || r.median > slowest->median) {
            slowest = &r;
        }
    }
    std::printf("stress map LOAD: %.1f ms\n", stressLoad->median);
    std::printf("slowest editor action: %.1f ms (%s on %s)\n", slowest->median,
                slowest->action.c_str(), slowest->level.c_str());

    game->importExport().clearMap();
    std::remove((scratch + "/saved.txt").c_str());
    std::remove((scratch + "/saved.txt.saving").c_str());
    std::remove((scratch + "/recovery.txt").c_str());
    rmdir(folder);
    return 0;
}
