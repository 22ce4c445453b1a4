#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "engine/BitmapEntry.h"
#include "tests/engine/physics/PhysicsTestWorld.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

using nkphys::bodyCount;
using nkphys::expectBody;
using PhysicsBodies = nkphys::WorldTest;

namespace {

// A box's half extents: SetAsBox puts (hx, hy) third.
b2Vec2 polygonHalfExtents(const b2Fixture* f) {
    return static_cast<const b2PolygonShape*>(f->GetShape())->m_vertices[2];
}

}  // namespace

TEST_F(PhysicsBodies, SquaresAndCirclesAreMadeInMetresWithTheirSettings) {
    NK::Square& sq = world.createSquare({150, 250}, {50, 20}, true, 0.5f, "b_1", 2.0f, 0.7f);
    expectBody(sq.body, b2_dynamicBody, 1.5f, 2.5f, 0.5f);
    EXPECT_TRUE(sq.body->IsFixedRotation());
    EXPECT_FLOAT_EQ(polygonHalfExtents(sq.fixture).x, 0.5f);
    EXPECT_FLOAT_EQ(polygonHalfExtents(sq.fixture).y, 0.2f);
    EXPECT_EQ(sq.fixture->GetDensity(), 2.0f);
    EXPECT_EQ(sq.fixture->GetFriction(), 0.7f);
    expectBody(world.createStaticSquare({100, 300}, {10, 10}, 0.25f, "b_s").body, b2_staticBody,
               1.0f, 3.0f, 0.25f);

    NK::Circle& c = world.createCircle({200, 300}, true, "c_1", 3.0f, 0.4f, 40, 1.0f);
    expectBody(c.body, b2_dynamicBody, 2.0f, 3.0f, 1.0f);
    EXPECT_TRUE(c.body->IsFixedRotation());
    EXPECT_FLOAT_EQ(c.fixture->GetShape()->m_radius, 0.4f);
    EXPECT_EQ(c.fixture->GetDensity(), 3.0f);
    EXPECT_EQ(c.fixture->GetFriction(), 0.4f);
    NK::Circle& sc = world.createStaticCircle({10, 20}, "c_2", 5, 0.3f);
    expectBody(sc.body, b2_staticBody, 0.1f, 0.2f, 0.3f);
    EXPECT_FLOAT_EQ(sc.fixture->GetShape()->m_radius, 0.05f);
}

TEST_F(PhysicsBodies, CapsuleIsABoxAndTwoEndCircles) {
    NK::Capsule& c = world.createCapsule({500, 400}, {25, 100}, "player");
    expectBody(c.body, b2_dynamicBody, 5.0f, 4.0f, 0.0f);
    EXPECT_TRUE(c.body->IsFixedRotation());
    EXPECT_FLOAT_EQ(polygonHalfExtents(c.boxFixture).x, 0.25f);
    EXPECT_FLOAT_EQ(polygonHalfExtents(c.boxFixture).y, 0.5f);
    auto* up = static_cast<b2CircleShape*>(c.upperCircleFixture->GetShape());
    auto* low = static_cast<b2CircleShape*>(c.lowerCircleFixture->GetShape());
    EXPECT_FLOAT_EQ(up->m_radius, 0.25f);
    EXPECT_FLOAT_EQ(low->m_radius, 0.25f);
    EXPECT_FLOAT_EQ(up->m_p.y, -0.75f);  // y grows downward
    EXPECT_FLOAT_EQ(low->m_p.y, 0.75f);
    for (b2Fixture* f : {c.boxFixture, c.upperCircleFixture, c.lowerCircleFixture}) {
        EXPECT_FLOAT_EQ(f->GetFriction(), 0.2f);
        EXPECT_EQ(f->GetDensity(), 1.0f);
    }
}

// Keys are per kind; remaking one frees the old body (a surface's every
// segment) and logs one line.
TEST_F(PhysicsBodies, SameKeyTwiceKeepsOnlyTheNewBodyAndLogsRemade) {
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
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"INFO: Square with key \"k\" remade",
                                                     "INFO: Circle with key \"k\" remade",
                                                     "INFO: Capsule with key \"k\" remade",
                                                     "INFO: Surface with key \"k\" remade"}));
    EXPECT_EQ(bodyCount(world), 4);
    EXPECT_EQ(world.getSurface("k").segments.size(), 1u);
    EXPECT_FLOAT_EQ(world.getSquare("k").body->GetPosition().x, 3.0f);
}

TEST_F(PhysicsBodies, DestroyingAMissingKeyLogsAndChangesNothing) {
    world.createCircle({0, 0}, false, "c_1", 1, 0.5f, 10, 0);
    nktest::LogCapture log;
    world.destroyCircle("c_nope");
    world.destroySquare("x");
    world.destroyCapsule("y");
    world.destroySurface("7");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "INFO: Circle with key \"c_nope\" not found to destroy",
                               "INFO: Square with key \"x\" not found to destroy",
                               "INFO: Capsule with key \"y\" not found to destroy",
                               "INFO: Surface with key \"7\" not found to destroy"}));
    EXPECT_EQ(bodyCount(world), 1);
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
        EXPECT_EQ(e.heading, std::string(kind) + " with key \"" + key + "\" not found");
        EXPECT_EQ(e.text, key);
    }
}

// Points go on at the back, or at the front before the first segment.
TEST_F(PhysicsBodies, SurfaceOfNPointsHasNMinusOneSegments) {
    world.createSurface({100, 500}, {200, 450}, "0");
    world.addSurfacePoint("0", {300, 450});
    world.insertSurfacePointFront("0", {0, 500});
    world.addSurfacePoint("0", {400, 600});
    NK::Surface& s = world.getSurface("0");
    ASSERT_EQ(s.segments.size(), 4u);  // 5 points
    EXPECT_EQ(bodyCount(world), 4);
    const float xs[] = {0, 100, 200, 300, 400}, ys[] = {500, 500, 450, 450, 600};
    for (std::size_t i = 0; i < 4; ++i) {
        const NK::SurfaceSegment& seg = *s.segments[i];
        EXPECT_EQ(std::vector<float>({seg.x1, seg.y1, seg.x2, seg.y2}),
                  std::vector<float>({xs[i], ys[i], xs[i + 1], ys[i + 1]}));
        EXPECT_EQ(seg.body->GetType(), b2_staticBody);
        ASSERT_EQ(seg.fixture->GetType(), b2Shape::e_edge);
        auto* edge = static_cast<b2EdgeShape*>(seg.fixture->GetShape());
        EXPECT_FLOAT_EQ(edge->m_vertex1.x, xs[i] * 0.01f);
        EXPECT_FLOAT_EQ(edge->m_vertex2.y, ys[i + 1] * 0.01f);
        EXPECT_FALSE(edge->m_oneSided);
    }
    EXPECT_EQ(world.lastSurfaceSegment("0").x1, 300);
}

TEST_F(PhysicsBodies, RemovingPointsNeverGoesBelowOneSegment) {
    world.createSurface({0, 0}, {10, 0}, "1");
    world.addSurfacePoint("1", {20, 0});
    world.addSurfacePoint("1", {30, 0});
    world.removeFirstSurfacePoint("1");
    EXPECT_EQ(world.getSurface("1").segments.front()->x1, 10);
    world.removeLastSurfacePoint("1");
    EXPECT_EQ(world.lastSurfaceSegment("1").x2, 20);
    nktest::LogCapture log;
    world.removeFirstSurfacePoint("1");
    world.removeLastSurfacePoint("1");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(world.getSurface("1").segments.size(), 1u);
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
