#include <gtest/gtest.h>

#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"

namespace {

struct PhysicsRay : testing::Test {
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
    std::vector<NK::Segment>& segments() { return world.rayCasts().segments; }
};

}  // namespace

TEST_F(PhysicsRay, ManagerKnowsItsWorld) {
    EXPECT_EQ(world.rayCasts().world, &world.world());
}

TEST_F(PhysicsRay, BeyondRangeIsFalseAndRecordsNothing) {
    world.rayCasts().hitPoint = b2Vec2(-7, -7);
    EXPECT_FALSE(world.isLineClear({0, 0}, {300, 400}, 499.9f));  // 500 away
    EXPECT_TRUE(segments().empty());
    EXPECT_EQ(world.rayCasts().hitPoint, b2Vec2(-7, -7));  // nothing was cast
}

TEST_F(PhysicsRay, AtExactlyTheRangeIsCast) {
    EXPECT_TRUE(world.isLineClear({0, 0}, {300, 400}, 500.0f));
    EXPECT_EQ(segments().size(), 1u);
}

TEST_F(PhysicsRay, UnobstructedIsTrueAndEndsExactlyAtTo) {
    world.createStaticSquare({1000, 1000}, {50, 50}, 0, "b_aside");
    EXPECT_TRUE(world.isLineClear({12.5f, 33.3f}, {777.7f, 41.9f}, 1000));
    ASSERT_EQ(segments().size(), 1u);
    const NK::Segment& s = segments()[0];
    EXPECT_EQ(s.x1, 12.5f);
    EXPECT_EQ(s.y1, 33.3f);
    EXPECT_EQ(s.x2, 777.7f);
    EXPECT_EQ(s.y2, 41.9f);
    EXPECT_EQ(world.rayCasts().hitPoint.x, 777.7f * 0.01f);
}

TEST_F(PhysicsRay, BlockedRayIsFalseAndEndsAtTheHit) {
    world.createStaticSquare({500, 100}, {10, 100}, 0, "b_wall");  // face at x = 490
    EXPECT_FALSE(world.isLineClear({100, 100}, {900, 100}, 1000));
    ASSERT_EQ(segments().size(), 1u);
    EXPECT_EQ(segments()[0].x1, 100);
    EXPECT_NEAR(segments()[0].x2, 490.0f, 0.01f);
    EXPECT_NEAR(segments()[0].y2, 100.0f, 0.01f);
}

TEST_F(PhysicsRay, EveryKindOfFixtureBlocks) {
    world.createSurface({500, 0}, {500, 1000}, "0");
    EXPECT_FALSE(world.isLineClear({100, 100}, {900, 100}, 1000));
    world.createShot({200, 300}, {0, 0});  // shots are not filtered out either
    EXPECT_FALSE(world.isLineClear({100, 300}, {300, 300}, 1000));
    world.createCircle({200, 600}, false, "c_1", 1, 0.5f, 20, 0);
    EXPECT_FALSE(world.isLineClear({100, 600}, {300, 600}, 1000));
    world.createCapsule({200, 800}, {20, 60}, "player");
    EXPECT_FALSE(world.isLineClear({100, 800}, {300, 800}, 1000));
    EXPECT_EQ(segments().size(), 4u);
}

TEST_F(PhysicsRay, FirstReportedFixtureEndsTheCast) {
    world.createStaticSquare({300, 100}, {10, 100}, 0, "b_1");
    world.createStaticSquare({600, 100}, {10, 100}, 0, "b_2");
    EXPECT_FALSE(world.isLineClear({100, 100}, {900, 100}, 1000));
    ASSERT_EQ(segments().size(), 1u);
    // Whichever wall the library reported first, the cast stopped there.
    float x = segments()[0].x2;
    EXPECT_TRUE(std::abs(x - 290.0f) < 0.01f || std::abs(x - 590.0f) < 0.01f) << x;
}

TEST_F(PhysicsRay, ZeroLengthRayIsClear) {
    EXPECT_TRUE(world.isLineClear({50, 50}, {50, 50}, 10));
    EXPECT_EQ(segments().size(), 1u);
}
