#pragma once
#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"

// Shared by the physics tests: none of them needs a display unless it draws.
namespace nkphys {

inline int bodyCount(NK::PhysicsWorld& w) { return w.world().GetBodyCount(); }

// A body's type, place in metres and angle.
inline void expectBody(const b2Body* b, b2BodyType type, float x, float y, float angle) {
    EXPECT_EQ(b->GetType(), type);
    EXPECT_FLOAT_EQ(b->GetPosition().x, x);
    EXPECT_FLOAT_EQ(b->GetPosition().y, y);
    EXPECT_FLOAT_EQ(b->GetAngle(), angle);
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
