#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>

#include "DovraVersion.h"
#include "engine/Platform.h"
#include "game/CommandLine.h"
#include "game/Game.h"
#include "game/GameFolder.h"
#include "game/GameFolderFiles.h"
#include "game/PackCheck.h"

namespace {

const char* const usageLine = "Usage: dovra [OPTION]... [MAP | PACK.dovrapack]\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra", usageLine, why);
}

void help() {
    std::cout << usageLine
              << "Play Dovra, a 2D physics puzzle-platformer, and make its levels.\n"
                 "With MAP, play that map file at once; Escape then leads to the main menu.\n"
                 "With a level pack (.dovrapack), check it, play its proofs, install it\n"
                 "(a newer version keeps the levels you opened) and show its page.\n"
                 "\n"
                 "      --record-replay FILE  write the next level started to FILE as a\n"
                 "                            replay, from its start to its end\n"
                 "      --help                display this help and exit\n"
                 "      --version             output version information and exit\n"
                 "\n"
                 "The game reads its data from the working folder. Installed and started\n"
                 "elsewhere, it plays from $XDG_DATA_HOME/dovra (~/.local/share/dovra),\n"
                 "where your progress, saved maps and recovery copy are kept.\n";
}

}  // namespace

// dovra                       the game, from its main menu
// dovra MAP                   plays MAP at once; Escape leads to the menu
// dovra PACK.dovrapack        installs the pack and shows its page
// dovra --record-replay FILE  records the next level started into FILE
int main(int argc, char** argv) {
    if (const int status = CommandLine::answered(argc, argv, "dovra", help, DOVRA_VERSION);
        status >= 0)
        return status;
    std::string map, record;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--record-replay") == 0) {
            if (++i >= argc) return usage("option '--record-replay' requires an argument");
            record = argv[i];
        } else if (argv[i][0] == '-') {
            return usage(std::string("unrecognized option '") + argv[i] + "'");
        } else if (!map.empty()) {
            return usage(std::string("extra operand '") + argv[i] + "'");
        } else {
            map = argv[i];
        }
    }
    const bool pack = map.size() > 10 && map.compare(map.size() - 10, 10, ".dovrapack") == 0;
    // A map that cannot be read is told before any window opens.
    if (!map.empty()) {
        if (FILE* f = std::fopen(map.c_str(), "rb")) {
            std::fclose(f);
        } else {
            std::fprintf(stderr, "dovra: cannot open map \"%s\"\n", map.c_str());
            return 2;
        }
    }

    // Installed, the game plays from the player's own folder; the files named
    // on the command line stay where the player gave them.
    const GameFolder::Start start = GameFolder::enterForThisProgram(DOVRA_DATA_FROM_PROGRAM);
    if (!start.error.empty()) {
        std::fprintf(stderr, "dovra: %s\n", start.error.c_str());
        return 1;
    }
    if (start.moved) {
        map = GameFolder::resolveAgainst(start.startedIn, map);
        record = GameFolder::resolveAgainst(start.startedIn, record);
    }
    std::string packFile;
    if (pack) {
        // Opened from a file manager: a pack met again just shows its page.
        const PackCheck::FileCheck c =
            PackCheck::checkFile(map, ".", PackCheck::Install::NewerOnly, std::cout);
        if (c.status != 0) {
            std::fprintf(stderr, "dovra: %s\n", c.error.c_str());
            return 2;
        }
        packFile = c.packFile;
        map.clear();
    }

    GameStart settings;
    settings.mapPath = map;
    settings.packFile = packFile;
    settings.recordPath = record;
    // Tests shorten the editor's crash-copy period to see a copy made without
    // waiting.
    if (const char* seconds = std::getenv("DOVRA_RECOVERY_SECONDS"))
        settings.recoverySeconds = std::max(1, std::atoi(seconds));
    // The game object starts from zeroed memory so that every field the
    // constructor does not set reads as zero; run() releases it.
    void* memory = ::operator new(sizeof(Game));
    std::memset(memory, 0, sizeof(Game));
    (new (memory) Game(settings))->run("Dovra");
    NK::Platform::endWithin(10, 0);
    return 0;
}
