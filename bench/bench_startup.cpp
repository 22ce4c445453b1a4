// Time from process start to the first drawn main-menu frame: Allegro and the
// window come up, every shared resource loads (96 font sizes, images,
// sounds, animations), the menus' widgets are built, one tick runs and one
// frame is drawn and flipped. The editor's pages are not in it: they are
// built over the menu's next ticks. Run from the repository root on a display.
#include <allegro5/allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "game/Game.h"
#include "game/GameInstance.h"

namespace {

// Seconds since boot at which this process started (from /proc), so the
// figure includes exec, dynamic linking and static start-up.
double processStartSeconds() {
    std::ifstream in("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) fields >> field;  // field 22 is starttime
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double secondsSinceBoot() {
    timespec t{};
    clock_gettime(CLOCK_BOOTTIME, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main() {
    GameInstance game({"Dovra"});
    game->startClocks();

    ALLEGRO_EVENT tick{};
    tick.type = ALLEGRO_EVENT_TIMER;
    game->pass(tick, true);  // the first update and the first menu frame
    al_get_pixel(al_get_backbuffer(game->display->display), 0, 0);  // wait for the GPU

    double ms = (secondsSinceBoot() - processStartSeconds()) * 1000.0;

    // The menu's next ticks build the editor, a part each. Set against the
    // ticks after, with nothing left to build, this is what the building
    // costs a tick.
    auto drawnTick = [&] {
        const double before = secondsSinceBoot();
        game->pass(tick, true);
        al_get_pixel(al_get_backbuffer(game->display->display), 0, 0);
        return (secondsSinceBoot() - before) * 1000.0;
    };
    double building = 0.0, built = 0.0;
    for (int i = 0; i < 13; ++i) building = std::max(building, drawnTick());
    for (int i = 0; i < 13; ++i) built = std::max(built, drawnTick());
    std::printf("slowest menu tick, drawn, while the editor builds: %.1f ms; after: %.1f ms\n",
                building, built);
    std::printf("start-up to first menu frame: %.0f ms\n", ms);
    return 0;
}
