#pragma once
#include <box2d/box2d.h>

#include "engine/PhysicsWorld.h"

// Helpers for the physics tests: none of them needs a display unless it draws.
namespace nkphys {

inline int bodyCount(NK::PhysicsWorld& w) {
    return w.world().GetBodyCount();
}

inline int fixtureCount(const b2Body* body) {
    int n = 0;
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) ++n;
    return n;
}

}  // namespace nkphys
