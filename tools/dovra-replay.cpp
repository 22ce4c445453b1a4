// dovra-replay: plays recorded or hand-written replays through the real game,
// as fast as the machine allows (no timer, no frames drawn), and checks that
// each ends as its file says, on the tick it says.
//
//   dovra-replay FILE...
//   dovra-replay --shot TICK PICTURE.png FILE
//
// With --shot, the frame the game shows after tick TICK is also drawn and
// saved as a picture: a level at one moment of a run, the same every time.
// One line per file: "FILE: won at tick N", "FILE: lost at tick N" or
// "FILE: no end after N ticks". Exit status 0 when every replay ends as
// expected, 1 otherwise, 2 when a file cannot be read. Needs a display (the
// game loads its images as in play); tools/headless.sh gives a virtual one.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include <allegro5/allegro.h>

#include "DovraVersion.h"
#include "engine/Display.h"
#include "game/CommandLine.h"
#include "game/Game.h"
#include "game/GameFolder.h"
#include "game/GameFolderFiles.h"
#include "game/PlayScene.h"
#include "game/Replay.h"

namespace {

struct Result {
    Replay::Outcome outcome = Replay::Outcome::None;
    int tick = 0;
};

struct Shot {
    int tick = -1;
    std::string path;
};

void saveFrame(Game& game, const std::string& path) {
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
    game.draw();
    if (!al_save_bitmap(path.c_str(), al_get_backbuffer(game.display->display)))
        std::cerr << "dovra-replay: cannot save \"" << path << "\"\n";
}

Result run(Game& game, const Replay& replay, const Shot& shot) {
    game.playMap(replay.mapPath);
    Result result;
    const int limit = replay.tickLimit();
    PlayInput input;
    game.replayInput = &input;
    for (int tick = 0; tick < limit; ++tick) {
        input = replay.inputAt(tick);
        game.update();
        if (tick == shot.tick) saveFrame(game, shot.path);
        if (game.play->won || game.play->lost) {
            result.outcome = game.play->won ? Replay::Outcome::Won : Replay::Outcome::Lost;
            result.tick = tick;
            break;
        }
        result.tick = tick + 1;
    }
    game.replayInput = nullptr;
    game.play->leaveLevel();
    game.openScene(MainMenu);
    game.update();
    return result;
}

const char* const usageLine = "Usage: dovra-replay [--shot TICK PICTURE.png] FILE...\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra-replay", usageLine, why);
}

void help() {
    std::cout << usageLine
              << "Play each replay FILE through the game, as fast as the machine allows,\n"
                 "and check that it ends as the file says, on the tick it says.\n"
                 "Prints one line a file: \"FILE: won at tick N\", \"FILE: lost at tick N\"\n"
                 "or \"FILE: no end after N ticks\".\n"
                 "\n"
                 "      --shot TICK PICTURE.png  also save the frame shown after tick TICK\n"
                 "      --help                   display this help and exit\n"
                 "      --version                output version information and exit\n"
                 "\n"
                 "A replay's map is read relative to the game's folder: the working folder,\n"
                 "or, for the installed game started elsewhere, $XDG_DATA_HOME/dovra.\n"
                 "Exit status: 0 when every replay ends as expected, 1 when one does not,\n"
                 "2 when a file cannot be read.\n";
}

}  // namespace

int main(int argc, char** argv) {
    switch (CommandLine::asked(argc, argv)) {
        case CommandLine::Ask::Help:
            help();
            return 0;
        case CommandLine::Ask::Version:
            CommandLine::version(std::cout, "dovra-replay", DOVRA_VERSION);
            return 0;
        case CommandLine::Ask::Run:
            break;
    }
    if (argc < 2) return usage("");
    Shot shot;
    int first = 1;
    if (std::strcmp(argv[1], "--shot") == 0) {
        if (argc < 5) return usage("option '--shot' requires TICK, PICTURE.png and a FILE");
        shot.tick = std::atoi(argv[2]);
        shot.path = argv[3];
        first = 4;
    }
    for (int i = first; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '\0')
            return usage(std::string("unrecognized option '") + argv[i] + "'");
    // Installed, the replays' maps are the player's folder's; the replay
    // files and the picture stay where they were given.
    std::error_code noFolder;
    const std::string started = std::filesystem::current_path(noFolder).string();
    const GameFolder::Start start = GameFolder::enterForThisProgram(DOVRA_DATA_FROM_PROGRAM);
    if (!start.error.empty()) {
        std::cerr << "dovra-replay: " << start.error << "\n";
        return 1;
    }
    std::vector<std::string> files(argv + first, argv + argc);
    if (start.moved) {
        for (std::string& file : files) file = GameFolder::resolveAgainst(started, file);
        if (!shot.path.empty()) shot.path = GameFolder::resolveAgainst(started, shot.path);
    }
    void* memory = ::operator new(sizeof(Game));
    std::memset(memory, 0, sizeof(Game));
    Game* game = new (memory) Game();
    game->startEngine("Dovra replay");
    game->create();
    game->load();

    int status = 0;
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ReplayParse parsed = parseReplay(text);
        if (!in || !parsed.ok) {
            std::cout << path << ": " << (in ? parsed.error : "cannot be opened") << std::endl;
            status = 2;
            continue;
        }
        if (!std::ifstream(parsed.replay.mapPath)) {
            std::cout << path << ": map \"" << parsed.replay.mapPath << "\" cannot be opened"
                      << std::endl;
            status = 2;
            continue;
        }
        Result r = run(*game, parsed.replay, shot);
        if (r.outcome == Replay::Outcome::None)
            std::cout << path << ": no end after " << r.tick << " ticks";
        else
            std::cout << path << ": " << outcomeName(r.outcome) << " at tick " << r.tick;
        const bool expected =
            r.outcome == parsed.replay.expected &&
            (r.outcome == Replay::Outcome::None || r.tick == parsed.replay.expectedTick);
        if (!expected) {
            std::cout << " (expected " << outcomeName(parsed.replay.expected) << " at tick "
                      << parsed.replay.expectedTick << ")";
            if (status == 0) status = 1;
        }
        std::cout << std::endl;
    }
    game->shutDown();
    game->~Game();
    ::operator delete(memory);
    return status;
}
