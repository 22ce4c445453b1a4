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

#include "elements/MapCodec.h"
#include "engine/TextFile.h"

namespace {

bool readFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int usage() {
    std::cerr << "usage: dovra-map check FILE...\n       dovra-map normalize FILE\n";
    return 2;
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
    if (argc < 3) return usage();
    std::string command = argv[1];
    if (command == "check") return check(argc, argv);
    if (command == "normalize" && argc == 3) return normalize(argv[2]);
    return usage();
}
