// Random walks through every shipped level, played through the whole game as
// replays are: a player who holds D and jumps now and then must never end up
// hanging in mid-air, caught on a corner or on the seam of stacked blocks.
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/TextFileStore.h"
#include "game/LevelPacks.h"
#include "game/Replay.h"
#include "tests/game/GameKit.h"

namespace {

constexpr int walksPerLevel = 6;
constexpr int longestHold = 600;  // ticks D may be held: ten seconds
constexpr int longestWalk = 900;  // ticks a walk may last: fifteen seconds

// A level's sample of walks, drawn from its seed, as replay files would hold
// them: D held from the start, W pressed two to four times anywhere in the
// walk. A press before D is let go jumps on the way, one after it jumps on
// the spot, and one that finds the player hanging does nothing. The draws are taken straight from
// the engine's bits, so the sample is the same on every run and with any standard library.
std::vector<std::string> sampleWalks(unsigned seed) {
    std::mt19937 draw(seed);
    auto upTo = [&draw](int n) { return static_cast<int>(draw() % static_cast<unsigned>(n)); };
    std::vector<std::string> walks;
    for (int w = 0; w < walksPerLevel; ++w) {
        const int hold = 30 + upTo(longestHold - 30);
        std::string text = "hold D 0 " + std::to_string(hold) + "\n";
        std::set<int> jumps;
        for (int j = 2 + upTo(3); static_cast<int>(jumps.size()) < j;)
            jumps.insert(upTo(longestWalk));
        for (int tick : jumps) text += "press W " + std::to_string(tick) + "\n";
        walks.push_back(text);
    }
    return walks;
}

// The first hang of one walk, "on tick T at X, Y", or "" when it never hangs.
std::string firstHang(const std::string& map, const std::string& walk) {
    const ReplayParse parsed = parseReplay("map " + map + "\nexpect none 0\n" + walk);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    PlayInput input;
    Game& g = gamekit::play(map, &input);
    std::string hang;
    // A story card may come up on the way; left open, it stops no walk.
    for (int tick = 0; tick < longestWalk && hang.empty() && !g.play().won && !g.play().lost;
         ++tick) {
        input = parsed.replay.inputAt(tick);
        gamekit::tick();
        const HangWatch& watch = g.play().hangWatch();
        if (watch.hanging())
            hang = "on tick " + std::to_string(tick) + " at " +
                   std::to_string(static_cast<int>(watch.place().x)) + ", " +
                   std::to_string(static_cast<int>(watch.place().y));
    }
    gamekit::leave();
    return hang;
}

}  // namespace

// Every level of the packs gets its own fixed sample, seeded by its place in
// the packs. The first level as it was before its pit wall was one piece
// takes the first level's walks (seed 1) and must be caught: holding D there
// hangs the player on the stacked wall's seam.
TEST(RandomWalks, PlayerHangsOnACornerOrASeamOfAShippedLevel) {
    gamekit::game();
    NK::TextFileStore files;
    std::vector<std::tuple<std::string, unsigned, bool>> rows;  // map, seed, hang expected
    for (const LevelPack& pack : LevelPacks::load(files, LevelPacks::listPath))
        for (const PackLevel& level : pack.levels)
            rows.emplace_back(level.mapPath, static_cast<unsigned>(rows.size() + 1), false);
    ASSERT_FALSE(rows.empty());
    rows.emplace_back("tests/data/solve/outer_ring_1_stacked.txt", 1u, true);
    for (const auto& [map, seed, hangExpected] : rows) {
        std::string hangs;
        for (const std::string& walk : sampleWalks(seed)) {
            const std::string hang = firstHang(map, walk);
            if (!hang.empty()) hangs += "\n" + walk + "hangs " + hang;
        }
        EXPECT_EQ(hangs.empty(), !hangExpected)
            << map << (hangExpected ? ": no walk hangs" : ", walks that hang:" + hangs);
    }
}
