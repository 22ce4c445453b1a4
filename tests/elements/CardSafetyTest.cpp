#include "elements/CardSafety.h"
#include "tests/support/Testing.h"

// A floor at y 1000 from x 0 to 1000 and from 1200 to 3000, with a pit
// between; the player (200 x 300) stands on it; the fall edge is at 1500.
namespace {

MapData pitLevel() {
    MapData level;
    level.cameraArea = {0.0f, 0.0f, 3000.0f, 1620.0f};
    level.fallEdge.y = 1500.0f;
    level.surfaces.push_back({{{0.0f, 1000.0f}, {1000.0f, 1000.0f}, {1000.0f, 1400.0f}}});
    level.surfaces.push_back({{{1200.0f, 1400.0f}, {1200.0f, 1000.0f}, {3000.0f, 1000.0f}}});
    return level;
}

BlockRecord block(float x, float y, float w, float h, bool dynamic, float delay) {
    return {"", dynamic, x, y, w, h, 0.0f, 1.0f, 0.5f, false, delay};
}

// The player's rectangle with its feet on y 1000, centred on x.
NK::Rect standingAt(float x) {
    return {x - 100.0f, 700.0f, 200.0f, 300.0f};
}

}  // namespace

// Only ground that stays fills a pit. The rule holds only while a card is
// up, and names what is wrong.
TEST(CardSafety, GapMissedOrSeenPastReachOrFilledByWhatGoesOrRoofedOrRuleBrokenWithNoCard) {
    const CardSafety rule(pitLevel());
    EXPECT_TRUE(rule.gapAt(1100.0f, 700.0f) && !rule.gapAt(900.0f, 700.0f));
    // The pit's walls stand at 1000 and 1200: 300 px from the body's side
    // they are just out of reach, 10 px more and the hole is in it. Past the
    // camera area there is no level, so its edge is no gap.
    for (float x : {610.0f, 1590.0f}) EXPECT_NE(rule.hazardNear(standingAt(x)), "") << x;
    for (float x : {600.0f, 1600.0f, 2900.0f}) EXPECT_EQ(rule.hazardNear(standingAt(x)), "") << x;
    EXPECT_FALSE(rule.gapAt(3000.0f, 700.0f));
    // A crate pushed into the pit moves on and a bridge that breaks does not
    // stay; a static slab does, and so does a static circle.
    const auto filled = [](bool circle, bool dynamic, float delay) {
        MapData level = pitLevel();
        const float h = circle ? 200.0f : 64.0f;
        (circle ? level.circles : level.boxes)
            .push_back(block(1000.0f, 1000.0f, 200.0f, h, dynamic, delay));
        return !CardSafety(level).gapAt(1100.0f, 700.0f);
    };
    EXPECT_FALSE(filled(false, true, -1.0f) || filled(false, false, 0.8f));
    EXPECT_TRUE(filled(false, false, -1.0f) && filled(true, false, -1.0f));

    CardSafety::Moment m;
    m.standing = true;
    m.player = standingAt(900.0f);
    EXPECT_EQ(rule.violation(m), "");
    m.cardUp = true;
    EXPECT_NE(rule.violation(m).find("gap"), std::string::npos);
    m.player = standingAt(300.0f);
    EXPECT_EQ(rule.violation(m), "");
    m.standing = false;
    EXPECT_EQ(rule.violation(m), "the player is not on the ground");
    m.hit = true;
    EXPECT_EQ(rule.violation(m), "the player is hit");

    // A catwalk over the player's head does not hide the pit below it; a
    // breaking floor near the body on any side counts.
    MapData level = pitLevel();
    level.boxes.push_back(block(800.0f, 400.0f, 600.0f, 64.0f, false, -1.0f));
    level.boxes.push_back(block(2010.0f, 1000.0f, 256.0f, 64.0f, false, 0.8f));
    const CardSafety roofed(level);
    // Seen from the floor the pit is open; seen from the catwalk it is roofed.
    EXPECT_NE(roofed.hazardNear(standingAt(700.0f)), "");
    EXPECT_FALSE(roofed.gapAt(1100.0f, 100.0f));
    EXPECT_NE(roofed.hazardNear(standingAt(1800.0f)).find("breaking floor"), std::string::npos);
    EXPECT_EQ(roofed.hazardNear(standingAt(1600.0f)), "");
    // Straight above it, 300 px up, is near as well.
    EXPECT_NE(roofed.hazardNear({2010.0f, 400.0f, 200.0f, 300.0f}), "");
}
