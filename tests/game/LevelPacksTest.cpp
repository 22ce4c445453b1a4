#include "game/LevelPacks.h"

#include <gtest/gtest.h>

#include "engine/TextFile.h"

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

TEST(LevelPacks, ProgressFindsTheLevelsLinePastBlankLines) {
    const auto file = lines("a.txt A 1\n\nb.txt B 0\nc.txt C 0\n");
    EXPECT_EQ(LevelPacks::lineOfLevel(file, 0), 0);
    EXPECT_EQ(LevelPacks::lineOfLevel(file, 1), 2);
    EXPECT_EQ(LevelPacks::lineOfLevel(file, 2), 3);
    EXPECT_EQ(LevelPacks::lineOfLevel(file, 3), -1);
}

}  // namespace
