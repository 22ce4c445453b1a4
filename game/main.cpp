#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "game/Game.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: dovra [--record-replay REPLAY] [MAP]\n");
    return 2;
}

}  // namespace

// dovra                       the game, from its main menu
// dovra MAP                   plays MAP at once; Escape leads to the menu
// dovra --record-replay FILE  records the next level started into FILE
int main(int argc, char** argv) {
    std::string map, record;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--record-replay") == 0) {
            if (++i >= argc) return usage();
            record = argv[i];
        } else if (argv[i][0] == '-' || !map.empty()) {
            return usage();
        } else {
            map = argv[i];
        }
    }
    // A map that cannot be read is told before any window opens.
    if (!map.empty()) {
        if (FILE* f = std::fopen(map.c_str(), "rb")) {
            std::fclose(f);
        } else {
            std::fprintf(stderr, "dovra: cannot open map \"%s\"\n", map.c_str());
            return 2;
        }
    }

    // The game object starts from zeroed memory so that every field the
    // constructor does not set reads as zero; run() releases it.
    void* memory = ::operator new(sizeof(Game));
    std::memset(memory, 0, sizeof(Game));
    Game* game = new (memory) Game();
    game->startMapPath = map;
    game->recordReplayPath = record;
    game->run("Dovra");
    return 0;
}
