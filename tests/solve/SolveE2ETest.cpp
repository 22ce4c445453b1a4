#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "game/Replay.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/GameProcess.h"

namespace {

// A program of the build, run from the source folder as a designer would.
nktest::CommandRun run(const std::string& program, const std::string& args) {
    return nktest::runCommand("'" + program + "' " + args + " 2>&1");
}

int count(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

const std::string kLeverCamera = "tests/data/solve/lever_camera.txt";
const std::string kHighWall = "tests/data/solve/high_wall.txt";
const std::string kCornerHang = "tests/data/solve/corner_hang.txt";
const std::string kStackedWalls = "tests/data/solve/outer_ring_1_stacked.txt";

// A place the hang finder lists: "MAP: hangs at X, Y on tick N".
struct Listed {
    float x = 0.0f, y = 0.0f;
    int tick = -1;
    std::string where;  // "X, Y on tick N"
    bool operator==(const Listed& other) const { return where == other.where; }
};

std::vector<Listed> hangsListed(const std::string& output, const std::string& map) {
    std::vector<Listed> out;
    std::istringstream lines(output);
    const std::string head = map + ": hangs at ";
    for (std::string line; std::getline(lines, line);) {
        Listed l;
        if (line.rfind(head, 0) == 0 &&
            std::sscanf(line.c_str() + head.size(), "%f, %f on tick %d", &l.x, &l.y, &l.tick) == 3)
            out.push_back({l.x, l.y, l.tick, line.substr(head.size())});
    }
    return out;
}

std::string lastLine(std::string output) {
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output.substr(output.find_last_of('\n') + 1);
}

// Whether one of the places listed is within 20 px of x, y.
bool anyNear(const std::vector<Listed>& listed, float x, float y) {
    return std::any_of(listed.begin(), listed.end(),
                       [&](const Listed& l) { return std::hypot(l.x - x, l.y - y) <= 20.0f; });
}

// Places are over 20 px apart (nearer hangs are one place). Each place's
// replay, PREFIX-hang-K.replay, fails in dovra-replay on that very hang, and
// ends as the file says once hangs are allowed.
void expectPlacesAndReplays(const std::string& prefix, const std::vector<Listed>& listed) {
    for (std::size_t k = 0; k < listed.size(); ++k) {
        EXPECT_FALSE(anyNear({listed.begin(), listed.begin() + k}, listed[k].x, listed[k].y))
            << listed[k].where;
        const std::string file = prefix + "-hang-" + std::to_string(k + 1) + ".replay";
        const nktest::CommandRun strict = run(NK_REPLAY_BINARY, file);
        EXPECT_EQ(strict.status, 1) << strict.output;
        const std::string named = ": the player hangs in mid-air at " + listed[k].where + "\n";
        EXPECT_NE(strict.output.find(file + named), std::string::npos) << strict.output;
        const nktest::CommandRun allowed = run(NK_REPLAY_BINARY, "--allow-hangs " + file);
        EXPECT_EQ(allowed.status, 0) << allowed.output;
    }
}

}  // namespace

// Flat ground, a lever and a camera: the solver must pull the lever, bring
// the camera down with five hits and walk into the gate, and the replay it
// writes must win the same way in dovra-replay. The search is bounded by
// ticks played, not by time (the time allowed is ten hours), so a slow
// machine only makes it take longer. Its two workers send every run back
// through the worker frames.
TEST(SolveLevel, SmallLeverAndCameraMapLeftUnsolved) {
    const std::string file = nktest::tempPath("lever_camera.replay");
    const nktest::CommandRun solved =
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

    const nktest::CommandRun confirmed = run(NK_REPLAY_BINARY, file);
    EXPECT_EQ(confirmed.status, 0) << confirmed.output;
    EXPECT_NE(confirmed.output.find(": won at tick " + std::to_string(tick) + "\n"),
              std::string::npos)
        << confirmed.output;
}

// A map that cannot be opened or holds wrong data ends the tool with status
// 2 before any game comes up, saying why in the map reader's own words.
TEST(SolveLevel, UnreadableMapSearchedAnyway) {
    const nktest::CommandRun missing = run(NK_SOLVE_BINARY, "tests/data/solve/no_such_map.txt");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.output, "tests/data/solve/no_such_map.txt: cannot be opened\n");
    const std::string broken = nktest::tempPath("broken.txt");
    nktest::writeFile(broken, "PLY 300\n");
    const nktest::CommandRun wrong = run(NK_SOLVE_BINARY, broken);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.output.rfind(broken + ": Wrong data at line 1:", 0), 0u) << wrong.output;
}

// The small map's block stands alone on the ground, and the capsule's box
// corner rests on either of its top corners (the player's centre 50.5 px out
// and 76.5 px up from it). The finder must list one of them, each place with
// a replay that meets it and a picture that is dovra-replay's own frame of
// that tick; and one worker must find exactly what two find.
TEST(FindHangs, CornerHangMissedOrMisplaced) {
    const std::string prefix = nktest::tempPath("corner");
    const std::string hangs = "--hangs " + kCornerHang + " --seed 1 --ticks 20000 -o ";
    const nktest::CommandRun r = run(NK_SOLVE_BINARY, hangs + prefix + " --shot");
    EXPECT_EQ(r.status, 1) << r.output;
    const std::vector<Listed> listed = hangsListed(r.output, kCornerHang);
    ASSERT_FALSE(listed.empty()) << r.output;
    EXPECT_TRUE(anyNear(listed, 449.5f, 583.5f) || anyNear(listed, 690.5f, 583.5f)) << r.output;
    const std::string summary = kCornerHang + ": " + std::to_string(listed.size()) + " hang places";
    EXPECT_EQ(lastLine(r.output).rfind(summary + " found in ", 0), 0u) << r.output;
    expectPlacesAndReplays(prefix, listed);

    const std::string shot = nktest::tempPath("corner-replay.png");
    run(NK_REPLAY_BINARY, "--allow-hangs --shot " + std::to_string(listed[0].tick) + " " + shot +
                              " " + prefix + "-hang-1.replay");
    const std::string picture = nktest::contentsOf(prefix + "-hang-1.png");
    EXPECT_FALSE(picture.empty());
    EXPECT_TRUE(picture == nktest::contentsOf(shot)) << "the pictures differ";

    const nktest::CommandRun alone = run(NK_SOLVE_BINARY, hangs + prefix + "-alone --workers 1");
    EXPECT_TRUE(hangsListed(alone.output, kCornerHang) == listed) << r.output << alone.output;
}

// The first level as it shipped, its pit's far wall three boxes high: a run
// at the pit with D held catches on the seam of two of them. The seams are
// listed first, and the hang on the pit wall's seam among the places.
TEST(FindHangs, StackedWallSeamHangMissed) {
    const std::string prefix = nktest::tempPath("stacked");
    const nktest::CommandRun r =
        run(NK_SOLVE_BINARY, "--hangs " + kStackedWalls + " --seed 2 --ticks 20000 -o " + prefix);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(r.output.rfind(kStackedWalls + ": wall seam at ", 0), 0u) << r.output;
    const std::size_t seam = r.output.find(": wall seam at 1856, 1428 (");
    EXPECT_LT(seam, r.output.find(": hangs at ")) << r.output;
    const std::vector<Listed> listed = hangsListed(r.output, kStackedWalls);
    EXPECT_TRUE(anyNear(listed, 1804.5f, 1351.32f)) << r.output;
    expectPlacesAndReplays(prefix, listed);
}

// The gate stands behind a wall far higher than a jump, made of single
// pieces, with no blocks. The search ends by its budget with no win, says
// so, exits with status 1 and writes no replay; the hang finder, with
// nothing to hang on, lists nothing, writes nothing and exits 0.
TEST(SolveLevel, GateBehindHighWallReportedWonOrAHangReportedThere) {
    const std::string prefix = nktest::tempPath("wall");
    const nktest::CommandRun r =
        run(NK_SOLVE_BINARY,
            kHighWall + " --seed 3 --ticks 60000 --seconds 36000 -o " + prefix + ".replay");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(r.output.rfind(kHighWall + ": no win found in ", 0), 0u) << r.output;
    EXPECT_TRUE(nktest::contentsOf(prefix + ".replay").empty());
    const nktest::CommandRun h =
        run(NK_SOLVE_BINARY, "--hangs " + kHighWall + " --seed 1 --ticks 10000 -o " + prefix);
    EXPECT_EQ(h.status, 0) << h.output;
    EXPECT_EQ(lastLine(h.output).rfind(kHighWall + ": 0 hang places found in ", 0), 0u) << h.output;
    EXPECT_TRUE(nktest::contentsOf(prefix + "-hang-1.replay").empty());
}
