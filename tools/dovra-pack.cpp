// dovra-pack: makes, checks, installs, lists and removes level packs, each
// one file (NAME.dovrapack) that carries a winning replay for every level.
//
//   dovra-pack create ID "DISPLAY NAME" MAP... [-o FILE] [--author NAME]
//              [--pack-version N] [--proof MAP=REPLAY]... [--solve SECONDS]
//   dovra-pack check FILE
//   dovra-pack install FILE [--replace]
//   dovra-pack list
//   dovra-pack remove ID
//
// Proofs are played through the real game with no timer and no frames
// drawn, as dovra-replay plays replays; it needs a display (tools/headless.sh
// gives one). --help tells the rest.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DovraVersion.h"
#include "engine/TextFileStore.h"
#include "game/CommandLine.h"
#include "game/GameFolder.h"
#include "game/GameFolderFiles.h"
#include "game/PackArchive.h"
#include "game/PackCheck.h"
#include "game/PackInstall.h"
#include "tools/solve/Solver.h"

namespace {

const char* const usageLines =
    "Usage: dovra-pack create ID \"DISPLAY NAME\" MAP... [-o FILE] [--author NAME]\n"
    "                  [--pack-version N] [--proof MAP=REPLAY]... [--solve SECONDS]\n"
    "  or:  dovra-pack check FILE\n"
    "  or:  dovra-pack install FILE [--replace]\n"
    "  or:  dovra-pack list\n"
    "  or:  dovra-pack remove ID\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra-pack", usageLines, why);
}

void help() {
    std::cout << usageLines
              << "Make, check and install Dovra level packs: one file a pack, carrying for each\n"
                 "level a replay that wins it.\n"
                 "\n"
                 "  create   bundle maps saved in the editor into ID.dovrapack (or -o FILE);\n"
                 "           each map needs a proof, a winning replay given with --proof or\n"
                 "           one the solver finds in --solve SECONDS\n"
                 "  check    run every safety check and play each proof through the game;\n"
                 "           one line a level: \"MAP: won at tick N\"\n"
                 "  install  check, then put the pack into the game folder, all or nothing;\n"
                 "           --replace takes a newer version of an installed pack, keeping\n"
                 "           the levels the player opened\n"
                 "  list     the installed packs: id, version, name and author\n"
                 "  remove   take an installed pack out (never a map saved by the player)\n"
                 "\n"
                 "      --help     display this help and exit\n"
                 "      --version  output version information and exit\n"
                 "\n"
                 "The game folder is the working folder, or, for the installed game started\n"
                 "elsewhere, $XDG_DATA_HOME/dovra. Exit status: 0 when all went well, 1 when\n"
                 "a check refuses the pack, 2 when a file cannot be read or the command is\n"
                 "wrong.\n";
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int refuse(const std::string& file, const std::string& why, int status = 1) {
    std::cerr << "dovra-pack: " << file << ": " << why << std::endl;
    return status;
}

// The replay's text with its map line naming `map` inside the pack.
std::string proofFor(const std::string& replay, const std::string& map) {
    std::string text = "map " + map + "\n";
    std::size_t start = 0;
    while (start < replay.size()) {
        std::size_t end = replay.find('\n', start);
        end = end == std::string::npos ? replay.size() : end + 1;
        const std::string line = replay.substr(start, end - start);
        if (line.compare(0, 4, "map ") != 0) text += line;
        start = end;
    }
    return text;
}

int create(const std::vector<std::string>& args) {
    PackRules::Pack pack;
    std::vector<std::string> maps;
    std::map<std::string, std::string> proofs;
    std::string output;
    double solveSeconds = 0.0;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool valued = i + 1 < args.size();
        if (a == "-o" && valued) {
            output = args[++i];
        } else if (a == "--author" && valued) {
            pack.manifest.author = args[++i];
        } else if (a == "--pack-version" && valued) {
            pack.manifest.version = std::atoi(args[++i].c_str());
        } else if (a == "--solve" && valued) {
            solveSeconds = std::atof(args[++i].c_str());
        } else if (a == "--proof" && valued && args[i + 1].find('=') != std::string::npos) {
            const std::string pair = args[++i];
            proofs[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
        } else if (!a.empty() && a[0] == '-') {
            return usage("option '" + a + "' is unknown or lacks its value");
        } else {
            words.push_back(a);
        }
    }
    if (words.size() < 3) return usage("create needs an ID, a DISPLAY NAME and a MAP");
    pack.manifest.id = words[0];
    pack.manifest.name = words[1];
    maps.assign(words.begin() + 2, words.end());
    if (output.empty()) output = pack.manifest.id + PackRules::extension;
    std::vector<PackRules::Entry> entries;
    for (const std::string& path : maps) {
        const std::string stem = std::filesystem::path(path).stem().string();
        const std::string inside = "maps/" + stem + ".txt";
        std::string map, replay;
        if (!readFile(path, map)) return refuse(path, "cannot be opened", 2);
        const auto given = proofs.find(path);
        if (given != proofs.end() && !readFile(given->second, replay))
            return refuse(given->second, "cannot be opened", 2);
        if (given == proofs.end() && solveSeconds > 0.0) {
            SolveSettings settings;
            settings.mapPath = path;
            settings.seconds = solveSeconds;
            const SolveReport report = solve(settings);
            std::cout << summaryLine(path, report) << std::endl;
            replay = report.replayText;
            // Kept beside the map, so the next version of the pack can give it
            // with --proof rather than search again; a file there is left alone.
            const std::string kept =
                (std::filesystem::path(path).parent_path() / (stem + ".replay")).string();
            if (!replay.empty() && !std::filesystem::exists(kept) && NK::replaceWhole(kept, replay))
                std::cout << "proof kept as " << kept << std::endl;
        }
        if (replay.empty()) return refuse(path, "no winning proof (--proof MAP=REPLAY or --solve)");
        pack.levels.push_back({inside, "", stem});
        entries.push_back({inside, map});
        const std::string proofName = "proofs/" + stem + ".replay";
        entries.push_back({proofName, proofFor(replay, inside)});
        pack.levels.back().proof = proofName;
    }
    pack.entries = entries;
    // The pack as the installer will read it: the same rules refuse it here.
    const PackRules::PackRead read = PackRules::fromEntries(PackRules::toEntries(pack));
    if (!read.ok) return refuse(output, read.error);
    if (const std::string why = PackCheck::contentsProblem(read.pack, "."); !why.empty())
        return refuse(output, why);
    if (const std::string why = PackCheck::proveAll(read.pack, ".", std::cout); !why.empty())
        return refuse(output, why);
    if (!PackArchive::writeFile(output, read.pack.entries))
        return refuse(output, "cannot be written", 2);
    const std::size_t levels = read.pack.levels.size();
    std::cout << output << ": " << levels << (levels == 1 ? " level" : " levels") << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = CommandLine::answered(argc, argv, "dovra-pack", help, DOVRA_VERSION);
        status >= 0)
        return status;
    if (argc < 2) return usage("");
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    // Files named on the command line stay where they were given; the game
    // folder may be the player's own, entered below.
    const GameFolder::Start start = GameFolder::enterForThisProgram(DOVRA_DATA_FROM_PROGRAM);
    if (!start.error.empty()) {
        std::cerr << "dovra-pack: " << start.error << "\n";
        return 2;
    }
    if (start.moved)
        for (std::string& a : args)
            if (!a.empty() && a[0] != '-') a = GameFolder::resolveAgainst(start.startedIn, a);

    if (command == "create") return create(args);
    if (command == "check" || command == "install") {
        const bool replace = args.size() == 2 && args[1] == "--replace" && command == "install";
        if (args.size() != 1 && !replace) return usage(command + " takes one FILE");
        using PackCheck::Install;
        const PackCheck::FileCheck c = PackCheck::checkFile(args[0], ".",
                                                            command == "check" ? Install::No
                                                            : replace          ? Install::Replace
                                                                               : Install::Yes,
                                                            std::cout);
        if (c.status != 0) {
            std::cerr << "dovra-pack: " << c.error << std::endl;
            return c.status;
        }
        if (c.installed)
            std::cout << "installed \"" << c.pack.manifest.name << "\" (" << c.pack.manifest.id
                      << ", version " << c.pack.manifest.version << ")" << std::endl;
        return 0;
    }
    if (command == "list" && args.empty()) {
        for (const PackInstall::Installed& p : PackInstall::list("."))
            std::cout << p.manifest.id << "  " << p.manifest.version << "  " << p.manifest.name
                      << (p.manifest.author.empty() ? "" : "  (" + p.manifest.author + ")")
                      << std::endl;
        return 0;
    }
    if (command == "remove" && args.size() == 1) {
        if (const std::string why = PackInstall::remove(args[0], "."); !why.empty())
            return refuse(args[0], why);
        return 0;
    }
    return usage("unknown command '" + command + "'");
}
