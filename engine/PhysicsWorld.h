#pragma once
#include <box2d/box2d.h>

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Color.h"
#include "engine/KeyedStore.h"
#include "engine/PhysicsRecords.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {

class RenderContext;
struct BitmapEntry;

// The engine's one wrapper over a Box2D world. Owns the world and
// every body made through it, keyed by kind, plus the unkeyed shots; works in
// pixels outside and metres inside; steps once per tick, culls bodies that
// strayed far outside the level, and answers line-of-sight questions with ray
// casts whose segments it keeps until the next step for drawing.
//
// No contact listener or filter is installed: game code walks a body's
// contact list itself.
class PhysicsWorld {
public:
    class RayCastManager;  // engine/RayCastManager.h

    PhysicsWorld(Vec2 gravity, RenderContext* renderContext);
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // One tick: Box2D step (1/ticksPerSecond, 6 velocity and 2 position
    // iterations), shot lives, the staggered culls, then the ray list emptied.
    void step(float ticksPerSecond);

    // Surfaces ("Surface"): polylines of one static edge body per segment.
    void createSurface(Vec2 first, Vec2 second, const std::string& key);
    void addSurfacePoint(const std::string& key, Vec2 point);
    // A segment from `point` to the first point, put before the first segment.
    void insertSurfacePointFront(const std::string& key, Vec2 point);
    Segment lastSurfaceSegment(const std::string& key);
    void removeLastSurfacePoint(const std::string& key);
    void removeFirstSurfacePoint(const std::string& key);
    Surface& getSurface(const std::string& key);
    bool hasSurface(const std::string& key) const { return surfaces.contains(key); }
    void destroySurface(const std::string& key);
    void clearSurfaces();

    // Squares ("Square"): boxes, positions and half sizes in pixels.
    Square& createSquare(Vec2 centre, Vec2 halfSize, bool fixedRotation, float angle,
                         const std::string& key, float density, float friction);
    Square& createStaticSquare(Vec2 centre, Vec2 halfSize, float angle, const std::string& key);
    void drawSquare(const std::string& key, const BitmapEntry& bitmap);
    Square& getSquare(const std::string& key);
    bool hasSquare(const std::string& key) const { return squares.contains(key); }
    void destroySquare(const std::string& key);
    void clearSquares();

    // Circles ("Circle").
    Circle& createCircle(Vec2 centre, bool fixedRotation, const std::string& key, float density,
                         float friction, float radius, float angle);
    Circle& createStaticCircle(Vec2 centre, const std::string& key, float radius, float angle);
    Circle& getCircle(const std::string& key);
    bool hasCircle(const std::string& key) const { return circles.contains(key); }
    void destroyCircle(const std::string& key);
    void clearCircles();

    // Capsules ("Capsule"): size = (radius, halfHeight) in pixels.
    Capsule& createCapsule(Vec2 centre, Vec2 size, const std::string& key);
    Capsule& getCapsule(const std::string& key);
    bool hasCapsule(const std::string& key) const { return capsules.contains(key); }
    void destroyCapsule(const std::string& key);
    void clearCapsules();

    // Shots: position in pixels, direction a unit vector (speed 25 m/s).
    b2Body* createShot(Vec2 position, Vec2 direction);
    // In creation order; set `dead` to have a shot removed at the next step.
    std::vector<std::unique_ptr<Shot>>& shots() { return shotList; }
    void clearShots();

    // Every body removed and the Box2D world made anew with the same gravity
    // (the cull countdowns run on). Box2D numbers its broad-phase entries
    // from what the world held before, and that order decides the order in
    // which it solves contacts; a level built in a used world would play a
    // hair differently from one built in a fresh world, so a restart would
    // not repeat the first run, nor a replay its recording.
    void renew();

    // True when `to` is within maxDistance pixels of `from` and the ray
    // between them meets no fixture. Cast segments are kept until the next step.
    bool isLineClear(Vec2 from, Vec2 to, float maxDistance);
    void drawRays(const Color& color);
    RayCastManager& rayCasts() { return *rayCastManager; }

    b2World& world() { return *b2world; }
    std::size_t surfaceCount() const { return surfaces.size(); }
    std::size_t squareCount() const { return squares.size(); }
    std::size_t circleCount() const { return circles.size(); }
    std::size_t capsuleCount() const { return capsules.size(); }
    std::vector<std::string> surfaceKeys() const { return surfaces.keys(); }
    std::vector<std::string> squareKeys() const { return squares.keys(); }
    std::vector<std::string> circleKeys() const { return circles.keys(); }
    std::vector<std::string> capsuleKeys() const { return capsules.keys(); }
    float squareCullCountdown() const { return squareCountdown; }
    float circleCullCountdown() const { return circleCountdown; }
    float capsuleCullCountdown() const { return capsuleCountdown; }

    // The keep-alive rectangle in pixels; all zeros (the initial state) turns
    // culling off.
    Rect cullRect;

private:
    std::unique_ptr<SurfaceSegment> makeSegment(float x1, float y1, float x2, float y2);
    void cull();

    std::unique_ptr<b2World> b2world;
    float squareCountdown = 3600.0f;
    float circleCountdown = 4800.0f;
    float capsuleCountdown = 6000.0f;
    RenderContext* renderContext = nullptr;
    std::unique_ptr<RayCastManager> rayCastManager;
    KeyedStore<std::unique_ptr<Surface>> surfaces{"Surface"};
    KeyedStore<std::unique_ptr<Square>> squares{"Square"};
    KeyedStore<std::unique_ptr<Circle>> circles{"Circle"};
    KeyedStore<std::unique_ptr<Capsule>> capsules{"Capsule"};
    std::vector<std::unique_ptr<Shot>> shotList;
};

}  // namespace NK
