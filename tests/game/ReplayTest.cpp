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
    std::string seen;  // each tick: A walking left, D right, F a shot, a an aim
    for (int t = 0; t <= 7; ++t) {
        const PlayInput in = r.inputAt(t);
        seen += std::string(in.left ? "A" : "") + (in.right ? "D" : "") +
                (in.firePressed ? "F" : "") + (in.aim.x != 0.0f || in.aim.y != 0.0f ? "a|" : "|");
    }
    EXPECT_EQ(seen, "|||D|D|DF|D||") << "0.2 and 0.25 are inside the dead zone; one shot per pull";
    for (const char* bad : {"stick LEFT 1.5 0 0", "up D 4", "down D 4\nup D 4",
                            "expect won 1 at 3", "expect won 1 at nan 2", "expect won 1 by 2 3"})
        EXPECT_FALSE(parseReplay(std::string("map m\nexpect won 1\n") + bad + "\n").ok) << bad;
}
