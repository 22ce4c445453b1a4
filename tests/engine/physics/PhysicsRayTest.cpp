#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tests/engine/physics/PhysicsTestWorld.h"

using PhysicsRay = nkphys::WorldTest;

TEST_F(PhysicsRay, BeyondRangeIsFalseAndRecordsNothingExactRangeIsCast) {
    world.rayCasts().hitPoint = b2Vec2(-7, -7);
    EXPECT_FALSE(world.isLineClear({0, 0}, {300, 400}, 499.9f));  // 500 away
    EXPECT_TRUE(rays().empty());
    EXPECT_EQ(world.rayCasts().hitPoint, b2Vec2(-7, -7));  // nothing was cast
    EXPECT_TRUE(world.isLineClear({0, 0}, {300, 400}, 500.0f));
    EXPECT_EQ(rays().size(), 1u);
}

TEST_F(PhysicsRay, UnobstructedIsTrueAndEndsExactlyAtTo) {
    world.createStaticSquare({1000, 1000}, {50, 50}, 0, "b_aside");
    EXPECT_TRUE(world.isLineClear({12.5f, 33.3f}, {777.7f, 41.9f}, 1000));
    ASSERT_EQ(rays().size(), 1u);
    const NK::Segment& s = rays()[0];
    EXPECT_EQ(std::vector<float>({s.x1, s.y1, s.x2, s.y2}),
              std::vector<float>({12.5f, 33.3f, 777.7f, 41.9f}));
}

TEST_F(PhysicsRay, ZeroLengthRayIsClear) {
    EXPECT_TRUE(world.isLineClear({50, 50}, {50, 50}, 10));
    EXPECT_EQ(rays().size(), 1u);
}

// A cast from (100, 100) to (900, 100) is blocked by any fixture, shots
// included, and its segment ends at the face it met.
TEST_F(PhysicsRay, EveryKindOfFixtureBlocksAndTheRayEndsAtTheHit) {
    const std::pair<float, std::function<void(NK::PhysicsWorld&)>> cases[] = {
        {490, [](NK::PhysicsWorld& w) { w.createStaticSquare({500, 100}, {10, 100}, 0, "b"); }},
        {500, [](NK::PhysicsWorld& w) { w.createSurface({500, 0}, {500, 1000}, "0"); }},
        {195, [](NK::PhysicsWorld& w) { w.createShot({200, 100}, {0, 0}); }},
        {180, [](NK::PhysicsWorld& w) { w.createCircle({200, 100}, false, "c", 1, 0.5f, 20, 0); }},
        {180, [](NK::PhysicsWorld& w) { w.createCapsule({200, 100}, {20, 60}, "player"); }},
    };
    for (const auto& [face, build] : cases) {
        NK::PhysicsWorld w{{0.0f, 10.0f}, nullptr};
        build(w);
        EXPECT_FALSE(w.isLineClear({100, 100}, {900, 100}, 1000)) << face;
        const auto& segs = w.rayCasts().segments;
        ASSERT_EQ(segs.size(), 1u);
        EXPECT_EQ(segs[0].x1, 100);
        EXPECT_NEAR(segs[0].x2, face, 0.01f);
        EXPECT_NEAR(segs[0].y2, 100.0f, 0.01f);
    }
}

TEST_F(PhysicsRay, FirstReportedFixtureEndsTheCast) {
    world.createStaticSquare({300, 100}, {10, 100}, 0, "b_1");
    world.createStaticSquare({600, 100}, {10, 100}, 0, "b_2");
    EXPECT_FALSE(world.isLineClear({100, 100}, {900, 100}, 1000));
    ASSERT_EQ(rays().size(), 1u);
    // Whichever wall the library reported first, the cast stopped there.
    const float x = rays()[0].x2;
    EXPECT_TRUE(std::abs(x - 290.0f) < 0.01f || std::abs(x - 590.0f) < 0.01f) << x;
}
