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
