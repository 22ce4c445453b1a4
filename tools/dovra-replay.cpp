// dovra-replay: plays recorded or hand-written replays through the real game,
// as fast as the machine allows (no timer, no frames drawn), and checks that
// each ends as its file says, on the tick it says.
//
//   dovra-replay [--safe-cards] [--allow-hangs] [--trace] [--shot TICK PICTURE.png] FILE...
//   dovra-replay --help | --version
//
// With --shot, the frame the game shows after tick TICK is also drawn and
// saved as a picture: a level at one moment of a run, the same every time.
// With --safe-cards, every tick on which a story card is up must find the
// player unhurt, on the ground and away from gaps and breaking floors; the
// first tick that does not is told and fails the replay. --trace prints each
// tick's player centre, ground contact, health, whether a card is up and
// which gap or breaking floor is near: where a level's author may put a card.
// A replay in which the live player hangs motionless in mid-air for a second
// fails, with the tick and the place, unless --allow-hangs is given.
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
#include <string>
#include <vector>

#include "DovraVersion.h"
#include "elements/CardSafety.h"
#include "elements/Dialogs.h"
#include "elements/Level.h"
#include "elements/MapCodec.h"
#include "elements/Player.h"
#include "elements/PlayerRules.h"
#include "engine/PhysicsWorld.h"
#include "engine/TextFile.h"
#include "game/CommandLine.h"
#include "game/FrameShot.h"
#include "game/Game.h"
#include "game/GameFolder.h"
#include "game/GameFolderFiles.h"
#include "game/GameInstance.h"
#include "game/PlayScene.h"
#include "game/Replay.h"
#include "game/ReplayRun.h"

namespace {

struct Result {
    Replay::Outcome outcome = Replay::Outcome::None;
    int tick = 0;
    // The first tick a card was up while the player was not safe, and why.
    int unsafeTick = -1;
    std::string unsafeWhy;
    // The tick the player was first found hanging in mid-air, and where.
    int hangTick = -1;
    NK::Vec2 hangPlace;
    // The player's centre when the run ended.
    NK::Vec2 place;
};

struct Options {
    int shotTick = -1;
    std::string shotPath;
    bool safeCards = false;
    bool trace = false;
    bool allowHangs = false;
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool playerStanding(Game& game) {
    if (game.level().player->health < 1) return false;
    return PlayerRules::isStanding(*game.stores().physics.getCapsule("player").body);
}

Result run(Game& game, const Replay& replay, const Options& options) {
    const CardSafety safety(MapCodec::read(NK::TextFile::parse(fileText(replay.mapPath))).data);
    Result result;
    int healthBefore = 0;
    bool cardBefore = false;
    ReplayWatch watch;
    watch.before = [&](int) {
        healthBefore = game.level().player->health;
        cardBefore = game.level().dialogs->cardShown();
    };
    watch.after = [&](int tick) {
        if (tick == options.shotTick && !saveFrame(game, options.shotPath))
            std::cerr << "dovra-replay: cannot save \"" << options.shotPath << "\"\n";
        CardSafety::Moment moment;
        moment.cardUp = cardBefore || game.level().dialogs->cardShown();
        moment.hit = game.level().player->health < healthBefore;
        moment.standing = playerStanding(game);
        moment.player = game.level().player->rectangle();
        if (options.trace) {
            std::cout << tick << " x " << moment.player.x + moment.player.width * 0.5f << " y "
                      << moment.player.y + moment.player.height * 0.5f << " ground "
                      << moment.standing << " health " << game.level().player->health << " card "
                      << moment.cardUp << " near " << safety.hazardNear(moment.player) << "\n";
        }
        if (options.safeCards && result.unsafeTick < 0) {
            const std::string why = safety.violation(moment);
            if (!why.empty()) {
                result.unsafeTick = tick;
                result.unsafeWhy = why;
            }
        }
        const HangWatch& hang = game.play().hangWatch();
        if (!options.allowHangs && result.hangTick < 0 && hang.hanging()) {
            result.hangTick = tick;
            result.hangPlace = hang.place();
        }
        return true;
    };
    const ReplayEnd end = playReplay(game, replay, "", 0, watch);
    result.outcome = end.outcome;
    result.tick = end.tick;
    result.place = end.place;
    return result;
}

const char* const usageLine =
    "Usage: dovra-replay [--safe-cards] [--allow-hangs] [--trace] [--shot TICK PICTURE.png] "
    "FILE...\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra-replay", usageLine, why);
}

void help() {
    std::cout
        << usageLine
        << "Play each replay FILE through the game, as fast as the machine allows,\n"
           "and check that it ends as the file says, on the tick it says.\n"
           "Prints one line a file: \"FILE: won at tick N\", \"FILE: lost at tick N\"\n"
           "or \"FILE: no end after N ticks\".\n"
           "\n"
           "      --safe-cards             fail a replay when a story card is up while the\n"
           "                               player is hit, in the air or near a gap or a\n"
           "                               breaking floor\n"
           "      --allow-hangs            do not fail a replay whose player hangs\n"
           "                               motionless in mid-air for a second\n"
           "      --trace                  print each tick's player, card and nearest hazard\n"
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
    if (const int status = CommandLine::answered(argc, argv, "dovra-replay", help, DOVRA_VERSION);
        status >= 0)
        return status;
    Options options;
    int first = 1;
    for (; first < argc && argv[first][0] == '-' && argv[first][1] != '\0'; ++first) {
        if (std::strcmp(argv[first], "--safe-cards") == 0) {
            options.safeCards = true;
        } else if (std::strcmp(argv[first], "--allow-hangs") == 0) {
            options.allowHangs = true;
        } else if (std::strcmp(argv[first], "--trace") == 0) {
            options.trace = true;
        } else if (std::strcmp(argv[first], "--shot") == 0) {
            if (first + 3 >= argc)
                return usage("option '--shot' requires TICK, PICTURE.png and a FILE");
            options.shotTick = std::atoi(argv[first + 1]);
            options.shotPath = argv[first + 2];
            first += 2;
        } else {
            return usage(std::string("unrecognized option '") + argv[first] + "'");
        }
    }
    if (first >= argc) return usage("");
    for (int i = first; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '\0')
            return usage(std::string("unrecognized option '") + argv[i] + "'");
    // Installed, the replays' maps are the player's folder's; the replay
    // files and the picture stay where they were given.
    const GameFolder::Start start = GameFolder::enterForThisProgram(DOVRA_DATA_FROM_PROGRAM);
    if (!start.error.empty()) {
        std::cerr << "dovra-replay: " << start.error << "\n";
        return 1;
    }
    std::vector<std::string> files(argv + first, argv + argc);
    if (start.moved) {
        for (std::string& file : files) file = GameFolder::resolveAgainst(start.startedIn, file);
        if (!options.shotPath.empty())
            options.shotPath = GameFolder::resolveAgainst(start.startedIn, options.shotPath);
    }
    GameInstance game({"Dovra replay"});

    int status = 0;
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::string text = fileText(path);
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
        Result r = run(*game, parsed.replay, options);
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
        } else if (parsed.replay.expectsPlace && !samePlace(r.place, parsed.replay.expectedPlace)) {
            std::cout << ", the player at " << placeText(r.place) << " (expected at "
                      << placeText(parsed.replay.expectedPlace) << ")";
            if (status == 0) status = 1;
        }
        std::cout << std::endl;
        if (r.unsafeTick >= 0) {
            std::cout << path << ": a card is up on tick " << r.unsafeTick << " while "
                      << r.unsafeWhy << std::endl;
            if (status == 0) status = 1;
        }
        if (r.hangTick >= 0) {
            std::cout << path << ": the player hangs in mid-air at " << r.hangPlace.x << ", "
                      << r.hangPlace.y << " on tick " << r.hangTick << std::endl;
            if (status == 0) status = 1;
        }
    }
    return status;
}
