#include <gtest/gtest.h>

#include <tuple>

#include "elements/PlayerRules.h"

namespace {

// The four quarters around the aim pivot (1000, 446.8) of frame 20, each a
// quarter turn from the horizontal. Facing left the pictures are mirrored, so
// each part turns the other way round: the head still looks at the pointer,
// never upside down.
TEST(PlayerRulesTest, HeadTurnsAThirdDownAndThreeQuartersUpMirroredWhenFacingLeft) {
    const float pi = 3.14159265f;
    const NK::Vec2 p(1000.0f, 500.0f);
    // The pointer, then the aim and the arm's and the head's turns.
    const std::tuple<float, float, float, float, float> cases[] = {
        {1600.0f, 1046.8f, pi / 4, pi / 4, pi / 12},                  // right, below
        {1600.0f, -153.2f, -pi / 4, -pi / 4, -3 * pi / 16},           // right, above
        {400.0f, 1046.8f, 3 * pi / 4, -pi / 4, -pi / 12},             // left, below
        {400.0f, -153.2f, -3 * pi / 4, -7 * pi / 4, -29 * pi / 16}};  // left, above
    for (const auto& [x, y, aim, arm, head] : cases) {
        const PlayerRules::Layout l = PlayerRules::aimedLayout(p, 20, {x, y});
        EXPECT_EQ(l.facingLeft, x < p.x) << x << "," << y;
        const float seen[] = {l.aim, l.arm.angle, l.gun.angle, l.head.angle};
        const float expected[] = {aim, arm, arm, head};  // the gun turns with the arm
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(seen[i], expected[i], 1e-4f)
                << x << "," << y << " aim, arm, gun, head " << i;
    }
}

}  // namespace
