#include <gtest/gtest.h>

#include <typeinfo>

#include "engine/BitmapEntry.h"
#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"
#include "tests/engine/physics/PhysicsTestWorld.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

using nkphys::bodyCount;
using nkphys::fixtureCount;

namespace {

struct PhysicsBodies : testing::Test {
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
};

b2Vec2 polygonHalfExtents(const b2Fixture* f) {
    auto* poly = static_cast<const b2PolygonShape*>(f->GetShape());
    float mx = 0, my = 0;
    for (int i = 0; i < poly->m_count; ++i) {
        mx = std::max(mx, std::abs(poly->m_vertices[i].x));
        my = std::max(my, std::abs(poly->m_vertices[i].y));
    }
    return {mx, my};
}

}  // namespace

TEST_F(PhysicsBodies, ConstructionState) {
    EXPECT_EQ(world.world().GetGravity(), b2Vec2(0.0f, 10.0f));
    EXPECT_EQ(world.cullRect, NK::Rect());
    EXPECT_EQ(world.squareCullCountdown(), 3600.0f);
    EXPECT_EQ(world.circleCullCountdown(), 4800.0f);
    EXPECT_EQ(world.capsuleCullCountdown(), 6000.0f);
    EXPECT_EQ(bodyCount(world), 0);
    EXPECT_TRUE(world.shots().empty());
    EXPECT_TRUE(world.rayCasts().segments.empty());
    // No contact listener or filter of its own.
    b2ContactManager& cm = const_cast<b2ContactManager&>(world.world().GetContactManager());
    // (Box2D's defaults are plain base-class objects.)
    EXPECT_TRUE(typeid(*cm.m_contactListener) == typeid(b2ContactListener));
    EXPECT_TRUE(typeid(*cm.m_contactFilter) == typeid(b2ContactFilter));
}

TEST_F(PhysicsBodies, DynamicSquareIsMadeInMetres) {
    NK::Square& sq = world.createSquare({150, 250}, {50, 20}, true, 0.5f, "b_1", 2.0f, 0.7f);
    b2Body* b = sq.body;
    EXPECT_EQ(b->GetType(), b2_dynamicBody);
    EXPECT_FLOAT_EQ(b->GetPosition().x, 1.5f);
    EXPECT_FLOAT_EQ(b->GetPosition().y, 2.5f);
    EXPECT_FLOAT_EQ(b->GetAngle(), 0.5f);
    EXPECT_TRUE(b->IsFixedRotation());
    EXPECT_TRUE(b->IsAwake());
    EXPECT_TRUE(b->IsSleepingAllowed());
    EXPECT_FALSE(b->IsBullet());
    EXPECT_EQ(b->GetGravityScale(), 1.0f);
    EXPECT_EQ(b->GetLinearVelocity(), b2Vec2(0, 0));
    EXPECT_EQ(NK::bodyTag(b), 0);
    EXPECT_FLOAT_EQ(sq.halfWidth, 0.5f);
    EXPECT_FLOAT_EQ(sq.halfHeight, 0.2f);
    ASSERT_EQ(fixtureCount(b), 1);
    b2Fixture* f = sq.fixture;
    EXPECT_EQ(f, b->GetFixtureList());
    EXPECT_EQ(f->GetType(), b2Shape::e_polygon);
    EXPECT_FLOAT_EQ(polygonHalfExtents(f).x, 0.5f);
    EXPECT_FLOAT_EQ(polygonHalfExtents(f).y, 0.2f);
    EXPECT_EQ(f->GetDensity(), 2.0f);
    EXPECT_EQ(f->GetFriction(), 0.7f);
    EXPECT_EQ(f->GetRestitution(), 0.0f);
    EXPECT_FALSE(f->IsSensor());
    EXPECT_EQ(f->GetFilterData().categoryBits, 0x0001);
    EXPECT_EQ(f->GetFilterData().maskBits, 0xFFFF);
    EXPECT_EQ(f->GetFilterData().groupIndex, 0);
    EXPECT_TRUE(world.hasSquare("b_1"));
    EXPECT_EQ(&world.getSquare("b_1"), &sq);
}

TEST_F(PhysicsBodies, StaticSquareHasLibraryDefaults) {
    NK::Square& sq = world.createStaticSquare({100, 100}, {10, 10}, 0.25f, "b_s");
    EXPECT_EQ(sq.body->GetType(), b2_staticBody);
    EXPECT_FALSE(sq.body->IsFixedRotation());
    EXPECT_FLOAT_EQ(sq.body->GetAngle(), 0.25f);
    EXPECT_EQ(sq.fixture->GetDensity(), 0.0f);
    EXPECT_FLOAT_EQ(sq.fixture->GetFriction(), 0.2f);
    EXPECT_EQ(sq.fixture->GetRestitution(), 0.0f);
}

TEST_F(PhysicsBodies, SameKeyTwiceLeavesTheSecondSquareAndLogsOnce) {
    nktest::LogCapture log;
    world.createSquare({100, 100}, {10, 10}, false, 0, "b_a", 1, 0.5f);
    world.createStaticSquare({300, 400}, {10, 10}, 0, "b_a");
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "INFO: Square with key \"b_a\" remade");
    EXPECT_EQ(world.squareCount(), 1u);
    EXPECT_EQ(bodyCount(world), 1);
    EXPECT_EQ(world.getSquare("b_a").body->GetType(), b2_staticBody);
    EXPECT_FLOAT_EQ(world.getSquare("b_a").body->GetPosition().x, 3.0f);
}

TEST_F(PhysicsBodies, CirclesDynamicAndStatic) {
    NK::Circle& c = world.createCircle({200, 300}, true, "c_1", 3.0f, 0.4f, 40, 1.0f);
    EXPECT_EQ(c.body->GetType(), b2_dynamicBody);
    EXPECT_TRUE(c.body->IsFixedRotation());
    EXPECT_FLOAT_EQ(c.body->GetAngle(), 1.0f);
    EXPECT_FLOAT_EQ(c.radius, 0.4f);
    auto* shape = static_cast<b2CircleShape*>(c.fixture->GetShape());
    EXPECT_FLOAT_EQ(shape->m_radius, 0.4f);
    EXPECT_EQ(shape->m_p, b2Vec2(0, 0));
    EXPECT_EQ(c.fixture->GetDensity(), 3.0f);
    EXPECT_EQ(c.fixture->GetFriction(), 0.4f);
    EXPECT_EQ(c.fixture->GetRestitution(), 0.0f);

    NK::Circle& s = world.createStaticCircle({10, 20}, "c_2", 5, 0.3f);
    EXPECT_EQ(s.body->GetType(), b2_staticBody);
    EXPECT_FLOAT_EQ(s.body->GetAngle(), 0.3f);
    EXPECT_EQ(s.fixture->GetDensity(), 0.0f);
    EXPECT_EQ(&world.getCircle("c_2"), &s);

    nktest::LogCapture log;
    world.createStaticCircle({10, 20}, "c_2", 5, 0.3f);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Circle with key \"c_2\" remade"});
    EXPECT_EQ(world.circleCount(), 2u);
    EXPECT_EQ(bodyCount(world), 2);
}

TEST_F(PhysicsBodies, DestroyMissingCircleLogsAndChangesNothing) {
    world.createCircle({0, 0}, false, "c_1", 1, 0.5f, 10, 0);
    world.createSquare({0, 0}, {5, 5}, false, 0, "b_1", 1, 0.5f);
    nktest::LogCapture log;
    world.destroyCircle("c_nope");
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"INFO: Circle with key \"c_nope\" not found to destroy"});
    EXPECT_EQ(world.circleCount(), 1u);
    EXPECT_EQ(world.squareCount(), 1u);
    EXPECT_EQ(bodyCount(world), 2);
}

TEST_F(PhysicsBodies, NotFoundToDestroyLinesOfEveryKind) {
    nktest::LogCapture log;
    world.destroySquare("x");
    world.destroyCapsule("y");
    world.destroySurface("7");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "INFO: Square with key \"x\" not found to destroy",
                               "INFO: Capsule with key \"y\" not found to destroy",
                               "INFO: Surface with key \"7\" not found to destroy"}));
}

TEST_F(PhysicsBodies, CapsuleIsABoxAndTwoCircles) {
    NK::Capsule& c = world.createCapsule({500, 400}, {25, 100}, "player");
    b2Body* b = c.body;
    EXPECT_EQ(b->GetType(), b2_dynamicBody);
    EXPECT_TRUE(b->IsFixedRotation());
    EXPECT_FALSE(b->IsBullet());
    EXPECT_EQ(b->GetAngle(), 0.0f);
    EXPECT_FLOAT_EQ(b->GetPosition().x, 5.0f);
    EXPECT_FLOAT_EQ(b->GetPosition().y, 4.0f);
    EXPECT_FLOAT_EQ(c.radius, 0.25f);
    EXPECT_FLOAT_EQ(c.halfHeight, 1.0f);
    ASSERT_EQ(fixtureCount(b), 3);
    // Box2D lists fixtures newest first: lower, upper, box.
    EXPECT_EQ(b->GetFixtureList(), c.lowerCircleFixture);
    EXPECT_EQ(c.lowerCircleFixture->GetNext(), c.upperCircleFixture);
    EXPECT_EQ(c.upperCircleFixture->GetNext(), c.boxFixture);
    EXPECT_FLOAT_EQ(polygonHalfExtents(c.boxFixture).x, 0.25f);
    EXPECT_FLOAT_EQ(polygonHalfExtents(c.boxFixture).y, 0.5f);
    auto* up = static_cast<b2CircleShape*>(c.upperCircleFixture->GetShape());
    auto* low = static_cast<b2CircleShape*>(c.lowerCircleFixture->GetShape());
    EXPECT_FLOAT_EQ(up->m_radius, 0.25f);
    EXPECT_FLOAT_EQ(up->m_p.y, -0.75f);
    EXPECT_FLOAT_EQ(low->m_p.y, 0.75f);
    EXPECT_EQ(up->m_p.x, 0.0f);
    for (b2Fixture* f : {c.boxFixture, c.upperCircleFixture, c.lowerCircleFixture}) {
        EXPECT_FLOAT_EQ(f->GetFriction(), 0.2f);
        EXPECT_EQ(f->GetDensity(), 1.0f);
        EXPECT_EQ(f->GetRestitution(), 0.0f);
        EXPECT_EQ(f->GetFilterData().groupIndex, 0);
    }
    nktest::LogCapture log;
    world.createCapsule({0, 0}, {25, 100}, "player");
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Capsule with key \"player\" remade"});
    EXPECT_EQ(bodyCount(world), 1);
    world.destroyCapsule("player");
    EXPECT_FALSE(world.hasCapsule("player"));
    EXPECT_EQ(bodyCount(world), 0);
}

TEST_F(PhysicsBodies, MissingLookupsAreFatalWithHeadingAndBareKey) {
    NK::BitmapEntry none;
    auto e = nktest::catchFatal([&] { world.getSurface("3"); });
    EXPECT_EQ(e.heading, "Surface with key \"3\" not found");
    EXPECT_EQ(e.text, "3");
    e = nktest::catchFatal([&] { world.drawSquare("b_q", none); });
    EXPECT_EQ(e.heading, "Square with key \"b_q\" not found");
    EXPECT_EQ(e.text, "b_q");
    e = nktest::catchFatal([&] { world.getSquare("b_q"); });
    EXPECT_EQ(e.heading, "Square with key \"b_q\" not found");
    e = nktest::catchFatal([&] { world.getCircle("c_q"); });
    EXPECT_EQ(e.heading, "Circle with key \"c_q\" not found");
    EXPECT_EQ(e.text, "c_q");
    e = nktest::catchFatal([&] { world.getCapsule("player"); });
    EXPECT_EQ(e.heading, "Capsule with key \"player\" not found");
    EXPECT_EQ(e.text, "player");
}

TEST_F(PhysicsBodies, SurfaceOfNPointsHasNMinusOneSegments) {
    world.createSurface({0, 500}, {100, 500}, "0");
    world.addSurfacePoint("0", {200, 450});
    world.addSurfacePoint("0", {300, 450});
    world.addSurfacePoint("0", {400, 600});
    NK::Surface& s = world.getSurface("0");
    ASSERT_EQ(s.segments.size(), 4u);  // 5 points
    EXPECT_EQ(bodyCount(world), 4);
    float xs[] = {0, 100, 200, 300, 400}, ys[] = {500, 500, 450, 450, 600};
    for (std::size_t i = 0; i < 4; ++i) {
        const NK::SurfaceSegment& seg = *s.segments[i];
        EXPECT_EQ(seg.x1, xs[i]);
        EXPECT_EQ(seg.y1, ys[i]);
        EXPECT_EQ(seg.x2, xs[i + 1]);
        EXPECT_EQ(seg.y2, ys[i + 1]);
        EXPECT_EQ(seg.body->GetType(), b2_staticBody);
        EXPECT_EQ(seg.body->GetPosition(), b2Vec2(0, 0));
        EXPECT_EQ(fixtureCount(seg.body), 1);
        auto* edge = static_cast<b2EdgeShape*>(seg.fixture->GetShape());
        ASSERT_EQ(seg.fixture->GetType(), b2Shape::e_edge);
        EXPECT_FLOAT_EQ(edge->m_vertex1.x, xs[i] * 0.01f);
        EXPECT_FLOAT_EQ(edge->m_vertex2.y, ys[i + 1] * 0.01f);
        EXPECT_FALSE(edge->m_oneSided);
        EXPECT_FLOAT_EQ(seg.fixture->GetFriction(), 0.2f);
        EXPECT_EQ(seg.fixture->GetDensity(), 0.0f);
    }
    NK::Segment last = world.lastSurfaceSegment("0");
    EXPECT_EQ(last.x1, 300);
    EXPECT_EQ(last.y1, 450);
    EXPECT_EQ(last.x2, 400);
    EXPECT_EQ(last.y2, 600);
}

TEST_F(PhysicsBodies, RemovingPointsNeverGoesBelowOneSegment) {
    world.createSurface({0, 0}, {10, 0}, "1");
    world.addSurfacePoint("1", {20, 0});
    world.addSurfacePoint("1", {30, 0});
    world.removeFirstSurfacePoint("1");
    EXPECT_EQ(world.getSurface("1").segments.front()->x1, 10);
    world.removeLastSurfacePoint("1");
    EXPECT_EQ(world.lastSurfaceSegment("1").x2, 20);
    ASSERT_EQ(world.getSurface("1").segments.size(), 1u);
    EXPECT_EQ(bodyCount(world), 1);
    nktest::LogCapture log;
    world.removeFirstSurfacePoint("1");
    world.removeLastSurfacePoint("1");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(world.getSurface("1").segments.size(), 1u);
    EXPECT_EQ(bodyCount(world), 1);
}

TEST_F(PhysicsBodies, InsertPointFrontPrependsASegment) {
    world.createSurface({100, 0}, {200, 0}, "0");
    world.insertSurfacePointFront("0", {50, 10});
    auto& segs = world.getSurface("0").segments;
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0]->x1, 50);
    EXPECT_EQ(segs[0]->y1, 10);
    EXPECT_EQ(segs[0]->x2, 100);
    EXPECT_EQ(segs[1]->x1, 100);
}

TEST_F(PhysicsBodies, SurfaceRemadeDestroyAndClear) {
    world.createSurface({0, 0}, {10, 0}, "0");
    world.addSurfacePoint("0", {20, 0});
    {
        nktest::LogCapture log;
        world.createSurface({5, 5}, {6, 6}, "0");
        EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Surface with key \"0\" remade"});
    }
    EXPECT_EQ(world.getSurface("0").segments.size(), 1u);
    EXPECT_EQ(bodyCount(world), 1);
    world.createSurface({0, 0}, {10, 0}, "1");
    world.destroySurface("0");
    EXPECT_FALSE(world.hasSurface("0"));
    EXPECT_TRUE(world.hasSurface("1"));
    EXPECT_EQ(bodyCount(world), 1);
    world.createSurface({0, 0}, {10, 0}, "2");
    world.clearSurfaces();
    EXPECT_EQ(world.surfaceCount(), 0u);
    EXPECT_EQ(bodyCount(world), 0);
}

TEST_F(PhysicsBodies, ClearsEmptyTheirStoresAndTheWorld) {
    world.createSquare({0, 0}, {5, 5}, false, 0, "b_1", 1, 0.5f);
    world.createStaticSquare({0, 0}, {5, 5}, 0, "b_2");
    world.createCircle({0, 0}, false, "c_1", 1, 0.5f, 5, 0);
    world.createCapsule({0, 0}, {5, 20}, "player");
    world.createShot({0, 0}, {1, 0});
    world.createSurface({0, 0}, {1, 1}, "0");
    EXPECT_EQ(bodyCount(world), 6);
    world.clearSquares();
    world.clearCircles();
    world.clearShots();
    EXPECT_EQ(bodyCount(world), 2);
    EXPECT_EQ(world.squareCount() + world.circleCount() + world.shots().size(), 0u);
    world.clearCapsules();
    world.clearSurfaces();
    EXPECT_EQ(bodyCount(world), 0);
}

TEST_F(PhysicsBodies, TagsAreIntegersInUserData) {
    b2Body* shot = world.createShot({0, 0}, {0, 0});
    EXPECT_EQ(shot->GetUserData().pointer, 0u);
    NK::setBodyTag(shot, NK::kTagCameraShot);
    EXPECT_EQ(shot->GetUserData().pointer, 3u);
    EXPECT_EQ(NK::bodyTag(shot), 3);
}
