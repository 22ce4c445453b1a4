#include "game/LevelPacks.h"

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

namespace {

constexpr auto lines = &NK::TextFile::parse;

// A pack's name shows blanks for underscores, a level's label keeps them;
// only a whole non-zero number unlocks; a blank line is no level, and a
// button past the last level starts nothing. The win window must never claim
// an unlock that did not happen: a map played by name, the last level of a
// pack (five or fewer levels) and a next level still locked (its progress
// not saved) each say something else.
TEST(LevelPacks, NameLabelOrUnlockMisreadOrWinLineClaimsAnUnlockThatDidNotHappen) {
    const auto packs = LevelPacks::readList(lines("Resources/LevelPacks/a.txt The_First_Wing x\n"));
    ASSERT_EQ(packs.size(), 1u);
    EXPECT_EQ(packs[0].name + "|" + packs[0].path, "The First Wing|Resources/LevelPacks/a.txt");
    LevelPack pack;
    pack.levels = LevelPacks::readLevels(
        lines("a.txt L_1 1\nb.txt L 7\n\nc.txt L 0\nd.txt L 1x\ne.txt L yes\nf.txt L\n"
              "g.txt L 99999999999\n"));
    std::string startable;
    for (int i = -1; i <= 7; ++i) startable += LevelPacks::startable(pack, i) ? 'S' : '.';
    EXPECT_EQ(startable + pack.levels.at(0).label, ".SS......L_1");

    const std::string unlocked = "Next level unlocked in the level list.";
    const std::string last = "That was the last level of this pack.";
    const std::string byName = "A map played by its name unlocks no level.";
    LevelPack five;
    for (int i = 0; i < 6; ++i) five.levels.push_back({"m.txt", "L", i < 2});
    LevelPack three;
    three.levels = {{"a.txt", "A", true}, {"b.txt", "B", true}, {"c.txt", "C", true}};
    // After the first and second of `five` (level 2 still locked) and its
    // fifth (a sixth line is never a level), the second and third of
    // `three`, and two maps played by name.
    using LevelPacks::winLine;
    EXPECT_EQ(
        nktest::Lines({winLine(&five, 0), winLine(&five, 1), winLine(&five, 4), winLine(&three, 1),
                       winLine(&three, 2), winLine(&five, -1), winLine(nullptr, 0)}),
        nktest::Lines({unlocked, "", last, unlocked, last, byName, byName}));
}

// The pack as the game reads it, from a copy in the test's own folder.
LevelPack packAt(const std::string& path, const std::string& text) {
    nktest::writeFile(path, text);
    NK::TextFileStore files;
    nktest::writeFile(nktest::tempPath("list.txt"), path + " Test\n");
    return LevelPacks::load(files, nktest::tempPath("list.txt")).at(0);
}

// Progress goes into the next level's line, found past a blank line, and
// changes nothing but its flag: odd spacing elsewhere stays as written.
TEST(LevelPacksProgress, AWinRewritesMoreThanTheNextFlagOrAMissingFileOrMapIsTakenQuietly) {
    const std::string path = nktest::tempPath("pack.txt");
    LevelPack pack = packAt(path, "a.txt  One   1\n\nb.txt Two 0 extra\nc.txt Three 0\n");
    NK::TextFileStore files;
    ASSERT_TRUE(LevelPacks::saveProgress(files, pack, 0));
    EXPECT_EQ(nktest::contentsOf(path), "a.txt  One   1\n\nb.txt Two 1 extra\nc.txt Three 0\n");
    EXPECT_TRUE(pack.levels[1].unlocked && !pack.levels[2].unlocked && !files.contains("pack"));
    // The last level, a map played by name and the end of a short pack
    // write nothing.
    const std::string five = "a.txt A 1\nb.txt B 1\nc.txt C 1\nd.txt D 1\ne.txt E 0\n";
    pack = packAt(path, five);
    EXPECT_FALSE(LevelPacks::saveProgress(files, pack, 4) ||
                 LevelPacks::saveProgress(files, pack, -1) || pack.levels[4].unlocked);
    EXPECT_EQ(nktest::contentsOf(path), five);
    LevelPack three = packAt(nktest::tempPath("three.txt"), "a.txt A 1\nb.txt B 1\nc.txt C 1\n");
    EXPECT_FALSE(LevelPacks::saveProgress(files, three, 2));

    // A missing list leaves no packs and a missing pack file no levels. A pack
    // may name a map that is not there: its button must not start the level,
    // or the load of the missing map ends the game.
    EXPECT_TRUE(LevelPacks::load(files, nktest::tempPath("no-list.txt")).empty());
    nktest::writeFile(nktest::tempPath("one.txt"), "a.txt A 1\n");
    nktest::writeFile(nktest::tempPath("packs.txt"), nktest::tempPath("gone.txt") + " Gone\n" +
                                                         nktest::tempPath("one.txt") + " One\n");
    const auto packs = LevelPacks::load(files, nktest::tempPath("packs.txt"));
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_TRUE(packs[0].levels.empty());
    EXPECT_EQ(packs[1].levels.size(), 1u);
    const std::string there = nktest::tempPath("there.txt");
    nktest::writeFile(there, "PLY 400 840\n");
    const std::string gone = nktest::tempPath("gone-map.txt");
    nktest::LogCapture log;
    pack = packAt(nktest::tempPath("gaps.txt"), there + " A 1\n" + gone + " B 1\n");
    EXPECT_EQ(log.lines(), nktest::Lines{"ERROR: File path \"" + gone + "\" not found"});
    EXPECT_TRUE(LevelPacks::startable(pack, 0) && !LevelPacks::startable(pack, 1));
}

// Playing from the source folder writes progress into the tracked packs; a
// copy with levels won must not be what a fresh clone ships. Each level's map
// must be there, with a replay in tests/data/levels that wins it.
TEST(ShippedPacks, OpenOnlyTheirFirstLevelAndEveryLevelHasAWinningReplay) {
    const auto packs = LevelPacks::readList(
        lines(nktest::contentsOf(nktest::sourcePath("Resources/LevelPacks/packs_info.txt"))));
    ASSERT_FALSE(packs.empty());
    std::string replays;
    const std::string folder = nktest::sourcePath("tests/data/levels");
    for (const std::string& name : nktest::namesIn(folder))
        replays += nktest::contentsOf(folder + "/" + name) + "\n";
    for (const LevelPack& pack : packs) {
        const auto levels =
            LevelPacks::readLevels(lines(nktest::contentsOf(nktest::sourcePath(pack.path))));
        ASSERT_EQ(levels.size(), 5u) << pack.path;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            EXPECT_EQ(levels[i].unlocked, i == 0) << pack.path << " level " << i;
            EXPECT_FALSE(nktest::contentsOf(nktest::sourcePath(levels[i].mapPath)).empty())
                << levels[i].mapPath;
            const std::size_t at = replays.find("map " + levels[i].mapPath + "\n");
            ASSERT_NE(at, std::string::npos) << "no replay plays " << levels[i].mapPath;
            EXPECT_EQ(replays.compare(replays.find("expect", at), 11, "expect won "), 0)
                << levels[i].mapPath;
        }
    }
}

}  // namespace
