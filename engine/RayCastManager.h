#pragma once
#include <box2d/box2d.h>

#include <vector>

#include "engine/PhysicsRecords.h"
#include "engine/PhysicsWorld.h"

namespace NK {

// Collects the hit of one cast at a time and every segment cast since the
// last step (pixels), which drawRays shows as sight lines.
class PhysicsWorld::RayCastManager : public b2RayCastCallback {
public:
    explicit RayCastManager(b2World* world) : world(world) {}
    ~RayCastManager() override = default;

    // Keeps the reported point and returns 0: the cast ends at the first
    // fixture the library reports (not necessarily the nearest).
    float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal,
                        float fraction) override;

    std::vector<Segment> segments;
    b2World* world = nullptr;
    b2Vec2 hitPoint{0.0f, 0.0f};  // metres
};

}  // namespace NK
