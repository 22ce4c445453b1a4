#include <box2d/box2d.h>

#include <cmath>

#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"
#include "tests/support/Testing.h"

// Squares go on step 3601, circles on 4801, capsules on 6001, and each kind
// every 3601 steps after; a body touching the rectangle's edge stays, one a
// pixel further goes (rotation ignored). While the rectangle is all zeros
// (the test's first world) nothing is culled.
TEST(Physics, CullsOnTheWrongStepOrOfBodiesTouchingTheRectangleOrWithoutOne) {
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
    world.createStaticSquare({1e6f, 1e6f}, {5, 5}, 0, "b_far");
    NK::PhysicsWorld w{{0.0f, 0.0f}, nullptr};  // nothing moves: only the cull decides
    w.cullRect = NK::Rect(0, 0, 1000, 1000);
    w.createStaticSquare({1050, 500}, {50, 50}, 0, "b_touch");  // touches x = 1000
    w.createStaticSquare({1051, 500}, {50, 50}, 0.7f, "b_out");
    w.createStaticCircle({500, 1050}, "c_touch", 50, 0);  // touches the bottom edge
    w.createStaticCircle({1200, 500}, "c_out", 50, 0);
    w.createCapsule({1025, 500}, {25, 100}, "p_touch");  // half width 25: touches x = 1000
    w.createCapsule({300, 1200}, {25, 100}, "p_out");    // spans y 1100..1300
    std::string gone;
    for (int step = 1; step <= 9602; ++step) {
        const int before = w.world().GetBodyCount();
        w.step(60.0f);
        world.step(60.0f);
        if (w.world().GetBodyCount() != before) gone += std::to_string(step) + " ";
        if (step == 3601) w.createStaticSquare({5000, 5000}, {5, 5}, 0, "b_late");
        if (step == 4801) w.createStaticCircle({5000, 5000}, "c_late", 5, 0);
        if (step == 6001) w.createCapsule({5000, 5000}, {5, 10}, "p_late");
    }
    EXPECT_EQ(gone, "3601 4801 6001 7202 8402 9602 ");
    EXPECT_TRUE(w.hasSquare("b_touch") && w.hasCircle("c_touch") && w.hasCapsule("p_touch"));
    EXPECT_TRUE(world.hasSquare("b_far"));
}

// Shots and surfaces block a ray as bodies do; its segment ends at the
// face it met.
TEST(Physics, ShotOrSurfaceLetsARayThroughOrTheRayEndsBeyondTheHit) {
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
    world.createShot({200, 100}, {0, 0});
    world.createSurface({500, 0}, {500, 1000}, "0");
    EXPECT_FALSE(world.isLineClear({100, 100}, {300, 100}, 1000));
    EXPECT_FALSE(world.isLineClear({600, 300}, {400, 300}, 1000));
    const std::vector<NK::Segment>& rays = world.rayCasts().segments;
    ASSERT_EQ(rays.size(), 2u);
    EXPECT_NEAR(rays[0].x2, 195, 0.01f);
    EXPECT_NEAR(rays[1].x2, 500, 0.01f);
}
