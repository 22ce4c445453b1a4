#include "elements/SurfaceBuilder.h"

#include "engine/PhysicsWorld.h"

void buildSurface(NK::PhysicsWorld& world, const std::string& key, const SurfaceRecord& record) {
    if (record.points.size() < 2) return;
    const SurfacePoint& a = record.points[0];
    const SurfacePoint& b = record.points[1];
    world.createSurface(NK::Vec2(a.x, a.y), NK::Vec2(b.x, b.y), key);
    for (std::size_t i = 2; i < record.points.size(); ++i)
        world.addSurfacePoint(key, NK::Vec2(record.points[i].x, record.points[i].y));
}
