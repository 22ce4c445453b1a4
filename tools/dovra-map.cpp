// dovra-map: checks and normalises map files with the game's own reader.
//
//   dovra-map check FILE...   one line per file: "FILE: Loaded 1 PLY, 3 SF, ..."
//                             or "FILE: Wrong data at line N: why"
//   dovra-map normalize FILE  the map as the game would save it after loading it
//
// Exit status: 0 when every file loads, 1 when one does not, 2 when a file
// cannot be opened or the command is wrong.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "DovraVersion.h"
#include "elements/MapCodec.h"
#include "engine/TextFile.h"
#include "game/CommandLine.h"

namespace {

bool readFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

const char* const usageLines =
    "Usage: dovra-map check FILE...\n"
    "  or:  dovra-map normalize FILE\n";

int usage(const std::string& why) {
    return CommandLine::wrongUsage(std::cerr, "dovra-map", usageLines, why);
}

void help() {
    std::cout << usageLines
              << "Read Dovra map files with the game's own reader, without a window.\n"
                 "\n"
                 "  check      print one line a file: \"FILE: Loaded\" with the count of each\n"
                 "             record, or \"FILE: Wrong data at line N:\" and why\n"
                 "  normalize  print the map exactly as the game saves it after loading it\n"
                 "\n"
                 "      --help     display this help and exit\n"
                 "      --version  output version information and exit\n"
                 "\n"
                 "Exit status: 0 when every file loads, 1 when one does not, 2 when a file\n"
                 "cannot be opened or the command is wrong.\n";
}

int check(int argc, char** argv) {
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        std::string path = argv[i], contents;
        if (!readFile(path, contents)) {
            std::cout << path << ": cannot be opened\n";
            status = 2;
            continue;
        }
        const MapCodec::Check c = MapCodec::check(contents);
        std::cout << path << ": " << c.verdict << "\n";
        if (!c.ok && status == 0) status = 1;
    }
    return status;
}

int normalize(const std::string& path) {
    std::string contents;
    if (!readFile(path, contents)) {
        std::cerr << path << ": cannot be opened\n";
        return 2;
    }
    const MapCodec::Check c = MapCodec::check(contents);
    if (!c.ok) {
        std::cerr << path << ": " << c.verdict << "\n";
        return 1;
    }
    std::cout << c.normalized;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = CommandLine::answered(argc, argv, "dovra-map", help, DOVRA_VERSION);
        status >= 0)
        return status;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '\0')
            return usage(std::string("unrecognized option '") + argv[i] + "'");
    if (argc < 3) return usage(argc < 2 ? "missing command" : "missing FILE");
    std::string command = argv[1];
    if (command == "check") return check(argc, argv);
    if (command == "normalize" && argc == 3) return normalize(argv[2]);
    if (command == "normalize") return usage("normalize takes one FILE");
    return usage("unknown command '" + command + "'");
}
