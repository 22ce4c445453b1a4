#include "game/LevelPacks.h"

#include <gtest/gtest.h>

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/LogCapture.h"

namespace {

std::vector<NK::TextLine> lines(const std::string& text) {
    return NK::TextFile::parse(text);
}

TEST(LevelPacks, PackNamesShowBlanksWhereLabelsKeepTheirUnderscores) {
    const auto packs =
        LevelPacks::readList(lines("Resources/LevelPacks/a.txt The_First_Wing extra\n\n"
                                   "Resources/LevelPacks/b.txt Labs\n"));
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_EQ(packs[0].name, "The First Wing");
    EXPECT_EQ(packs[0].path, "Resources/LevelPacks/a.txt");
    EXPECT_EQ(packs[1].name, "Labs");
    const auto levels = LevelPacks::readLevels(lines("Editor/Levels/a.txt Level_1 1\n"));
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].label, "Level_1");
}

// Each row: a pack file line and whether it unlocks its level.
TEST(LevelPacks, OnlyAWholeNonZeroNumberUnlocks) {
    const struct {
        const char* line;
        bool unlocked;
    } rows[] = {{"m.txt L 1", true},           {"m.txt L 7", true},    {"m.txt L 0", false},
                {"m.txt L 1x", false},         {"m.txt L yes", false}, {"m.txt L", false},
                {"m.txt L 99999999999", false}};
    for (const auto& row : rows) {
        const auto levels = LevelPacks::readLevels(lines(row.line));
        ASSERT_EQ(levels.size(), 1u) << row.line;
        EXPECT_EQ(levels[0].unlocked, row.unlocked) << row.line;
    }
}

TEST(LevelPacks, AShortPackLeavesItsLastButtonsEmptyAndUnstartable) {
    LevelPack pack;
    pack.levels = LevelPacks::readLevels(lines("a.txt A 1\nb.txt B 0\n\nc.txt C 1\n"));
    ASSERT_EQ(pack.levels.size(), 3u);
    EXPECT_TRUE(LevelPacks::startable(pack, 0));
    EXPECT_FALSE(LevelPacks::startable(pack, 1));  // locked
    EXPECT_TRUE(LevelPacks::startable(pack, 2));
    EXPECT_FALSE(LevelPacks::startable(pack, 3));  // no level there
    EXPECT_FALSE(LevelPacks::startable(pack, -1));
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
TEST(LevelPacksProgress, AWinRewritesOnlyTheNextLevelsFlag) {
    const std::string path = nktest::tempPath("pack.txt");
    LevelPack pack = packAt(path, "a.txt  One   1\n\nb.txt Two 0 extra\nc.txt Three 0\n");
    NK::TextFileStore files;
    ASSERT_TRUE(LevelPacks::saveProgress(files, pack, 0));
    EXPECT_EQ(nktest::contentsOf(path), "a.txt  One   1\n\nb.txt Two 1 extra\nc.txt Three 0\n");
    EXPECT_TRUE(pack.levels[1].unlocked);
    EXPECT_FALSE(pack.levels[2].unlocked);
    EXPECT_FALSE(files.contains("pack"));
}

TEST(LevelPacksProgress, TheLastLevelAMapByNameAndAShortPackWriteNothing) {
    const std::string path = nktest::tempPath("five.txt");
    const std::string five = "a.txt A 1\nb.txt B 1\nc.txt C 1\nd.txt D 1\ne.txt E 0\n";
    LevelPack pack = packAt(path, five);
    NK::TextFileStore files;
    EXPECT_FALSE(LevelPacks::saveProgress(files, pack, 4));
    EXPECT_FALSE(LevelPacks::saveProgress(files, pack, -1));
    EXPECT_FALSE(pack.levels[4].unlocked);
    EXPECT_EQ(nktest::contentsOf(path), five);

    const std::string shortPath = nktest::tempPath("three.txt");
    LevelPack three = packAt(shortPath, "a.txt A 1\nb.txt B 1\nc.txt C 1\n");
    EXPECT_FALSE(LevelPacks::saveProgress(files, three, 2));
    EXPECT_EQ(three.levels.size(), 3u);
}

TEST(LevelPacksProgress, AMissingListOrPackFileLeavesNoPacksOrNoLevels) {
    NK::TextFileStore files;
    EXPECT_TRUE(LevelPacks::load(files, nktest::tempPath("no-list.txt")).empty());
    nktest::writeFile(nktest::tempPath("one.txt"), "a.txt A 1\n");
    nktest::writeFile(nktest::tempPath("packs.txt"), nktest::tempPath("gone.txt") + " Gone\n" +
                                                         nktest::tempPath("one.txt") + " One\n");
    const auto packs = LevelPacks::load(files, nktest::tempPath("packs.txt"));
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_TRUE(packs[0].levels.empty());
    EXPECT_EQ(packs[1].levels.size(), 1u);
}

// A pack may name a map that is not there: its button must not start the
// level, or the load of the missing map ends the game.
TEST(LevelPacksProgress, ALevelWhoseMapIsMissingIsLoggedAndCannotStart) {
    const std::string there = nktest::tempPath("there.txt");
    nktest::writeFile(there, "PLY 400 840\n");
    const std::string gone = nktest::tempPath("gone-map.txt");
    std::vector<std::string> logged;
    LevelPack pack;
    {
        nktest::LogCapture log;
        pack = packAt(nktest::tempPath("gaps.txt"), there + " A 1\n" + gone + " B 1\n");
        logged = log.lines();
    }
    EXPECT_TRUE(LevelPacks::startable(pack, 0));
    EXPECT_FALSE(LevelPacks::startable(pack, 1));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("File path \"" + gone + "\" not found"), std::string::npos)
        << logged[0];
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
