
#include <tuple>

#include "engine/BitmapEntry.h"
#include "tests/engine/physics/PhysicsTestWorld.h"
#include "tests/support/Testing.h"

using nkphys::bodyCount;
using nkphys::bodyState;
using nkphys::expectValues;
using nkphys::fixtureState;
using PhysicsBodies = nkphys::WorldTest;
using Lines = std::vector<std::string>;

// Pixels in, metres in the library; a capsule is a box and two end circles,
// friction 0.2 and density 1, its circles at either end of the box (y grows
// downward).
TEST_F(PhysicsBodies, BodiesMadeWithWrongPlaceSizeOrSettings) {
    const float dyn = b2_dynamicBody, fixed = b2_staticBody;
    NK::Square& sq = world.createSquare({150, 250}, {50, 20}, true, 0.5f, "b_1", 2.0f, 0.7f);
    NK::Square& ss = world.createStaticSquare({100, 300}, {10, 10}, 0.25f, "b_s");
    NK::Circle& c = world.createCircle({200, 300}, true, "c_1", 3.0f, 0.4f, 40, 1.0f);
    NK::Circle& sc = world.createStaticCircle({10, 20}, "c_2", 5, 0.3f);
    NK::Capsule& p = world.createCapsule({500, 400}, {25, 100}, "player");
    expectValues(bodyState(sq.body), {dyn, 1.5f, 2.5f, 0.5f, 1});
    expectValues(fixtureState(sq.fixture), {0.5f, 0.2f, 2.0f, 0.7f, 0});
    expectValues(bodyState(ss.body), {fixed, 1.0f, 3.0f, 0.25f, 0});
    expectValues(bodyState(c.body), {dyn, 2.0f, 3.0f, 1.0f, 1});
    expectValues(fixtureState(c.fixture), {0.4f, 0, 3.0f, 0.4f, 0});
    expectValues(bodyState(sc.body), {fixed, 0.1f, 0.2f, 0.3f, 0});
    expectValues(fixtureState(sc.fixture), {0.05f, 0, 0, 0.2f, 0});
    expectValues(bodyState(p.body), {dyn, 5.0f, 4.0f, 0.0f, 1});
    expectValues(fixtureState(p.boxFixture), {0.25f, 0.5f, 1, 0.2f, 0});
    expectValues(fixtureState(p.upperCircleFixture), {0.25f, -0.75f, 1, 0.2f, 0});
    expectValues(fixtureState(p.lowerCircleFixture), {0.25f, 0.75f, 1, 0.2f, 0});
}

// Keys are per kind; remaking one frees the old body (a surface's every
// segment) and logs one line; destroying a missing key only logs.
TEST_F(PhysicsBodies, RemakeOrMissingDestroyKeepsBodiesOrLogsWrongWords) {
    world.createSquare({0, 0}, {5, 5}, false, 0, "k", 1, 0.5f);
    world.createCircle({0, 0}, false, "k", 1, 0.5f, 5, 0);
    world.createCapsule({0, 0}, {25, 100}, "k");
    world.createSurface({0, 0}, {10, 0}, "k");
    world.addSurfacePoint("k", {20, 0});
    nktest::LogCapture log;
    world.createStaticSquare({300, 0}, {5, 5}, 0, "k");
    world.createStaticCircle({0, 0}, "k", 5, 0);
    world.createCapsule({0, 0}, {25, 100}, "k");
    world.createSurface({0, 0}, {10, 0}, "k");
    world.destroyCircle("c_nope");
    world.destroySquare("x");
    world.destroyCapsule("y");
    world.destroySurface("7");
    EXPECT_EQ(log.lines(),
              (Lines{"INFO: Square with key \"k\" remade", "INFO: Circle with key \"k\" remade",
                     "INFO: Capsule with key \"k\" remade", "INFO: Surface with key \"k\" remade",
                     "INFO: Circle with key \"c_nope\" not found to destroy",
                     "INFO: Square with key \"x\" not found to destroy",
                     "INFO: Capsule with key \"y\" not found to destroy",
                     "INFO: Surface with key \"7\" not found to destroy"}));
    EXPECT_EQ(bodyCount(world), 4);
    EXPECT_EQ(world.getSurface("k").segments.size(), 1u);
    EXPECT_FLOAT_EQ(world.getSquare("k").body->GetPosition().x, 3.0f);
}

TEST_F(PhysicsBodies, MissingLookupsAreFatalWithHeadingAndBareKey) {
    NK::BitmapEntry none;
    const std::tuple<const char*, const char*, std::function<void()>> cases[] = {
        {"Surface", "3", [&] { world.getSurface("3"); }},
        {"Square", "b_q", [&] { world.drawSquare("b_q", none); }},
        {"Square", "b_q", [&] { world.getSquare("b_q"); }},
        {"Circle", "c_q", [&] { world.getCircle("c_q"); }},
        {"Capsule", "player", [&] { world.getCapsule("player"); }},
    };
    for (const auto& [kind, key, call] : cases) {
        auto e = nktest::catchFatal(call);
        EXPECT_EQ(e.heading + "|" + e.text,
                  std::string(kind) + " with key \"" + key + "\" not found|" + key);
    }
}

// Points go on at the back, or at the front before the first segment; each
// segment is a static two-sided edge; removing points never leaves fewer
// than one segment.
TEST_F(PhysicsBodies, SurfaceSegmentsWrongOrDroppedBelowOne) {
    world.createSurface({100, 500}, {200, 450}, "0");
    world.addSurfacePoint("0", {300, 450});
    world.insertSurfacePointFront("0", {0, 500});
    world.addSurfacePoint("0", {400, 600});
    NK::Surface& s = world.getSurface("0");
    ASSERT_EQ(s.segments.size(), 4u);  // 5 points
    const float xs[] = {0, 100, 200, 300, 400}, ys[] = {500, 500, 450, 450, 600};
    for (std::size_t i = 0; i < 4; ++i) {
        const NK::SurfaceSegment& seg = *s.segments[i];
        ASSERT_EQ(seg.fixture->GetType(), b2Shape::e_edge);
        auto* edge = static_cast<b2EdgeShape*>(seg.fixture->GetShape());
        expectValues({seg.x1, seg.y1, seg.x2, seg.y2, edge->m_vertex1.x, edge->m_vertex2.y,
                      float(seg.body->GetType()), float(edge->m_oneSided)},
                     {xs[i], ys[i], xs[i + 1], ys[i + 1], xs[i] * 0.01f, ys[i + 1] * 0.01f,
                      b2_staticBody, 0});
    }
    EXPECT_EQ(world.lastSurfaceSegment("0").x1, 300);
    world.removeFirstSurfacePoint("0");
    EXPECT_EQ(s.segments.front()->x1, 100);
    world.removeLastSurfacePoint("0");
    EXPECT_EQ(world.lastSurfaceSegment("0").x2, 300);
    nktest::LogCapture log;
    for (int i = 0; i < 3; ++i) {
        world.removeFirstSurfacePoint("0");
        world.removeLastSurfacePoint("0");
    }
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(s.segments.size(), 1u);
    EXPECT_EQ(bodyCount(world), 1);
}

TEST_F(PhysicsBodies, DestroyAndClearFreeTheirBodies) {
    world.createSquare({0, 0}, {5, 5}, false, 0, "b", 1, 0.5f);
    world.createCircle({0, 0}, false, "c", 1, 0.5f, 5, 0);
    world.createShot({0, 0}, {1, 0});
    world.createCapsule({0, 0}, {5, 20}, "p");
    world.createSurface({0, 0}, {1, 1}, "s");
    world.addSurfacePoint("s", {2, 2});
    world.destroyCapsule("p");
    world.destroySurface("s");
    EXPECT_FALSE(world.hasCapsule("p") || world.hasSurface("s"));
    EXPECT_EQ(bodyCount(world), 3);
    world.createCapsule({0, 0}, {5, 20}, "p");
    world.createSurface({0, 0}, {1, 1}, "s");
    world.clearSquares();
    world.clearCircles();
    world.clearCapsules();
    world.clearShots();
    world.clearSurfaces();
    EXPECT_EQ(world.squareCount() + world.circleCount() + world.capsuleCount() +
                  world.surfaceCount() + world.shots().size(),
              0u);
    EXPECT_EQ(bodyCount(world), 0);
}

TEST_F(PhysicsBodies, TagsAreIntegersInUserDataAndStartAtNone) {
    b2Body* shot = world.createShot({0, 0}, {0, 0});
    EXPECT_EQ(NK::bodyTag(world.createSquare({0, 0}, {5, 5}, false, 0, "b", 1, 0.5f).body), 0);
    EXPECT_EQ(NK::bodyTag(shot), 0);
    NK::setBodyTag(shot, NK::kTagCameraShot);
    EXPECT_EQ(shot->GetUserData().pointer, 3u);
}
