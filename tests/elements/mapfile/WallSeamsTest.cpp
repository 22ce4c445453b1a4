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

BlockRecord wallBox(float x, float y, float w, float h) {
    return {"", false, x, y, w, h};
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
    bool pitWall = false;
    for (const WallSeam& s : seams) pitWall |= s.x == 1856.0f && s.y == 1428.0f;
    EXPECT_TRUE(pitWall) << listed(seams);
}

TEST(WallSeams, OnlyOpenFacesOfStraightWallsCount) {
    MapData map;
    // Two columns of two, side by side: their shared faces are inside the
    // wall; the outer faces are open, one seam each.
    map.boxes = {wallBox(0, 0, 100, 50), wallBox(0, 50, 100, 50), wallBox(100, 0, 80, 50),
                 wallBox(100, 50, 80, 50)};
    std::vector<WallSeam> seams = wallSeams(map);
    ASSERT_EQ(seams.size(), 2u) << listed(seams);
    EXPECT_EQ(std::make_tuple(seams[0].x, seams[0].y, seams[1].x),
              std::make_tuple(0.0f, 50.0f, 180.0f));

    // The level's edge, a surface along the left face, closes it.
    map.surfaces = {{{{0, -500}, {0, 500}}}};
    EXPECT_EQ(wallSeams(map).size(), 1u);

    // A step (the lower box wider), a turned box and a moving box are no seam.
    map.surfaces.clear();
    map.boxes = {wallBox(0, 0, 100, 50),   wallBox(-20, 50, 140, 50), wallBox(300, 0, 50, 50),
                 wallBox(300, 50, 50, 50), wallBox(500, 0, 50, 50),   wallBox(500, 50, 50, 50)};
    map.boxes[2].angle = 0.1f;
    map.boxes[5].isDynamic = true;
    EXPECT_TRUE(wallSeams(map).empty()) << listed(wallSeams(map));

    // A surface wall drawn in two straight pieces is one too; a corner is not.
    map.boxes.clear();
    map.surfaces = {{{{0, 0}, {0, 100}, {0, 300}, {200, 300}}}};
    seams = wallSeams(map);
    ASSERT_EQ(seams.size(), 1u) << listed(seams);
    EXPECT_EQ(seams[0].y, 100.0f);
}
