#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "game/Replay.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

// A program of the build, run from the source folder as a designer would.
ToolRun run(const std::string& program, const std::string& args) {
    ToolRun r;
    if (FILE* pipe = popen(("'" + program + "' " + args + " 2>&1").c_str(), "r")) {
        for (char buffer[512]; std::fgets(buffer, sizeof buffer, pipe);) r.output += buffer;
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

int count(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

const std::string kLeverCamera = "tests/data/solve/lever_camera.txt";
const std::string kHighWall = "tests/data/solve/high_wall.txt";

}  // namespace

// Flat ground, a lever and a camera: the solver must pull the lever, bring
// the camera down with five hits and walk into the gate, and the replay it
// writes must win the same way in dovra-replay. The search is bounded by
// ticks played, not by time (the time allowed is ten hours), so a slow
// machine only makes it take longer. Its two workers send every run back
// through the worker frames.
TEST(SolveLevel, SmallLeverAndCameraMapLeftUnsolved) {
    const std::string file = nktest::tempPath("lever_camera.replay");
    const ToolRun solved =
        run(NK_SOLVE_BINARY, kLeverCamera + " --seed 1 --ticks 2000000 --seconds 36000 -o " + file);
    ASSERT_EQ(solved.status, 0) << solved.output;
    const std::string head = kLeverCamera + ": won at tick ";
    ASSERT_EQ(solved.output.rfind(head, 0), 0u) << solved.output;
    const int tick = std::atoi(solved.output.c_str() + head.size());
    EXPECT_NE(solved.output.find(" s\n"), std::string::npos) << solved.output;

    const std::string text = nktest::contentsOf(file);
    ReplayParse parsed = parseReplay(text);
    ASSERT_TRUE(parsed.ok) << parsed.error << "\n" << text;
    EXPECT_EQ(parsed.replay.expected, Replay::Outcome::Won);
    EXPECT_EQ(parsed.replay.expectedTick, tick);
    EXPECT_GE(count(text, "press E "), 1) << text;
    EXPECT_GE(count(text, "click ") + count(text, "MOUSE "), 5) << text;

    const ToolRun confirmed = run(NK_REPLAY_BINARY, file);
    EXPECT_EQ(confirmed.status, 0) << confirmed.output;
    EXPECT_NE(confirmed.output.find(": won at tick " + std::to_string(tick) + "\n"),
              std::string::npos)
        << confirmed.output;
}

// The gate stands behind a wall far higher than a jump: the search ends by
// its budget with no win, says so, exits with status 1 and writes no replay.
TEST(SolveLevel, GateBehindHighWallReportedWon) {
    const ToolRun r =
        run(NK_SOLVE_BINARY, kHighWall + " --seed 3 --ticks 60000 --seconds 36000 -o " +
                                 nktest::tempPath("wall.replay"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(r.output.rfind(kHighWall + ": no win found in ", 0), 0u) << r.output;
    EXPECT_TRUE(nktest::contentsOf(nktest::tempPath("wall.replay")).empty());
}

// A map that cannot be opened or holds wrong data ends the tool with status
// 2 before any game comes up, saying why in the map reader's own words.
TEST(SolveLevel, UnreadableMapSearchedAnyway) {
    const ToolRun missing = run(NK_SOLVE_BINARY, "tests/data/solve/no_such_map.txt");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.output, "tests/data/solve/no_such_map.txt: cannot be opened\n");
    const std::string broken = nktest::tempPath("broken.txt");
    nktest::writeFile(broken, "PLY 300\n");
    const ToolRun wrong = run(NK_SOLVE_BINARY, broken);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.output.rfind(broken + ": Wrong data at line 1:", 0), 0u) << wrong.output;
}
