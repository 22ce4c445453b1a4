#include "game/PackCheck.h"

#include <unistd.h>

#include <filesystem>

#include "engine/TextFileStore.h"
#include "game/GameFolder.h"
#include "game/GameInstance.h"
#include "game/PackArchive.h"
#include "game/PackInstall.h"

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

std::string proveAll(const PackRules::Pack& pack, const std::string& folder, std::ostream& out) {
    GameInstance game({"Dovra pack check", true});
    return playProofs(pack, *game, folder, [&](const PackRules::Level& l, const ReplayEnd& e) {
        if (e.outcome == Replay::Outcome::Won)
            out << l.map << ": won at tick " << e.tick << std::endl;
    });
}

FileCheck checkFile(const std::string& file, const std::string& folder, Install install,
                    std::ostream& out) {
    FileCheck c;
    const auto refuse = [&](const std::string& why, int status) {
        c.status = status;
        c.error = file + ": " + why;
        return c;
    };
    const PackArchive::Read archive = PackArchive::readFile(file);
    if (archive.status != PackArchive::Read::Status::Ok)
        return refuse(archive.error,
                      archive.status == PackArchive::Read::Status::Unreadable ? 2 : 1);
    PackRules::PackRead read = PackRules::fromEntries(archive.entries);
    if (!read.ok) return refuse(read.error, 1);
    const PackRules::Manifest& m = read.pack.manifest;
    if (const std::string why = contentsProblem(read.pack, folder); !why.empty())
        return refuse(why, 1);
    bool replace = install == Install::Replace;
    if (install == Install::NewerOnly) {
        for (const PackInstall::Installed& i : PackInstall::list(folder)) {
            if (i.manifest.id != m.id) continue;
            if (i.manifest.version >= m.version) {
                // Opening a pack again shows it; only a newer one replaces it.
                c.pack = std::move(read.pack);
                c.packFile = i.packFile;
                return c;
            }
            replace = true;
        }
    }
    // A clash is known without playing a tick.
    const std::string clash = PackInstall::clash(read.pack, folder, replace);
    if (install != Install::No && !clash.empty()) return refuse(clash, 1);
    if (const std::string why = proveAll(read.pack, folder, out); !why.empty())
        return refuse(why, 1);
    c.pack = std::move(read.pack);
    if (install == Install::No) return c;
    if (const std::string why = PackInstall::install(c.pack, folder, replace); !why.empty())
        return refuse(why, 1);
    c.installed = true;
    for (const PackInstall::Installed& i : PackInstall::list(folder))
        if (i.manifest.id == m.id) c.packFile = i.packFile;
    return c;
}

}  // namespace PackCheck
