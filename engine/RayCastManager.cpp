#include "engine/RayCastManager.h"

namespace NK {

float PhysicsWorld::RayCastManager::ReportFixture(b2Fixture*, const b2Vec2& point, const b2Vec2&,
                                                  float) {
    hitPoint = point;
    return 0.0f;
}

}  // namespace NK
