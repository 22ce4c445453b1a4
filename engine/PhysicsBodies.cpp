#include <cstdlib>

#include "engine/Log.h"
#include "engine/PhysicsWorld.h"

namespace NK {
namespace {

b2BodyDef blockBodyDef(b2BodyType type, Vec2 centre, float angle, bool fixedRotation) {
    b2BodyDef def;
    def.type = type;
    def.position.Set(centre.x * kMetresPerPixel, centre.y * kMetresPerPixel);
    def.angle = angle;
    def.linearVelocity.SetZero();
    def.angularVelocity = 0.0f;
    def.linearDamping = 0.0f;
    def.angularDamping = 0.0f;
    def.allowSleep = true;
    def.awake = true;
    def.enabled = true;
    def.gravityScale = 1.0f;
    def.fixedRotation = fixedRotation;
    def.bullet = false;
    def.userData.pointer = 0;
    return def;
}

b2FixtureDef solidFixtureDef(const b2Shape* shape, float density, float friction) {
    b2FixtureDef fd;
    fd.shape = shape;
    fd.density = density;
    fd.friction = friction;
    fd.restitution = 0.0f;
    fd.isSensor = false;
    fd.filter.categoryBits = 0x0001;
    fd.filter.maskBits = 0xFFFF;
    fd.filter.groupIndex = 0;
    return fd;
}

}  // namespace

// ---- Squares ----

Square& PhysicsWorld::createSquare(Vec2 centre, Vec2 halfSize, bool fixedRotation, float angle,
                                   const std::string& key, float density, float friction) {
    squares.clearForRemake(key);
    auto sq = std::make_unique<Square>();
    sq->halfWidth = halfSize.x * kMetresPerPixel;
    sq->halfHeight = halfSize.y * kMetresPerPixel;
    sq->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_dynamicBody, centre, angle, fixedRotation);
    sq->body = b2world->CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(sq->halfWidth, sq->halfHeight);
    b2FixtureDef fd = solidFixtureDef(&box, density, friction);
    sq->fixture = sq->body->CreateFixture(&fd);
    return *squares.insert(key, std::move(sq));
}

Square& PhysicsWorld::createStaticSquare(Vec2 centre, Vec2 halfSize, float angle,
                                         const std::string& key) {
    squares.clearForRemake(key);
    auto sq = std::make_unique<Square>();
    sq->halfWidth = halfSize.x * kMetresPerPixel;
    sq->halfHeight = halfSize.y * kMetresPerPixel;
    sq->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_staticBody, centre, angle, false);
    sq->body = b2world->CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(sq->halfWidth, sq->halfHeight);
    sq->fixture = sq->body->CreateFixture(&box, 0.0f);
    return *squares.insert(key, std::move(sq));
}

Square& PhysicsWorld::getSquare(const std::string& key) {
    return lookUp(squares, "Square", key);
}

void PhysicsWorld::drawSquare(const std::string& key, const BitmapEntry& bitmap) {
    const Square& sq = getSquare(key);
    drawBitmapOnBody(*sq.renderContext, sq.body, 2.0f * sq.halfWidth * kPixelsPerMetre,
                     2.0f * sq.halfHeight * kPixelsPerMetre, bitmap);
}

void PhysicsWorld::destroySquare(const std::string& key) {
    squares.destroy(key);
}

void PhysicsWorld::clearSquares() {
    squares.clear();
}

// ---- Circles ----

Circle& PhysicsWorld::createCircle(Vec2 centre, bool fixedRotation, const std::string& key,
                                   float density, float friction, float radius, float angle) {
    circles.clearForRemake(key);
    auto c = std::make_unique<Circle>();
    c->radius = radius * kMetresPerPixel;
    c->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_dynamicBody, centre, angle, fixedRotation);
    c->body = b2world->CreateBody(&def);
    b2CircleShape shape;
    shape.m_radius = c->radius;
    b2FixtureDef fd = solidFixtureDef(&shape, density, friction);
    c->fixture = c->body->CreateFixture(&fd);
    return *circles.insert(key, std::move(c));
}

Circle& PhysicsWorld::createStaticCircle(Vec2 centre, const std::string& key, float radius,
                                         float angle) {
    circles.clearForRemake(key);
    auto c = std::make_unique<Circle>();
    c->radius = radius * kMetresPerPixel;
    c->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_staticBody, centre, angle, false);
    c->body = b2world->CreateBody(&def);
    b2CircleShape shape;
    shape.m_radius = c->radius;
    c->fixture = c->body->CreateFixture(&shape, 0.0f);
    return *circles.insert(key, std::move(c));
}

Circle& PhysicsWorld::getCircle(const std::string& key) {
    return lookUp(circles, "Circle", key);
}

void PhysicsWorld::destroyCircle(const std::string& key) {
    circles.destroy(key);
}

void PhysicsWorld::clearCircles() {
    circles.clear();
}

// ---- Capsules ----

Capsule& PhysicsWorld::createCapsule(Vec2 centre, Vec2 size, const std::string& key) {
    capsules.clearForRemake(key);
    auto c = std::make_unique<Capsule>();
    c->radius = size.x * kMetresPerPixel;
    c->halfHeight = size.y * kMetresPerPixel;
    c->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_dynamicBody, centre, 0.0f, true);
    c->body = b2world->CreateBody(&def);

    b2PolygonShape box;
    box.SetAsBox(c->radius, c->halfHeight * 0.5f);
    b2FixtureDef fd = solidFixtureDef(&box, 1.0f, 0.2f);
    c->boxFixture = c->body->CreateFixture(&fd);

    b2CircleShape upper;  // y grows downward: the upper end has negative y
    upper.m_radius = c->radius;
    upper.m_p.Set(0.0f, c->radius - c->halfHeight);
    fd.shape = &upper;
    c->upperCircleFixture = c->body->CreateFixture(&fd);

    b2CircleShape lower;
    lower.m_radius = c->radius;
    lower.m_p.Set(0.0f, c->halfHeight - c->radius);
    fd.shape = &lower;
    c->lowerCircleFixture = c->body->CreateFixture(&fd);
    return *capsules.insert(key, std::move(c));
}

Capsule& PhysicsWorld::getCapsule(const std::string& key) {
    return lookUp(capsules, "Capsule", key);
}

void PhysicsWorld::destroyCapsule(const std::string& key) {
    capsules.destroy(key);
}

void PhysicsWorld::clearCapsules() {
    capsules.clear();
}

}  // namespace NK
