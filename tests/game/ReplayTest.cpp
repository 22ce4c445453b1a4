#include <gtest/gtest.h>

#include "game/Replay.h"

namespace {

bool same(const PlayInput& a, const PlayInput& b) {
    return a.left == b.left && a.right == b.right && a.jumpPressed == b.jumpPressed &&
           a.usePressed == b.usePressed && a.restartPressed == b.restartPressed &&
           a.firePressed == b.firePressed && a.pointer.x == b.pointer.x &&
           a.pointer.y == b.pointer.y;
}

}  // namespace

TEST(ReplayFile, HandWrittenHoldsPressesAndClicksBecomeTicks) {
    ReplayParse p = parseReplay(
        "# walk, jump once, shoot\nmap m.txt\nexpect lost 90\nhold D 0 3\npress W 1\n"
        "down A 5\nup A 7\nclick 1500 600.5 2\nmouse 10 20 4\n");
    ASSERT_TRUE(p.ok) << p.error;
    const Replay& r = p.replay;
    EXPECT_EQ(r.mapPath, "m.txt");
    EXPECT_EQ(r.expected, Replay::Outcome::Lost);
    EXPECT_EQ(r.expectedTick, 90);
    EXPECT_TRUE(r.inputAt(2).right);
    EXPECT_FALSE(r.inputAt(3).right) << "the end tick of a hold is not held";
    EXPECT_TRUE(r.inputAt(1).jumpPressed);
    EXPECT_FALSE(r.inputAt(2).jumpPressed);
    EXPECT_TRUE(r.inputAt(6).left);
    EXPECT_FALSE(r.inputAt(7).left);
    EXPECT_FALSE(r.inputAt(1).firePressed);
    EXPECT_TRUE(r.inputAt(2).firePressed);
    EXPECT_EQ(r.inputAt(1).pointer.x, 0.0f) << "the pointer moves only from its tick";
    EXPECT_EQ(r.inputAt(3).pointer.y, 600.5f);
    EXPECT_EQ(r.inputAt(50).pointer.x, 10.0f);
}

// What the recorder writes reads back as the very inputs that were played.
TEST(ReplayFile, RecordedRunReadsBackTickForTick) {
    std::vector<PlayInput> played(40);
    for (int t = 0; t < 40; ++t) {
        PlayInput& in = played[static_cast<std::size_t>(t)];
        in.right = t >= 3 && t < 30;
        in.left = t >= 28;
        in.jumpPressed = t == 10 || t == 11;
        in.firePressed = t == 20;
        in.usePressed = t == 39;
        in.pointer = {100.0f + t / 3 * 0.1f, 700.0f / 3.0f};
    }
    ReplayRecorder recorder("level.txt");
    for (const PlayInput& in : played) recorder.add(in);
    ReplayParse p = parseReplay(recorder.text(Replay::Outcome::Won, 39));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.replay.expectedTick, 39);
    for (int t = 0; t < 40; ++t)
        EXPECT_TRUE(same(p.replay.inputAt(t), played[static_cast<std::size_t>(t)])) << "tick " << t;
}
