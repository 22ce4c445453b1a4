#pragma once
#include <box2d/box2d.h>

#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"
#include "tests/support/Testing.h"

// Shared by the physics tests: none of them needs a display unless it draws.
namespace nkphys {

using Floats = std::vector<float>;

inline int bodyCount(NK::PhysicsWorld& w) {
    return w.world().GetBodyCount();
}

// A body's type, place in metres, angle and whether its rotation is fixed.
inline Floats bodyState(const b2Body* b) {
    return {float(b->GetType()), b->GetPosition().x, b->GetPosition().y, b->GetAngle(),
            float(b->IsFixedRotation())};
}

// A fixture's size in metres (a box's half extents, a circle's radius and
// centre), then its density, friction and restitution.
inline Floats fixtureState(const b2Fixture* f) {
    const b2Shape* s = f->GetShape();
    Floats v;
    if (s->GetType() == b2Shape::e_polygon) {
        const b2Vec2 half =
            static_cast<const b2PolygonShape*>(s)->m_vertices[2];  // SetAsBox's third
        v = {half.x, half.y};
    } else {
        v = {s->m_radius, static_cast<const b2CircleShape*>(s)->m_p.y};
    }
    v.insert(v.end(), {f->GetDensity(), f->GetFriction(), f->GetRestitution()});
    return v;
}

// Every value within a hundred-thousandth of the one wanted.
inline void expectValues(const Floats& got, const Floats& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5f) << "value " << i;
}

inline void steps(NK::PhysicsWorld& w, int n) {
    for (int i = 0; i < n; ++i) w.step(60.0f);
}

// A world with the game's downward gravity and no render context.
struct WorldTest : testing::Test {
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
    std::vector<NK::Segment>& rays() { return world.rayCasts().segments; }
};

}  // namespace nkphys
