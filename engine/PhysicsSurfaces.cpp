#include <cstdlib>

#include "engine/Log.h"
#include "engine/PhysicsWorld.h"

namespace NK {

std::unique_ptr<SurfaceSegment> PhysicsWorld::makeSegment(float x1, float y1, float x2, float y2) {
    auto seg = std::make_unique<SurfaceSegment>();
    seg->x1 = x1;
    seg->y1 = y1;
    seg->x2 = x2;
    seg->y2 = y2;

    b2BodyDef def;  // static, at the origin, angle 0, gravity scale 1, enabled
    def.type = b2_staticBody;
    def.position.Set(0.0f, 0.0f);
    def.userData.pointer = 0;
    seg->body = b2world->CreateBody(&def);

    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(x1 * kMetresPerPixel, y1 * kMetresPerPixel),
                     b2Vec2(x2 * kMetresPerPixel, y2 * kMetresPerPixel));
    seg->fixture = seg->body->CreateFixture(&edge, 0.0f);
    return seg;
}

void PhysicsWorld::createSurface(Vec2 first, Vec2 second, const std::string& key) {
    surfaces.clearForRemake(key);
    auto surface = std::make_unique<Surface>();
    surface->renderContext = renderContext;
    surface->segments.push_back(makeSegment(first.x, first.y, second.x, second.y));
    surfaces.insert(key, std::move(surface));
}

void PhysicsWorld::addSurfacePoint(const std::string& key, Vec2 point) {
    Surface& s = getSurface(key);
    const SurfaceSegment& last = *s.segments.back();
    s.segments.push_back(makeSegment(last.x2, last.y2, point.x, point.y));
}

void PhysicsWorld::insertSurfacePointFront(const std::string& key, Vec2 point) {
    Surface& s = getSurface(key);
    const SurfaceSegment& first = *s.segments.front();
    s.segments.insert(s.segments.begin(), makeSegment(point.x, point.y, first.x1, first.y1));
}

Segment PhysicsWorld::lastSurfaceSegment(const std::string& key) {
    const SurfaceSegment& last = *getSurface(key).segments.back();
    return {last.x1, last.y1, last.x2, last.y2};
}

void PhysicsWorld::removeLastSurfacePoint(const std::string& key) {
    Surface& s = getSurface(key);
    if (s.segments.size() < 2) return;
    s.segments.pop_back();
}

void PhysicsWorld::removeFirstSurfacePoint(const std::string& key) {
    Surface& s = getSurface(key);
    if (s.segments.size() < 2) return;
    s.segments.erase(s.segments.begin());
}

Surface& PhysicsWorld::getSurface(const std::string& key) {
    return lookUp(surfaces, "Surface", key);
}

void PhysicsWorld::destroySurface(const std::string& key) {
    surfaces.destroy(key);
}

void PhysicsWorld::clearSurfaces() {
    surfaces.clear();
}

}  // namespace NK
