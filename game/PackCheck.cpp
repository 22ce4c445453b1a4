#include "game/PackCheck.h"

#include <unistd.h>

#include <filesystem>

#include "engine/TextFileStore.h"
#include "game/GameFolder.h"

namespace fs = std::filesystem;

namespace PackCheck {

std::string contentsProblem(const PackRules::Pack& pack, const std::string& folder) {
    const auto pictureThere = [&](const std::string& path) {
        std::error_code error;
        return fs::is_regular_file(fs::path(folder) / path, error);
    };
    for (const PackRules::Level& level : pack.levels) {
        const std::string why = PackRules::mapProblem(*pack.entry(level.map), pictureThere);
        if (!why.empty()) return level.map + ": " + why;
        const ReplayParse proof = parseReplay(*pack.entry(level.proof));
        if (!proof.ok) return level.proof + ": " + proof.error;
        if (proof.replay.expected != Replay::Outcome::Won)
            return level.proof + ": does not expect a win";
        if (proof.replay.expectedTick >= maxProofTicks)
            return level.proof + ": expects its win after " + std::to_string(maxProofTicks) +
                   " ticks";
    }
    return "";
}

std::string playProofs(
    const PackRules::Pack& pack, Game& game, const std::string& folder,
    const std::function<void(const PackRules::Level&, const ReplayEnd&)>& report) {
    const std::string checking =
        std::string(GameFolder::mapFolder) + "/.pack-check-" + std::to_string(::getpid()) + "/";
    std::error_code error;
    fs::create_directories(fs::path(folder) / checking, error);
    std::string problem = error ? "cannot write into " + checking : "";
    for (const PackRules::Level& level : pack.levels) {
        if (!problem.empty()) break;
        const std::string map = checking + level.mapName();
        if (!NK::replaceWhole((fs::path(folder) / map).string(), *pack.entry(level.map))) {
            problem = "cannot write " + map;
            break;
        }
        const ReplayEnd end =
            playReplay(game, parseReplay(*pack.entry(level.proof)).replay, map, maxProofTicks);
        if (report) report(level, end);
        if (end.outcome != Replay::Outcome::Won)
            problem = level.proof + ": " +
                      (end.outcome == Replay::Outcome::Lost
                           ? "lost at tick " + std::to_string(end.tick)
                           : "no win after " + std::to_string(end.tick) + " ticks");
    }
    fs::remove_all(fs::path(folder) / checking, error);
    return problem;
}

}  // namespace PackCheck
