// dovra-solve: searches a level for a winning replay, or with --hangs for the
// places its player hangs in mid-air, playing it through the real game with
// no timer and no frames drawn, as dovra-replay does.
//
//   dovra-solve [-o FILE] [--seconds N] [--ticks N] [--seed S] [--workers N] MAP
//   dovra-solve --hangs [-o PREFIX] [--shot] [--seconds N] [--ticks N] ... MAP
//   dovra-solve --help | --version
//
// It loads the game's resources from the game folder: the working folder, or,
// installed and started elsewhere, the player's folder as the game prepares
// it (MAP and the files written stay where they were named). It needs a
// display, which tools/headless.sh gives. --help tells the rest.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <string>

#include "DovraVersion.h"
#include "elements/MapCodec.h"
#include "elements/WallSeams.h"
#include "engine/TextFile.h"
#include "game/CommandLine.h"
#include "game/GameFolder.h"
#include "game/GameFolderFiles.h"
#include "tools/solve/HangSearch.h"
#include "tools/solve/Solver.h"

namespace {

const char* const usageLine =
    "Usage: dovra-solve [-o FILE] [--seconds N] [--ticks N] [--seed S] [--workers N] MAP\n"
    "  or:  dovra-solve --hangs [-o PREFIX] [--shot] [--seconds N] [--ticks N] [--seed S]\n"
    "                   [--workers N] MAP\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra-solve", usageLine, why);
}

void help() {
    std::cout << usageLine
              << "Search MAP for a win, playing it through the game as dovra-replay does, and\n"
                 "write the winning replay; prints \"MAP: won at tick N after S s\", or\n"
                 "\"MAP: no win found in S s\" and the furthest the search got.\n"
                 "With --hangs, explore MAP the same way to its budget's end and list each place\n"
                 "the live player hangs motionless in mid-air for a second (a corner of its\n"
                 "box resting on a corner or a wall's seam, where W does nothing): the map's\n"
                 "wall seams first, then \"MAP: hangs at X, Y on tick N\" for each place, with\n"
                 "its replay PREFIX-hang-K.replay, and last \"MAP: N hang places found in S s,\n"
                 "T ticks\".\n"
                 "\n"
                 "      --hangs         find hangs instead of a win\n"
                 "  -o FILE             the winning replay (MAP's name and .replay, here, by\n"
                 "                      default); with --hangs, the files' PREFIX (MAP's name)\n"
                 "      --shot          with --hangs, also save the frame shown on each hang's\n"
                 "                      tick as PREFIX-hang-K.png\n"
                 "      --seconds N     the time the search may take (600 by default); with\n"
                 "                      --ticks only a safety cap (none by default), and a run\n"
                 "                      it stops says so, since it may end elsewhere on another\n"
                 "                      machine\n"
                 "      --ticks N       the ticks the search may play: the same map, seed and\n"
                 "                      ticks give the same result on any machine\n"
                 "      --seed S        another search (1 by default)\n"
                 "      --workers N     game processes playing side by side (2 by default)\n"
                 "      --help          display this help and exit\n"
                 "      --version       output version information and exit\n"
                 "\n"
                 "It needs a display (tools/headless.sh gives one). The game's resources are\n"
                 "read from the game folder: the working folder, or, for the installed game\n"
                 "started elsewhere, $XDG_DATA_HOME/dovra; MAP and the files written are\n"
                 "read and written where they were named.\n"
                 "Exit status: 0 on a win (with --hangs: when no hang was found), 1 without one\n"
                 "(with --hangs: when any was), 2 when the map cannot be read, the command is\n"
                 "wrong or the game cannot be brought up.\n";
}

bool number(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= 0.0;
}

// MAP's file name less its folder and ending.
std::string mapName(const std::string& map) {
    std::string name = map.substr(map.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

void clockNote(bool stopped, long ticks, long budget) {
    if (!stopped) return;
    std::cout << "stopped by --seconds after " << ticks << " of " << budget
              << " ticks: another machine may end elsewhere" << std::endl;
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

int findHangsIn(const SolveSettings& settings, const MapData& map, std::string prefix, bool shot) {
    const std::string& name = settings.mapPath;
    for (const WallSeam& seam : wallSeams(map)) std::cout << seamLine(name, seam) << std::endl;
    const HangReport report = findHangs(settings);
    if (!report.started) {
        std::cout << name << ": the game could not be brought up" << std::endl;
        return 2;
    }
    if (prefix.empty()) prefix = mapName(name);
    std::vector<std::string> pictures;
    for (std::size_t k = 0; k < report.places.size(); ++k) {
        const HangPlace& p = report.places[k];
        const std::string file = prefix + "-hang-" + std::to_string(k + 1);
        std::cout << hangLine(name, p) << std::endl;
        if (p.replayText.empty())
            std::cout << "its way did not play back to the same hang: no replay written"
                      << std::endl;
        else if (!writeFile(file + ".replay", p.replayText))
            std::cout << name << ": cannot write \"" << file << ".replay\"" << std::endl;
        else
            std::cout << "replay written to " << file << ".replay" << std::endl;
        pictures.push_back(file + ".png");
    }
    // The pictures come from one game brought up here, once the workers are gone.
    if (shot && !report.places.empty()) {
        const bool saved = drawHangs(name, report.places, pictures);
        for (std::size_t k = 0; saved && k < pictures.size(); ++k)
            if (!report.places[k].replayText.empty())
                std::cout << "picture written to " << pictures[k] << std::endl;
        if (!saved) std::cout << name << ": cannot save the pictures" << std::endl;
    }
    clockNote(report.stoppedByClock, report.ticks, settings.tickBudget);
    std::cout << hangSummaryLine(name, report) << std::endl;
    return report.places.empty() ? 0 : 1;
}

int findWin(const SolveSettings& settings, std::string output) {
    if (output.empty()) output = mapName(settings.mapPath) + ".replay";
    const SolveReport report = solve(settings);
    if (!report.started) {
        std::cout << settings.mapPath << ": the game could not be brought up" << std::endl;
        return 2;
    }
    if (report.won && !writeFile(output, report.replayText)) {
        std::cout << settings.mapPath << ": cannot write \"" << output << "\"" << std::endl;
        return 1;
    }
    std::cout << summaryLine(settings.mapPath, report) << std::endl;
    std::cout << "played " << report.ticks << " ticks; " << report.cells
              << " situations in the archive" << std::endl;
    clockNote(report.stoppedByClock, report.ticks, settings.tickBudget);
    if (report.won) std::cout << "replay written to " << output << std::endl;
    return report.won ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = CommandLine::answered(argc, argv, "dovra-solve", help, DOVRA_VERSION);
        status >= 0)
        return status;
    SolveSettings settings;
    std::string output;
    bool hangs = false, shot = false, secondsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        double v = 0.0;
        const bool valued = i + 1 < argc && number(argv[i + 1], v);
        if (a == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (a == "--hangs") {
            hangs = true;
        } else if (a == "--shot") {
            shot = true;
        } else if (a == "--seconds" && valued) {
            settings.seconds = v, secondsGiven = true, ++i;
        } else if (a == "--seed" && valued) {
            settings.seed = static_cast<std::uint64_t>(std::strtoull(argv[++i], nullptr, 10));
        } else if (a == "--ticks" && valued) {
            settings.tickBudget = static_cast<long>(v), ++i;
        } else if (a == "--workers" && valued && v >= 1) {
            settings.workers = static_cast<int>(v), ++i;
        } else if (settings.mapPath.empty() && !a.empty() && a[0] != '-') {
            settings.mapPath = a;
        } else if (a[0] == '-') {
            return usage("option '" + a + "' is unknown or lacks its value");
        } else {
            return usage("one MAP at a time");
        }
    }
    if (settings.mapPath.empty()) return usage("");
    if (shot && !hangs) return usage("option '--shot' goes with '--hangs'");
    // Ticks alone decide a tick-bounded search; the clock stays a cap only if asked.
    if (settings.tickBudget > 0 && !secondsGiven)
        settings.seconds = std::numeric_limits<double>::infinity();

    // Installed, the search plays from the player's folder, where the game's
    // resources are; the map and the files written stay where they were named,
    // and the default names are made in the folder it was started in.
    const GameFolder::Start start = GameFolder::enterForThisProgram(DOVRA_DATA_FROM_PROGRAM);
    if (!start.error.empty()) {
        std::cerr << "dovra-solve: " << start.error << "\n";
        return 2;
    }
    if (start.moved) {
        if (output.empty())
            output = hangs ? mapName(settings.mapPath) : mapName(settings.mapPath) + ".replay";
        settings.mapPath = GameFolder::resolveAgainst(start.startedIn, settings.mapPath);
        output = GameFolder::resolveAgainst(start.startedIn, output);
    }

    // The map is read with the game's own reader before any game comes up.
    std::ifstream in(settings.mapPath, std::ios::binary);
    if (!in) {
        std::cout << settings.mapPath << ": cannot be opened" << std::endl;
        return 2;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const MapCodec::ReadResult read = MapCodec::read(NK::TextFile::parse(text));
    if (!read.ok) {
        std::cout << settings.mapPath << ": Wrong data at line " << read.errorLine << ": "
                  << read.error << std::endl;
        return 2;
    }
    return hangs ? findHangsIn(settings, read.data, output, shot) : findWin(settings, output);
}
