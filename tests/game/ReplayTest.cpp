#include <gtest/gtest.h>

#include "game/Replay.h"

// A controller's lines play through the pad's own rules: a stick inside its
// dead zone neither walks nor aims, and the trigger fires once per pull.
TEST(ReplayFile, PadLinesWalkInsideTheDeadZoneOrFireWhileHeld) {
    ReplayParse p = parseReplay(
        "map m.txt\nexpect none 0\nstick LEFT 0.2 0 0\nstick RIGHT 0.25 0 0\nhold PAD_RT 5 9\n");
    ASSERT_TRUE(p.ok) << p.error;
    const Replay& r = p.replay;
    EXPECT_FALSE(r.inputAt(1).left || r.inputAt(1).right) << "0.2 is inside the dead zone";
    EXPECT_EQ(r.inputAt(1).aim.x, 0.0f);
    EXPECT_TRUE(r.inputAt(5).firePressed);
    EXPECT_FALSE(r.inputAt(6).firePressed) << "one shot per pull";
    EXPECT_FALSE(parseReplay("map m\nexpect won 1\nstick LEFT 1.5 0 0\n").ok);
}
