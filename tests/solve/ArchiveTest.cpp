#include <gtest/gtest.h>

#include <cmath>

#include "solve/Archive.h"
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
