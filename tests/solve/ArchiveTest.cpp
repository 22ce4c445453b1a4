#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>

#include "solve/Archive.h"
#include "solve/Frames.h"
#include "solve/Solver.h"

namespace {

LevelLayout oneCameraOneLever() {
    LevelLayout l;
    l.gate = NK::Rect(2500, 650, 300, 350);
    l.cameras = {{1800, 500}};
    l.levers = {NK::Rect(1100, 850, 90, 150)};
    return l;
}

Situation at(float x, float y, int tick, int health = 5) {
    Situation s;
    s.player = {x, y};
    s.tick = tick;
    s.health = health;
    return s;
}

std::vector<PlayInput> walk(int ticks, bool right) {
    std::vector<PlayInput> v(static_cast<std::size_t>(ticks));
    for (PlayInput& in : v) (right ? in.right : in.left) = true;
    return v;
}

}  // namespace

// A cell keeps the best known way in: more health first, then sooner. A
// worse arrival must not replace it, or the search would forget its way.
TEST(SolveArchive, WorseArrivalReplacesBetterWayIntoCell) {
    Archive a(oneCameraOneLever());
    const int root = a.offer(-1, {}, at(300, 850, -1));
    ASSERT_EQ(root, 0);
    const int first = a.offer(root, walk(30, true), at(650, 850, 29));
    ASSERT_GE(first, 0);
    EXPECT_EQ(a.offer(root, walk(40, true), at(660, 850, 39)), -1) << "later, same health";
    EXPECT_EQ(a.offer(root, walk(20, true), at(640, 850, 19, 4)), -1) << "sooner but wounded";
    const int sooner = a.offer(root, walk(20, true), at(610, 850, 19));
    ASSERT_GE(sooner, 0);
    EXPECT_EQ(a.at(Archive::cellOf(at(610, 850, 0))).node, sooner);
    EXPECT_EQ(a.size(), 2u);
    // A lost level is no place to go on from.
    Situation dead = at(900, 850, 50);
    dead.lost = true;
    EXPECT_EQ(a.offer(sooner, walk(30, true), dead), -1);
}

// Worker messages arrive in pieces through a pipe; a frame split anywhere
// must come back whole, and two in one read must come back as two.
TEST(SolveFrames, FrameSplitAcrossReadsComesBackCorrupt) {
    int raw[2], p[2];
    ASSERT_EQ(pipe(raw), 0);
    ASSERT_EQ(pipe(p), 0);
    std::vector<PlayInput> inputs(3);
    inputs[1].right = true;
    inputs[2].pointer = {12.5f, 7.25f};
    ASSERT_TRUE(FrameWriter(7).putAll(inputs).put(42).send(raw[1]));
    ASSERT_TRUE(FrameWriter(8).put(1.5f).send(raw[1]));
    close(raw[1]);
    std::vector<char> bytes(4096);
    const ssize_t n = read(raw[0], bytes.data(), bytes.size());
    close(raw[0]);
    ASSERT_GT(n, 20);
    FrameBuffer buffer;
    std::vector<std::uint8_t> frame;
    std::vector<std::vector<std::uint8_t>> frames;
    // The first frame in three pieces, the last of them with all of the second.
    const ssize_t cuts[] = {0, 5, 20, n};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(
            write(p[1], bytes.data() + cuts[i], static_cast<std::size_t>(cuts[i + 1] - cuts[i])),
            cuts[i + 1] - cuts[i]);
        ASSERT_TRUE(buffer.fill(p[0]));
        while (buffer.next(frame)) frames.push_back(frame);
        if (i < 2) {
            EXPECT_TRUE(frames.empty()) << "half a frame is no frame";
        }
    }
    close(p[1]);
    EXPECT_FALSE(buffer.fill(p[0])) << "the end of the stream";
    close(p[0]);
    ASSERT_EQ(frames.size(), 2u);
    FrameReader r(frames[0]);
    EXPECT_EQ(r.type(), 7);
    const auto back = r.getAll<PlayInput>();
    ASSERT_EQ(back.size(), 3u);
    EXPECT_TRUE(back[1].right);
    EXPECT_EQ(back[2].pointer.y, 7.25f);
    EXPECT_EQ(r.get<int>(), 42);
    FrameReader r2(frames[1]);
    EXPECT_EQ(r2.type(), 8);
    EXPECT_EQ(r2.get<float>(), 1.5f);
}
