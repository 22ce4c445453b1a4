#include <gtest/gtest.h>

#include "tests/engine/physics/PhysicsTestWorld.h"

using nkphys::bodyCount;
using nkphys::steps;
using PhysicsStep = nkphys::WorldTest;

TEST_F(PhysicsStep, StepIsOneSixtiethUnderGravity) {
    NK::Square& sq = world.createSquare({0, 0}, {10, 10}, false, 0, "b_1", 1, 0.5f);
    world.step(60.0f);
    EXPECT_FLOAT_EQ(sq.body->GetLinearVelocity().y, 10.0f / 60.0f);
}

TEST_F(PhysicsStep, ShotIsAFastBouncyBulletOfGroupMinusOne) {
    b2Body* b = world.createShot({100, 200}, {0.6f, 0.8f});
    ASSERT_EQ(world.shots().size(), 1u);
    const b2Fixture* f = world.shots()[0]->fixture;
    EXPECT_TRUE(b->IsBullet());
    EXPECT_TRUE(b->IsFixedRotation());
    EXPECT_FLOAT_EQ(b->GetLinearVelocity().x, 15.0f);
    EXPECT_FLOAT_EQ(b->GetLinearVelocity().y, 20.0f);
    EXPECT_FLOAT_EQ(f->GetShape()->m_radius, 0.05f);
    EXPECT_EQ(f->GetFriction(), 0.0f);
    EXPECT_FLOAT_EQ(f->GetRestitution(), 0.99f);
    EXPECT_EQ(f->GetDensity(), 30.0f);
    EXPECT_EQ(f->GetFilterData().groupIndex, -1);
}

TEST_F(PhysicsStep, ShotsIgnoreGravityAndPassThroughEachOther) {
    b2Body* a = world.createShot({100, 100}, {1, 0});
    b2Body* b = world.createShot({300, 100}, {-1, 0});
    steps(world, 30);  // 12.5 m each way: long past each other
    EXPECT_NEAR(a->GetPosition().x, 1.0f + 12.5f, 1e-3f);
    EXPECT_NEAR(b->GetPosition().x, 3.0f - 12.5f, 1e-3f);
    EXPECT_EQ(a->GetPosition().y, 1.0f);
    EXPECT_FLOAT_EQ(a->GetLinearVelocity().x, 25.0f);
    EXPECT_FLOAT_EQ(b->GetLinearVelocity().x, -25.0f);
}

TEST_F(PhysicsStep, ShotBouncesOffAWallWithRestitution) {
    world.createStaticSquare({1000, 100}, {20, 200}, 0, "b_wall");
    b2Body* s = world.createShot({100, 100}, {1, 0});
    steps(world, 60);
    EXPECT_LT(s->GetPosition().x, 9.8f);
    EXPECT_NEAR(s->GetLinearVelocity().x, -25.0f * 0.99f, 0.05f);
    EXPECT_NEAR(s->GetLinearVelocity().y, 0.0f, 1e-3f);
}

TEST_F(PhysicsStep, ShotBouncesOffASurfaceEdge) {
    world.createSurface({0, 500}, {1000, 500}, "0");
    b2Body* s = world.createShot({500, 100}, {0, 1});
    steps(world, 60);
    EXPECT_LT(s->GetPosition().y, 5.0f);
    EXPECT_NEAR(s->GetLinearVelocity().y, -25.0f * 0.99f, 0.05f);
}

TEST_F(PhysicsStep, ShotIsRemovedOnItsThreeHundredAndFirstStep) {
    world.createShot({0, 0}, {0, 0});
    steps(world, 300);
    ASSERT_EQ(world.shots().size(), 1u);
    EXPECT_EQ(world.shots()[0]->life, 0);
    world.step(60.0f);
    EXPECT_TRUE(world.shots().empty());
    EXPECT_EQ(bodyCount(world), 0);
}

TEST_F(PhysicsStep, DeadShotsGoAtTheNextStepOthersLoseExactlyOneLife) {
    for (int i = 0; i < 5; ++i) world.createShot({i * 1000.0f, 0}, {0, 0});
    world.step(60.0f);  // all at 299
    auto& shots = world.shots();
    b2Body* keep1 = shots[1]->body;
    b2Body* keep3 = shots[3]->body;
    shots[0]->dead = shots[2]->dead = shots[4]->dead = true;
    EXPECT_EQ(shots.size(), 5u);  // marking alone removes nothing
    world.step(60.0f);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_EQ(shots[0]->body, keep1);  // order kept
    EXPECT_EQ(shots[1]->body, keep3);
    EXPECT_EQ(shots[0]->life, 298);
    EXPECT_EQ(shots[1]->life, 298);
    EXPECT_EQ(bodyCount(world), 2);
}

TEST_F(PhysicsStep, RayListEmptiesAtEachStep) {
    world.isLineClear({0, 0}, {100, 0}, 500);
    world.isLineClear({0, 0}, {0, 100}, 500);
    EXPECT_EQ(rays().size(), 2u);
    world.step(60.0f);
    EXPECT_TRUE(rays().empty());
    world.isLineClear({0, 0}, {100, 0}, 500);
    EXPECT_EQ(rays().size(), 1u);  // kept until the next step
}

// ---- Culling ----

namespace {

struct PhysicsCull : testing::Test {
    // No gravity, so nothing moves and only the cull decides.
    NK::PhysicsWorld world{{0.0f, 0.0f}, nullptr};
    void SetUp() override { world.cullRect = NK::Rect(0, 0, 1000, 1000); }
};

}  // namespace

TEST_F(PhysicsCull, NoCullWhileRectangleIsAllZeros) {
    NK::PhysicsWorld w{{0.0f, 0.0f}, nullptr};  // its rectangle starts all zeros
    w.createStaticSquare({1e6f, 1e6f}, {5, 5}, 0, "b_far");
    w.createStaticCircle({1e6f, 1e6f}, "c_far", 5, 0);
    w.createCapsule({1e6f, 1e6f}, {5, 20}, "player");
    steps(w, 7300);
    EXPECT_EQ(bodyCount(w), 3);
    EXPECT_EQ(w.squareCullCountdown(), 3600.0f);
    EXPECT_EQ(w.circleCullCountdown(), 4800.0f);
    EXPECT_EQ(w.capsuleCullCountdown(), 6000.0f);
}

TEST_F(PhysicsCull, TouchingSquareSurvivesOutsideOneGoesOnStep3601) {
    // The rectangle's right edge is x = 1000; a 100-wide box centred at 1050 touches it.
    world.createStaticSquare({1050, 500}, {50, 50}, 0, "b_touch");
    world.createStaticSquare({500, -50}, {50, 50}, 0, "b_touch_top");
    world.createStaticSquare({1051, 500}, {50, 50}, 0.7f, "b_out");  // rotation ignored
    world.createSquare({5000, 5000}, {50, 50}, false, 0, "b_far", 1, 0.5f);
    steps(world, 3600);
    EXPECT_EQ(world.squareCount(), 4u);
    world.step(60.0f);  // step 3601
    EXPECT_TRUE(world.hasSquare("b_touch"));
    EXPECT_TRUE(world.hasSquare("b_touch_top"));
    EXPECT_FALSE(world.hasSquare("b_out"));
    EXPECT_FALSE(world.hasSquare("b_far"));
    EXPECT_EQ(bodyCount(world), 2);
    EXPECT_EQ(world.squareCullCountdown(), 3600.0f);
    EXPECT_EQ(world.circleCullCountdown(), 4800.0f - 3601.0f);
    EXPECT_EQ(world.capsuleCullCountdown(), 6000.0f - 3601.0f);
}

TEST_F(PhysicsCull, CullsAreStaggeredAndThenEvery3601Steps) {
    world.createStaticCircle({500, 1050}, "c_touch", 50, 0);   // touches the bottom edge
    world.createStaticCircle({1200, 500}, "c_out", 50, 0);
    world.createCapsule({1025, 500}, {25, 100}, "p_touch");  // half width 25: touches x = 1000
    world.createCapsule({300, 1200}, {25, 100}, "p_out");    // spans y 1100..1300
    steps(world, 4800);
    EXPECT_TRUE(world.hasCircle("c_out"));
    world.step(60.0f);  // 4801
    EXPECT_FALSE(world.hasCircle("c_out"));
    EXPECT_TRUE(world.hasCircle("c_touch"));
    EXPECT_EQ(world.circleCullCountdown(), 3600.0f);
    steps(world, 6000 - 4801);
    EXPECT_TRUE(world.hasCapsule("p_out"));
    world.step(60.0f);  // 6001
    EXPECT_TRUE(world.hasCapsule("p_touch"));
    EXPECT_FALSE(world.hasCapsule("p_out"));
    EXPECT_EQ(world.capsuleCullCountdown(), 3600.0f);

    // The second square cull falls on 3601 + 3601 = 7202.
    world.createStaticSquare({5000, 5000}, {5, 5}, 0, "b_late");
    steps(world, 7201 - 6001);
    EXPECT_TRUE(world.hasSquare("b_late"));
    world.step(60.0f);
    EXPECT_FALSE(world.hasSquare("b_late"));
}
