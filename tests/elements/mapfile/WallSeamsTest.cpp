#include <gtest/gtest.h>

#include "elements/MapCodec.h"
#include "elements/WallSeams.h"
#include "engine/TextFile.h"
#include "tests/support/Files.h"

namespace {

MapData mapIn(const std::string& path) {
    const MapCodec::ReadResult read = MapCodec::read(NK::TextFile::parse(nktest::contentsOf(path)));
    EXPECT_TRUE(read.ok) << path;
    return read.data;
}

std::string listed(const std::vector<WallSeam>& seams) {
    std::string out;
    for (const WallSeam& s : seams)
        out += std::to_string(s.x) + ", " + std::to_string(s.y) + ": " + s.what + "\n";
    return out;
}

}  // namespace

// A player sliding down a wall of stacked boxes hangs on the seam; a shipped
// level must build each wall it can be slid down of one piece. Outer Ring 1
// as it shipped with stacked walls: the first pit's right wall is where a
// player holding D hung (x 1804.5, its box's corner at 1856, 1428).
TEST(WallSeams, ShippedLevelHasAWallOfStackedPiecesOrTheOldFirstLevelsPitWallIsMissed) {
    const std::vector<std::string> names = nktest::namesIn("Editor/Levels");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        const std::vector<WallSeam> seams = wallSeams(mapIn("Editor/Levels/" + name));
        EXPECT_TRUE(seams.empty()) << name << " has wall seams:\n" << listed(seams);
    }
    const std::vector<WallSeam> seams =
        wallSeams(mapIn("tests/data/solve/outer_ring_1_stacked.txt"));
    // Named as a designer finds them: the map's tenth and twelfth boxes.
    bool pitWall = false;
    for (const WallSeam& s : seams)
        pitWall |= s.x == 1856.0f && s.y == 1428.0f && s.what == "box 10 on box 12, left face";
    EXPECT_TRUE(pitWall) << listed(seams);
}

// Ground drawn down a wall in two straight segments leaves a seam at its
// middle point; one that turns back or steps aside does not. A ground wall
// against a face of stacked boxes fills that face's seam, not the other.
TEST(WallSeams, StraightGroundWallInTwoMissedOrAFaceAgainstGroundReported) {
    MapData map;
    map.surfaces = {{{{100, 0}, {100, 50}, {100, 120}}},
                    {{{300, 0}, {300, 80}, {300, 20}}},
                    {{{500, 0}, {500, 80}, {520, 80}, {520, 160}}},
                    {{{999, 0}, {999, 300}}}};
    BlockRecord upper, lower;
    upper.x = lower.x = 1000.0f;
    upper.w = lower.w = upper.h = lower.h = 100.0f;
    lower.y = 100.0f;
    map.boxes = {upper, lower};
    EXPECT_EQ(listed(wallSeams(map)),
              "1100.000000, 100.000000: box 1 on box 2, right face\n"
              "100.000000, 50.000000: surface 1, point 2 of a straight wall\n");
}
