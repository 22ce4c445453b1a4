// dovra-solve: searches a level for a winning replay, playing it through the
// real game with no timer and no frames drawn, as dovra-replay does.
//
//   dovra-solve MAP [-o FILE] [--seconds N] [--seed S] [--ticks N] [--workers N]
//
// On a win it writes the replay (by default MAP's name with ".replay", in
// this folder) and prints "MAP: won at tick N after S s"; otherwise
// "MAP: no win found in S s" with the furthest it got. Exit status 0 on a
// win, 1 without, 2 when the map cannot be read or the command is wrong.
// Run it from the game folder (it loads the game's resources); it needs a
// display, which tools/headless.sh gives.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "elements/MapCodec.h"
#include "engine/TextFile.h"
#include "tools/solve/Solver.h"

namespace {

int usage() {
    std::cerr << "usage: dovra-solve MAP [-o FILE] [--seconds N] [--seed S] [--ticks N] "
                 "[--workers N]\n";
    return 2;
}

bool number(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= 0.0;
}

std::string defaultOutput(const std::string& map) {
    std::string name = map.substr(map.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name + ".replay";
}

}  // namespace

int main(int argc, char** argv) {
    SolveSettings settings;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        double v = 0.0;
        const bool hasValue = i + 1 < argc;
        if (a == "-o" && hasValue) {
            output = argv[++i];
        } else if (a == "--seconds" && hasValue && number(argv[i + 1], v)) {
            settings.seconds = v, ++i;
        } else if (a == "--seed" && hasValue && number(argv[i + 1], v)) {
            settings.seed = static_cast<std::uint64_t>(std::strtoull(argv[++i], nullptr, 10));
        } else if (a == "--ticks" && hasValue && number(argv[i + 1], v)) {
            settings.tickBudget = static_cast<long>(v), ++i;
        } else if (a == "--workers" && hasValue && number(argv[i + 1], v) && v >= 1) {
            settings.workers = static_cast<int>(v), ++i;
        } else if (settings.mapPath.empty() && !a.empty() && a[0] != '-') {
            settings.mapPath = a;
        } else {
            return usage();
        }
    }
    if (settings.mapPath.empty()) return usage();
    if (output.empty()) output = defaultOutput(settings.mapPath);

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

    const SolveReport report = solve(settings);
    if (!report.started) {
        std::cout << settings.mapPath << ": the game could not be brought up" << std::endl;
        return 2;
    }
    if (report.won) {
        std::ofstream out(output, std::ios::binary);
        out << report.replayText;
        out.close();
        if (!out) {
            std::cout << settings.mapPath << ": cannot write \"" << output << "\"" << std::endl;
            return 1;
        }
    }
    std::cout << summaryLine(settings.mapPath, report) << std::endl;
    std::cout << "played " << report.ticks << " ticks; " << report.cells
              << " situations in the archive" << std::endl;
    if (report.won) std::cout << "replay written to " << output << std::endl;
    return report.won ? 0 : 1;
}
