#include "engine/PhysicsWorld.h"

#include <cmath>

#include "engine/Culling.h"
#include "engine/Log.h"
#include "engine/RayCastManager.h"

namespace NK {

PhysicsWorld::PhysicsWorld(Vec2 gravity, RenderContext* rc)
    : b2world(std::make_unique<b2World>(b2Vec2(gravity.x, gravity.y))),
      renderContext(rc),
      rayCastManager(std::make_unique<RayCastManager>(b2world.get())) {}

PhysicsWorld::~PhysicsWorld() {
    // Records first (they hold only pointers into the world), then the world,
    // which frees every body still in it.
    shotList.clear();
    capsules.clear();
    circles.clear();
    squares.clear();
    surfaces.clear();
    rayCastManager.reset();
    b2world.reset();
}

void PhysicsWorld::step(float ticksPerSecond) {
    b2world->Step(1.0f / ticksPerSecond, 6, 2);

    // Shots, each exactly once, in list order; the survivors keep their order.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < shotList.size(); ++i) {
        Shot& shot = *shotList[i];
        if (!shot.dead && shot.life > 0) {
            --shot.life;
            if (kept != i) shotList[kept] = std::move(shotList[i]);
            ++kept;
        } else {
            shot.body->DestroyFixture(shot.fixture);
            b2world->DestroyBody(shot.body);
            shotList[i].reset();
        }
    }
    shotList.resize(kept);

    if (!(cullRect.x == 0.0f && cullRect.y == 0.0f && cullRect.width == 0.0f &&
          cullRect.height == 0.0f))
        cull();

    rayCastManager->segments.clear();
}

namespace {

// A body is kept while its axis-aligned box (rotation ignored) overlaps or
// touches the cull rectangle; the test is the view-culling one.
bool outside(const b2Body* body, float halfW, float halfH, const Rect& cullRect) {
    const b2Vec2& p = body->GetPosition();
    return outsideView(p.x * kPixelsPerMetre, p.y * kPixelsPerMetre, halfW * kPixelsPerMetre,
                       halfH * kPixelsPerMetre, cullRect);
}

}  // namespace

void PhysicsWorld::cull() {
    if (squareCountdown > 0) {
        squareCountdown -= 1.0f;
    } else {
        squareCountdown = 3600.0f;
        squares.eraseIf([this](const std::unique_ptr<Square>& s) {
            return outside(s->body, s->halfWidth, s->halfHeight, cullRect);
        });
    }
    if (circleCountdown > 0) {
        circleCountdown -= 1.0f;
    } else {
        circleCountdown = 3600.0f;
        circles.eraseIf([this](const std::unique_ptr<Circle>& c) {
            return outside(c->body, c->radius, c->radius, cullRect);
        });
    }
    if (capsuleCountdown > 0) {
        capsuleCountdown -= 1.0f;
    } else {
        capsuleCountdown = 3600.0f;
        capsules.eraseIf([this](const std::unique_ptr<Capsule>& c) {
            return outside(c->body, c->radius, c->halfHeight, cullRect);
        });
    }
}

// ---- Shots ----

b2Body* PhysicsWorld::createShot(Vec2 position, Vec2 direction) {
    auto shot = std::make_unique<Shot>();
    shot->radius = 0.05f;
    shot->life = 300;
    shot->dead = false;
    shot->renderContext = renderContext;

    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(position.x * kMetresPerPixel, position.y * kMetresPerPixel);
    def.angle = 0.0f;
    def.linearVelocity.Set(direction.x * 25.0f, direction.y * 25.0f);
    def.angularVelocity = 0.0f;
    def.linearDamping = 0.0f;
    def.angularDamping = 0.0f;
    def.allowSleep = true;
    def.awake = true;
    def.fixedRotation = true;
    def.bullet = true;
    def.enabled = true;
    def.userData.pointer = 0;
    def.gravityScale = 0.0f;
    shot->body = b2world->CreateBody(&def);

    b2CircleShape circle;
    circle.m_radius = shot->radius;
    b2FixtureDef fd;
    fd.shape = &circle;
    fd.friction = 0.0f;
    fd.restitution = 0.99f;
    fd.density = 30.0f;
    fd.isSensor = false;
    fd.filter.categoryBits = 0x0001;
    fd.filter.maskBits = 0xFFFF;
    fd.filter.groupIndex = -1;
    shot->fixture = shot->body->CreateFixture(&fd);

    b2Body* body = shot->body;
    shotList.push_back(std::move(shot));
    return body;
}

void PhysicsWorld::clearShots() {
    for (auto& shot : shotList) {
        shot->body->DestroyFixture(shot->fixture);
        b2world->DestroyBody(shot->body);
    }
    shotList.clear();
}

void PhysicsWorld::renew() {
    clearShots();
    clearSquares();
    clearCircles();
    clearCapsules();
    clearSurfaces();
    const b2Vec2 gravity = b2world->GetGravity();
    rayCastManager.reset();
    b2world = std::make_unique<b2World>(gravity);
    rayCastManager = std::make_unique<RayCastManager>(b2world.get());
}

// ---- Ray casts ----

bool PhysicsWorld::isLineClear(Vec2 from, Vec2 to, float maxDistance) {
    float dx = to.x - from.x, dy = to.y - from.y;
    if (std::sqrt(dx * dx + dy * dy) > maxDistance) return false;

    const b2Vec2 target(to.x * kMetresPerPixel, to.y * kMetresPerPixel);
    const b2Vec2 origin(from.x * kMetresPerPixel, from.y * kMetresPerPixel);
    RayCastManager& rays = *rayCastManager;
    rays.hitPoint = target;
    // A ray of no length crosses nothing (and Box2D asserts on one).
    if (!(origin.x == target.x && origin.y == target.y)) b2world->RayCast(&rays, origin, target);

    const bool clear = rays.hitPoint.x == target.x && rays.hitPoint.y == target.y;
    // An unobstructed ray ends exactly at `to`, not at to x 0.01 x 100.
    if (clear)
        rays.segments.push_back({from.x, from.y, to.x, to.y});
    else
        rays.segments.push_back(
            {from.x, from.y, rays.hitPoint.x * kPixelsPerMetre, rays.hitPoint.y * kPixelsPerMetre});
    return clear;
}

}  // namespace NK
