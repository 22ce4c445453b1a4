// dovra-monkey: the game under random hands, checked at every step.
//
//   dovra-monkey [--seed S] [--seconds N] [--actions N] [--out DIR] [--trace APPROVED]
//   dovra-monkey FILE...
//
// The first form plays random actions for N seconds (or N actions) from the
// seed S on the real game, in a temporary copy of the game folder, and
// prints the figures of the run: ticks, actions, widgets clicked of those
// there are, scenes reached. A broken rule ends it: the actions up to it,
// shrunk where that is cheap, are written to DIR/monkey-S.txt (default
// "."), a file the second form plays again. A sanitizer's report ends the
// process; the actions so far are then in DIR/monkey-S-died.txt.
//
// With --trace, each action's line and the game's fingerprints after it
// (tools/monkey/MonkeyTrace.h) go to DIR/monkey-S-trace.txt, and the run
// fails where that trace parts from the approved one, APPROVED.
//
// The second form plays each file and fails if one ends in a broken rule.
// Exit status 0 when every rule held, 1 when one broke, 2 on bad arguments
// or an unreadable file. Run from the game folder, with a display
// (tools/headless.sh gives a virtual one).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/monkey/MonkeyPicker.h"
#include "tools/monkey/MonkeyRun.h"
#include "tools/monkey/MonkeyShrink.h"
#include "tools/monkey/MonkeyTrace.h"

extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

// What a sanitizer's death leaves behind: the actions up to it.
MonkeyScript* playedSoFar = nullptr;
std::string deathPath;

void writeOnDeath() {
    if (!playedSoFar) return;
    std::ofstream(deathPath) << monkeyScriptText(*playedSoFar);
    std::fprintf(stderr, "dovra-monkey: the actions up to here are in %s\n", deathPath.c_str());
}

const char* const everyPlace[] = {"menu",
                                  "browser",
                                  "browser: load by name",
                                  "tutorial",
                                  "play",
                                  "play: won",
                                  "play: lost",
                                  "play: R",
                                  "play: Escape",
                                  "editor: player",
                                  "editor: gate",
                                  "editor: enemies",
                                  "editor: levers",
                                  "editor: dialogs",
                                  "editor: npcs",
                                  "editor: backgrounds",
                                  "editor: surfaces",
                                  "editor: boxes",
                                  "editor: circles",
                                  "editor: lights",
                                  "editor: test run",
                                  "editor: import/export",
                                  "NEW",
                                  "LOAD",
                                  "SAVE",
                                  "REWRITE",
                                  "undo/redo",
                                  "question: yes",
                                  "question: no",
                                  "crash copy written",
                                  "crash",
                                  "RECOVER after a crash"};

void printFigures(const MonkeyRun& run) {
    std::cout << "ticks: " << run.ticks << "\nactions: " << run.actions
              << "\nwidgets clicked: " << run.clicked.size() << " of " << run.widgetCount
              << "\nquestions answered: " << run.questions << "\ncrashes: " << run.crashes
              << "\nreached (" << run.reached.size() << "):";
    for (const std::string& place : run.reached) std::cout << " [" << place << "]";
    std::cout << "\nnot reached:";
    for (const char* place : everyPlace)
        if (!run.reached.count(place)) std::cout << " [" << place << "]";
    std::cout << "\nhangs in mid-air (" << run.hangs.size() << "):";
    for (const std::string& place : run.hangs) std::cout << " [" << place << "]";
    std::cout << std::endl;
}

int replay(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        const MonkeyParse parsed = parseMonkeyScript(text);
        if (!in || !parsed.ok) {
            std::cout << argv[i] << ": " << (in ? parsed.error : "cannot be opened") << std::endl;
            status = 2;
            continue;
        }
        const std::string failure = playMonkeyScript(parsed.script, ".");
        std::cout << argv[i] << ": " << (failure.empty() ? "every rule held" : failure)
                  << std::endl;
        if (!failure.empty() && status == 0) status = 1;
    }
    return status;
}

// The run's trace against the approved one; the run's is kept either way,
// to be looked at or approved.
int checkTrace(const std::vector<std::string>& trace, const std::string& approvedPath,
               const std::string& name) {
    const std::string seenPath = name + "-trace.txt";
    std::ofstream seen(seenPath);
    for (const std::string& line : trace) seen << line << "\n";
    seen.close();
    std::ifstream in(approvedPath);
    if (!in) {
        std::cout << "FAILED: no approved trace at " << approvedPath << "; this run's is in "
                  << seenPath << std::endl;
        return 1;
    }
    std::vector<std::string> approved;
    for (std::string line; std::getline(in, line);) approved.push_back(line);
    const std::string parting = monkeytrace::compare(approved, trace);
    if (parting.empty()) return 0;
    std::cout << "FAILED: the run parts from the approved trace at " << parting
              << "\nthis run's trace is in " << seenPath
              << "; copy it over the approved one only when the change is meant" << std::endl;
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned seed = 1;
    double seconds = 60;
    long actionLimit = -1;
    std::string out = ".";
    std::string approvedTrace;
    bool options = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) continue;
        options = true;
        if (i + 1 >= argc) {
            std::cerr << "dovra-monkey: " << arg << " needs a value\n";
            return 2;
        }
        const std::string value = argv[++i];
        if (arg == "--seed")
            seed = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
        else if (arg == "--seconds")
            seconds = std::atof(value.c_str());
        else if (arg == "--actions")
            actionLimit = std::atol(value.c_str());
        else if (arg == "--out")
            out = value;
        else if (arg == "--trace")
            approvedTrace = value;
        else {
            std::cerr << "usage: dovra-monkey [--seed S] [--seconds N] [--actions N] [--out DIR] "
                         "[--trace APPROVED]\n"
                         "       dovra-monkey FILE...\n";
            return 2;
        }
    }
    if (!options && argc > 1) return replay(argc, argv);

    MonkeyPicker picker(seed);
    MonkeyScript script;
    script.answers = picker.answers();
    MonkeyRun::Options o;
    o.seed = seed;
    o.answers = script.answers;
    // The failing actions are the point of a run: a folder that is not there
    // yet is made, not left to swallow them.
    std::error_code made;
    std::filesystem::create_directories(out, made);
    const std::string name = out + "/monkey-" + std::to_string(seed);
    deathPath = name + "-died.txt";
    playedSoFar = &script;
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(writeOnDeath);

    std::string failure;
    std::vector<std::string> trace;
    {
        MonkeyRun run(o);
        const auto start = std::chrono::steady_clock::now();
        auto elapsed = [&] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        while (!run.failed() &&
               (actionLimit >= 0 ? run.actions < actionLimit : elapsed() < seconds)) {
            const MonkeyAction a = picker.next(run);
            script.actions.push_back(a);
            run.play(a);
            if (!approvedTrace.empty() && !run.failed())
                trace.push_back(std::to_string(run.actions) + " " + monkeyActionLine(a) + " | " +
                                monkeytrace::fingerprints(run.game(), run.actions % 10 == 0));
        }
        std::cout << "dovra-monkey: seed " << seed << ", " << elapsed() << " s"
                  << (run.failed() ? ", FAILED: " + run.failure : std::string()) << "\n";
        printFigures(run);
        failure = run.failure;
    }
    playedSoFar = nullptr;
    if (failure.empty() && !approvedTrace.empty()) return checkTrace(trace, approvedTrace, name);
    if (failure.empty()) return 0;
    std::cout << "FAILED: " << failure << std::endl;
    const MonkeyScript shrunk = shrinkMonkeyScript(script, failure, ".", 120.0);
    std::ofstream(name + ".txt") << "# " << failure << "\n" << monkeyScriptText(shrunk);
    std::cout << "the failing actions (" << shrunk.actions.size() << " of " << script.actions.size()
              << ") are in " << name << ".txt" << std::endl;
    return 1;
}
