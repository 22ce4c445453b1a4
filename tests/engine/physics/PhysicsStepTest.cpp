

#include "tests/engine/physics/PhysicsTestWorld.h"
#include "tests/support/Testing.h"

using nkphys::bodyCount;
using nkphys::expectValues;
using nkphys::steps;
using PhysicsStep = nkphys::WorldTest;

TEST_F(PhysicsStep, StepIsOneSixtiethUnderGravity) {
    NK::Square& sq = world.createSquare({0, 0}, {10, 10}, false, 0, "b_1", 1, 0.5f);
    world.step(60.0f);
    EXPECT_FLOAT_EQ(sq.body->GetLinearVelocity().y, 10.0f / 60.0f);
}

// A shot is a fixed-rotation bullet at 25 m/s, radius 0.05, frictionless,
// bouncy, dense, of group -1: shots ignore gravity and pass through each other.
TEST_F(PhysicsStep, ShotMadeWithWrongSettingsFallsOrMeetsAnotherShot) {
    b2Body* a = world.createShot({100, 100}, {0.6f, 0.8f});
    b2Body* b = world.createShot({300, 100}, {-1, 0});
    const b2Fixture* f = world.shots()[0]->fixture;
    expectValues(nkphys::fixtureState(f), {0.05f, 0, 30.0f, 0, 0.99f});
    EXPECT_EQ(f->GetFilterData().groupIndex, -1);
    EXPECT_TRUE(a->IsBullet() && a->IsFixedRotation());
    expectValues({a->GetLinearVelocity().x, a->GetLinearVelocity().y}, {15.0f, 20.0f});
    a->SetLinearVelocity({25, 0});
    steps(world, 30);  // 12.5 m each way: long past each other
    expectValues({a->GetPosition().x, a->GetPosition().y, b->GetPosition().x,
                  a->GetLinearVelocity().x, b->GetLinearVelocity().x},
                 {1.0f + 12.5f, 1.0f, 3.0f - 12.5f, 25.0f, -25.0f});
}

TEST_F(PhysicsStep, ShotBouncesOffAWallOrASurfaceEdgeWithRestitution) {
    const std::function<void(NK::PhysicsWorld&)> obstacles[] = {
        [](NK::PhysicsWorld& w) {
            w.createStaticSquare({1000, 100}, {20, 200}, 0, "b_wall");
        },
        [](NK::PhysicsWorld& w) {
            w.createSurface({1000, -500}, {1000, 500}, "0");
        }};
    for (const auto& build : obstacles) {
        NK::PhysicsWorld w{{0.0f, 10.0f}, nullptr};
        build(w);
        b2Body* s = w.createShot({100, 100}, {1, 0});
        steps(w, 60);
        EXPECT_LT(s->GetPosition().x, 9.8f);
        EXPECT_NEAR(s->GetLinearVelocity().x, -25.0f * 0.99f, 0.05f);
        EXPECT_NEAR(s->GetLinearVelocity().y, 0.0f, 1e-3f);
    }
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
    EXPECT_TRUE(shots[0]->body == keep1 && shots[1]->body == keep3);  // order kept
    EXPECT_EQ(shots[0]->life + shots[1]->life, 2 * 298);
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
    EXPECT_EQ(nkphys::Floats(
                  {w.squareCullCountdown(), w.circleCullCountdown(), w.capsuleCullCountdown()}),
              (nkphys::Floats{3600, 4800, 6000}));
}

// Squares go on step 3601, circles on 4801, capsules on 6001, and each kind
// every 3601 steps after; a body touching the rectangle's edge stays, one a
// pixel further goes (rotation ignored).
TEST_F(PhysicsCull, CullsOnTheWrongStepOrOfBodiesTouchingTheRectangle) {
    world.createStaticSquare({1050, 500}, {50, 50}, 0, "b_touch");  // touches x = 1000
    world.createStaticSquare({500, -50}, {50, 50}, 0, "b_touch_top");
    world.createStaticSquare({1051, 500}, {50, 50}, 0.7f, "b_out");
    world.createSquare({5000, 5000}, {50, 50}, false, 0, "b_far", 1, 0.5f);
    world.createStaticCircle({500, 1050}, "c_touch", 50, 0);  // touches the bottom edge
    world.createStaticCircle({1200, 500}, "c_out", 50, 0);
    world.createCapsule({1025, 500}, {25, 100}, "p_touch");  // half width 25: touches x = 1000
    world.createCapsule({300, 1200}, {25, 100}, "p_out");    // spans y 1100..1300
    std::string gone;
    for (int step = 1; step <= 7202; ++step) {
        const int before = bodyCount(world);
        world.step(60.0f);
        if (bodyCount(world) != before) gone += std::to_string(step) + " ";
        if (step == 3601) {
            EXPECT_EQ(nkphys::Floats({world.squareCullCountdown(), world.circleCullCountdown(),
                                      world.capsuleCullCountdown()}),
                      (nkphys::Floats{3600, 4800 - 3601, 6000 - 3601}));
            world.createStaticSquare({5000, 5000}, {5, 5}, 0, "b_late");
        }
    }
    EXPECT_EQ(gone, "3601 4801 6001 7202 ");
    EXPECT_TRUE(world.hasSquare("b_touch") && world.hasSquare("b_touch_top"));
    EXPECT_TRUE(world.hasCircle("c_touch") && world.hasCapsule("p_touch"));
    EXPECT_EQ(world.squareCount() + world.circleCount() + world.capsuleCount(), 4u);
}

using PhysicsRay = nkphys::WorldTest;

// Out of range is false and casts nothing (the hit point stays untouched);
// exactly in range, or of no length, is cast; an unobstructed ray ends
// exactly at `to`, not at to x 0.01 x 100.
TEST_F(PhysicsRay, RangeOrUnobstructedEndWrong) {
    world.createStaticSquare({1000, 1000}, {50, 50}, 0, "b_aside");
    world.rayCasts().hitPoint = b2Vec2(-7, -7);
    EXPECT_FALSE(world.isLineClear({0, 0}, {300, 400}, 499.9f));  // 500 away
    EXPECT_TRUE(rays().empty());
    EXPECT_EQ(world.rayCasts().hitPoint, b2Vec2(-7, -7));
    EXPECT_TRUE(world.isLineClear({0, 0}, {300, 400}, 500.0f));
    EXPECT_TRUE(world.isLineClear({50, 50}, {50, 50}, 10));
    EXPECT_TRUE(world.isLineClear({12.5f, 33.3f}, {777.7f, 41.9f}, 1000));
    ASSERT_EQ(rays().size(), 3u);
    const NK::Segment& s = rays()[2];
    EXPECT_EQ(std::vector<float>({s.x1, s.y1, s.x2, s.y2}),
              std::vector<float>({12.5f, 33.3f, 777.7f, 41.9f}));
}

// A cast from (100, 100) to (900, 100) is blocked by any fixture, shots
// included, and its segment ends at the face it met.
TEST_F(PhysicsRay, EveryKindOfFixtureBlocksAndTheRayEndsAtTheHit) {
    const std::pair<float, std::function<void(NK::PhysicsWorld&)>> cases[] = {
        {490,
         [](NK::PhysicsWorld& w) {
             w.createStaticSquare({500, 100}, {10, 100}, 0, "b");
         }},
        {500,
         [](NK::PhysicsWorld& w) {
             w.createSurface({500, 0}, {500, 1000}, "0");
         }},
        {195,
         [](NK::PhysicsWorld& w) {
             w.createShot({200, 100}, {0, 0});
         }},
        {180,
         [](NK::PhysicsWorld& w) {
             w.createCircle({200, 100}, false, "c", 1, 0.5f, 20, 0);
         }},
        {180,
         [](NK::PhysicsWorld& w) {
             w.createCapsule({200, 100}, {20, 60}, "player");
         }},
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

// The library reports fixtures in the order of its tree, not by distance;
// here it reports the far wall (face at 590) first. The cast ends there: one
// that goes on, or clips to the nearest, would end at the near wall (290),
// and one that ignores fixtures would be clear.
TEST_F(PhysicsRay, CastNotEndedByTheFirstReportedFixture) {
    world.createStaticSquare({300, 100}, {10, 100}, 0, "b_near");
    world.createStaticSquare({600, 100}, {10, 100}, 0, "b_far");
    struct Order : b2RayCastCallback {
        float ReportFixture(b2Fixture*, const b2Vec2& p, const b2Vec2&, float) override {
            faces.push_back(p.x * 100.0f);
            return 1.0f;  // go on, to see every fixture in the order given
        }
        std::vector<float> faces;
    } order;
    world.world().RayCast(&order, b2Vec2(1, 1), b2Vec2(9, 1));
    ASSERT_EQ(order.faces.size(), 2u);
    ASSERT_NEAR(order.faces[0], 590.0f, 0.01f) << "the far wall must be reported first";
    EXPECT_FALSE(world.isLineClear({100, 100}, {900, 100}, 1000));
    ASSERT_EQ(rays().size(), 1u);
    EXPECT_NEAR(rays()[0].x2, 590.0f, 0.01f);
}
