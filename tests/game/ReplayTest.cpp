#include <gtest/gtest.h>

#include "game/Replay.h"

// A controller's lines play through the pad's own rules: a stick inside its
// dead zone neither walks nor aims, and the trigger fires once per pull. A
// key put down and taken up is held between the two; an up needs a down.
TEST(ReplayFile, PadLinesWalkInsideTheDeadZoneOrFireWhileHeldOrUpWithoutDown) {
    ReplayParse p = parseReplay(
        "map m.txt\nexpect none 0\nstick LEFT 0.2 0 0\nstick RIGHT 0.25 0 0\nhold PAD_RT 5 9\n"
        "down D 3\nup D 7\n");
    ASSERT_TRUE(p.ok) << p.error;
    const Replay& r = p.replay;
    EXPECT_FALSE(r.inputAt(1).left || r.inputAt(1).right) << "0.2 is inside the dead zone";
    EXPECT_EQ(r.inputAt(1).aim.x, 0.0f);
    EXPECT_TRUE(r.inputAt(5).firePressed);
    EXPECT_FALSE(r.inputAt(6).firePressed) << "one shot per pull";
    std::string held;
    for (int t = 2; t <= 7; ++t) held += r.inputAt(t).right ? 'D' : '.';
    EXPECT_EQ(held, ".DDDD.");
    for (const char* bad : {"stick LEFT 1.5 0 0", "up D 4", "down D 4\nup D 4"})
        EXPECT_FALSE(parseReplay(std::string("map m\nexpect won 1\n") + bad + "\n").ok) << bad;
}
