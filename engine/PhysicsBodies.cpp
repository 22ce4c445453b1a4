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

[[noreturn]] void missing(const char* kind, const std::string& key) {
    fatalErrorWithHeading(key, std::string(kind) + " with key \"" + key + "\" not found");
    std::abort();  // not reached: a fatal error never returns
}

}  // namespace

// ---- Squares ----

Square& PhysicsWorld::createSquare(Vec2 centre, Vec2 halfSize, bool fixedRotation, float angle,
                                   const std::string& key, float density, float friction) {
    if (squares.count(key)) {
        logInfo("Square with key \"" + key + "\" remade");
        destroySquare(key);
    }
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
    return *(squares[key] = std::move(sq));
}

Square& PhysicsWorld::createStaticSquare(Vec2 centre, Vec2 halfSize, float angle,
                                         const std::string& key) {
    if (squares.count(key)) {
        logInfo("Square with key \"" + key + "\" remade");
        destroySquare(key);
    }
    auto sq = std::make_unique<Square>();
    sq->halfWidth = halfSize.x * kMetresPerPixel;
    sq->halfHeight = halfSize.y * kMetresPerPixel;
    sq->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_staticBody, centre, angle, false);
    sq->body = b2world->CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(sq->halfWidth, sq->halfHeight);
    sq->fixture = sq->body->CreateFixture(&box, 0.0f);
    return *(squares[key] = std::move(sq));
}

Square& PhysicsWorld::getSquare(const std::string& key) {
    auto it = squares.find(key);
    if (it == squares.end()) missing("Square", key);
    return *it->second;
}

void PhysicsWorld::drawSquare(const std::string& key, const BitmapEntry& bitmap) {
    const Square& sq = getSquare(key);
    drawBitmapOnBody(*sq.renderContext, sq.body, 2.0f * sq.halfWidth * kPixelsPerMetre,
                     2.0f * sq.halfHeight * kPixelsPerMetre, bitmap);
}

void PhysicsWorld::destroySquare(const std::string& key) {
    auto it = squares.find(key);
    if (it == squares.end()) {
        logInfo("Square with key \"" + key + "\" not found to destroy");
        return;
    }
    Square& sq = *it->second;
    sq.body->DestroyFixture(sq.fixture);
    b2world->DestroyBody(sq.body);
    squares.erase(it);
}

void PhysicsWorld::clearSquares() {
    for (auto& entry : squares) {
        entry.second->body->DestroyFixture(entry.second->fixture);
        b2world->DestroyBody(entry.second->body);
    }
    squares.clear();
}

// ---- Circles ----

Circle& PhysicsWorld::createCircle(Vec2 centre, bool fixedRotation, const std::string& key,
                                   float density, float friction, float radius, float angle) {
    if (circles.count(key)) {
        logInfo("Circle with key \"" + key + "\" remade");
        destroyCircle(key);
    }
    auto c = std::make_unique<Circle>();
    c->radius = radius * kMetresPerPixel;
    c->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_dynamicBody, centre, angle, fixedRotation);
    c->body = b2world->CreateBody(&def);
    b2CircleShape shape;
    shape.m_radius = c->radius;
    b2FixtureDef fd = solidFixtureDef(&shape, density, friction);
    c->fixture = c->body->CreateFixture(&fd);
    return *(circles[key] = std::move(c));
}

Circle& PhysicsWorld::createStaticCircle(Vec2 centre, const std::string& key, float radius,
                                         float angle) {
    if (circles.count(key)) {
        logInfo("Circle with key \"" + key + "\" remade");
        destroyCircle(key);
    }
    auto c = std::make_unique<Circle>();
    c->radius = radius * kMetresPerPixel;
    c->renderContext = renderContext;
    b2BodyDef def = blockBodyDef(b2_staticBody, centre, angle, false);
    c->body = b2world->CreateBody(&def);
    b2CircleShape shape;
    shape.m_radius = c->radius;
    c->fixture = c->body->CreateFixture(&shape, 0.0f);
    return *(circles[key] = std::move(c));
}

Circle& PhysicsWorld::getCircle(const std::string& key) {
    auto it = circles.find(key);
    if (it == circles.end()) missing("Circle", key);
    return *it->second;
}

void PhysicsWorld::destroyCircle(const std::string& key) {
    auto it = circles.find(key);
    if (it == circles.end()) {
        logInfo("Circle with key \"" + key + "\" not found to destroy");
        return;
    }
    Circle& c = *it->second;
    c.body->DestroyFixture(c.fixture);
    b2world->DestroyBody(c.body);
    circles.erase(it);
}

void PhysicsWorld::clearCircles() {
    for (auto& entry : circles) {
        entry.second->body->DestroyFixture(entry.second->fixture);
        b2world->DestroyBody(entry.second->body);
    }
    circles.clear();
}

// ---- Capsules ----

Capsule& PhysicsWorld::createCapsule(Vec2 centre, Vec2 size, const std::string& key) {
    if (capsules.count(key)) {
        logInfo("Capsule with key \"" + key + "\" remade");
        destroyCapsule(key);
    }
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
    return *(capsules[key] = std::move(c));
}

Capsule& PhysicsWorld::getCapsule(const std::string& key) {
    auto it = capsules.find(key);
    if (it == capsules.end()) missing("Capsule", key);
    return *it->second;
}

void PhysicsWorld::destroyCapsule(const std::string& key) {
    auto it = capsules.find(key);
    if (it == capsules.end()) {
        logInfo("Capsule with key \"" + key + "\" not found to destroy");
        return;
    }
    Capsule& c = *it->second;
    c.body->DestroyFixture(c.boxFixture);
    c.body->DestroyFixture(c.upperCircleFixture);
    c.body->DestroyFixture(c.lowerCircleFixture);
    b2world->DestroyBody(c.body);
    capsules.erase(it);
}

void PhysicsWorld::clearCapsules() {
    for (auto& entry : capsules) {
        Capsule& c = *entry.second;
        c.body->DestroyFixture(c.boxFixture);
        c.body->DestroyFixture(c.upperCircleFixture);
        c.body->DestroyFixture(c.lowerCircleFixture);
        b2world->DestroyBody(c.body);
    }
    capsules.clear();
}

}  // namespace NK
