#pragma once
#include <cstring>
#include <iostream>
#include <ostream>
#include <string>

// What the programs share on their command lines: --help and --version
// in the GNU form, and a wrong option told on standard error with the usage
// and exit status 2.
namespace CommandLine {

enum class Ask { Run, Help, Version };

// --help or --version anywhere on the line wins over everything else, as in
// GNU programs; the first of the two given is the one answered.
inline Ask asked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) return Ask::Help;
        if (std::strcmp(argv[i], "--version") == 0) return Ask::Version;
    }
    return Ask::Run;
}

inline void version(std::ostream& out, const std::string& program, const std::string& number) {
    out << program << " (Dovra) " << number << "\n"
        << "Copyright (C) 2026 the Dovra developers.\n"
        << "License MIT: <https://opensource.org/licenses/MIT>.\n"
        << "This is free software: you are free to change and redistribute it.\n"
        << "There is NO WARRANTY, to the extent permitted by law.\n";
}

// --help or --version answered on standard output, with `help` and the
// program's version: the status to exit with then, or -1 to go on and run.
inline int answered(int argc, char** argv, const std::string& program, void (*help)(),
                    const std::string& number) {
    switch (asked(argc, argv)) {
        case Ask::Help:
            help();
            return 0;
        case Ask::Version:
            version(std::cout, program, number);
            return 0;
        case Ask::Run:
            break;
    }
    return -1;
}

// `why` (may be empty), then the usage lines and where to find more.
inline int wrongUsage(std::ostream& err, const std::string& program, const std::string& usage,
                      const std::string& why) {
    if (!why.empty()) err << program << ": " << why << "\n";
    err << usage << "Try '" << program << " --help' for more information.\n";
    return 2;
}

}  // namespace CommandLine
