// What NK::PhysicsWorld adds to Box2D's own work, over a game-like load.
//
// Two identical worlds (500 dynamic boxes, 200 dynamic circles, 50 ground
// polylines of 20 points = 950 static edge bodies, plus 50 boxes and 20
// circles that fall off the level) run 6,100 ticks: past the first cull of
// squares, circles and capsules, so each cull finds and removes the fallen
// blocks. Every 5 ticks a shot is fired, and every tick 40 cameras cast their
// four sight rays. One world goes through the wrapper (step with the game's
// cull rectangle, createShot, isLineClear); the other is a bare b2World doing
// the same work by hand (Step, shot bodies with their 300-step life, the
// staggered culls, RayCast with a first-hit callback). Runs alternate between
// the two to share any drift of the machine; the ratio of the medians is
// printed last.
#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "engine/PhysicsWorld.h"

namespace {

constexpr int kBoxes = 500;
constexpr int kCircles = 200;
constexpr int kFallingBoxes = 50;
constexpr int kFallingCircles = 20;
constexpr int kPolylines = 50;
constexpr int kPointsPerPolyline = 20;
constexpr int kCameras = 40;
constexpr int kShotEvery = 5;
constexpr int kTicks = 6100;
constexpr float kSight = 500.0f;
constexpr float m = 0.01f;  // metres per pixel
// The level the blocks must stay in, in pixels; the falling ones leave it.
const NK::Rect kCullRect(-1000.0f, -2000.0f, 97000.0f, 5000.0f);

// The layout, in pixels, shared by both worlds.
struct Layout {
    struct Block {
        float x, y, half;
    };
    std::vector<Block> boxes, circles;
    std::vector<std::vector<NK::Vec2>> polylines;
    std::vector<NK::Vec2> cameras;
};

Layout makeLayout() {
    Layout l;
    // Ground: 50 polylines of 20 points, side by side, a gentle zig-zag.
    for (int p = 0; p < kPolylines; ++p) {
        std::vector<NK::Vec2> pts;
        float x0 = p * 1900.0f;
        for (int i = 0; i < kPointsPerPolyline; ++i)
            pts.push_back({x0 + i * 100.0f, 2000.0f + ((i % 2) ? 30.0f : 0.0f)});
        l.polylines.push_back(pts);
    }
    // Blocks in columns over the ground so that they fall, collide and pile up;
    // the last ones left of the ground, where nothing stops their fall.
    for (int i = 0; i < kBoxes; ++i)
        l.boxes.push_back(
            {100.0f + (i % 100) * 900.0f + (i / 100) * 7.0f, 1900.0f - (i / 100) * 70.0f, 25.0f});
    for (int i = 0; i < kFallingBoxes; ++i) l.boxes.push_back({-3000.0f - i * 60.0f, 0.0f, 25.0f});
    for (int i = 0; i < kCircles; ++i)
        l.circles.push_back({550.0f + (i % 100) * 900.0f, 1900.0f - (i / 100) * 70.0f, 25.0f});
    for (int i = 0; i < kFallingCircles; ++i)
        l.circles.push_back({-3000.0f - i * 60.0f, -200.0f, 25.0f});
    // Cameras above the piles, looking down at the ground.
    for (int i = 0; i < kCameras; ++i) l.cameras.push_back({300.0f + i * 2300.0f, 1600.0f});
    return l;
}

// The four points a camera looks for: a player-sized box on the ground
// beside it (the same four points the game tries).
std::vector<NK::Vec2> sightPoints(NK::Vec2 camera) {
    const float x = camera.x + 150.0f, y = 1750.0f, w = 100.0f, h = 200.0f;
    return {{x + w, y + h / 2}, {x, y + h / 2}, {x + w / 2, y + h}, {x + w / 2, y}};
}

NK::Vec2 shotStart(int n) {
    return {200.0f + (n % 40) * 2300.0f, 1500.0f};
}
const NK::Vec2 kShotDirection(0.8f, 0.6f);

void build(NK::PhysicsWorld& w, const Layout& l) {
    int k = 0;
    for (const auto& pts : l.polylines) {
        std::string key = std::to_string(k++);
        w.createSurface(pts[0], pts[1], key);
        for (std::size_t i = 2; i < pts.size(); ++i) w.addSurfacePoint(key, pts[i]);
    }
    for (std::size_t i = 0; i < l.boxes.size(); ++i) {
        const auto& b = l.boxes[i];
        w.createSquare({b.x, b.y}, {b.half, b.half}, false, 0.0f, "b_" + std::to_string(i), 1.0f,
                       0.5f);
    }
    for (std::size_t i = 0; i < l.circles.size(); ++i) {
        const auto& c = l.circles[i];
        w.createCircle({c.x, c.y}, false, "c_" + std::to_string(i), 1.0f, 0.5f, c.half, 0.0f);
    }
}

// The bare world, with what the wrapper would keep for it kept by hand.
struct RawWorld {
    b2World world{b2Vec2(0.0f, 10.0f)};
    std::vector<b2Body*> boxes, circles;
    std::vector<float> boxHalf, circleRadius;
    struct Shot {
        b2Body* body;
        int life;
    };
    std::deque<Shot> shots;
    int boxCountdown = 3600, circleCountdown = 4800, capsuleCountdown = 6000;
};

struct FirstHit : b2RayCastCallback {
    b2Vec2 point;
    float ReportFixture(b2Fixture*, const b2Vec2& p, const b2Vec2&, float) override {
        point = p;
        return 0.0f;
    }
};

// The same bodies and fixtures, made directly, in the same order.
void build(RawWorld& r, const Layout& l) {
    b2World& w = r.world;
    for (const auto& pts : l.polylines) {
        for (std::size_t i = 1; i < pts.size(); ++i) {
            b2BodyDef def;
            b2Body* body = w.CreateBody(&def);
            b2EdgeShape edge;
            edge.SetTwoSided(b2Vec2(pts[i - 1].x * m, pts[i - 1].y * m),
                             b2Vec2(pts[i].x * m, pts[i].y * m));
            body->CreateFixture(&edge, 0.0f);
        }
    }
    auto block = [&](float x, float y, const b2Shape& shape) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(x * m, y * m);
        b2Body* body = w.CreateBody(&def);
        b2FixtureDef fd;
        fd.shape = &shape;
        fd.density = 1.0f;
        fd.friction = 0.5f;
        fd.restitution = 0.0f;
        body->CreateFixture(&fd);
        return body;
    };
    for (const auto& b : l.boxes) {
        b2PolygonShape box;
        box.SetAsBox(b.half * m, b.half * m);
        r.boxes.push_back(block(b.x, b.y, box));
        r.boxHalf.push_back(b.half * m);
    }
    for (const auto& c : l.circles) {
        b2CircleShape circle;
        circle.m_radius = c.half * m;
        r.circles.push_back(block(c.x, c.y, circle));
        r.circleRadius.push_back(c.half * m);
    }
}

void fire(RawWorld& r, NK::Vec2 at) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(at.x * m, at.y * m);
    def.linearVelocity.Set(kShotDirection.x * 25.0f, kShotDirection.y * 25.0f);
    def.fixedRotation = true;
    def.bullet = true;
    def.gravityScale = 0.0f;
    b2Body* body = r.world.CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 0.05f;
    b2FixtureDef fd;
    fd.shape = &circle;
    fd.friction = 0.0f;
    fd.restitution = 0.99f;
    fd.density = 30.0f;
    fd.filter.groupIndex = -1;
    body->CreateFixture(&fd);
    r.shots.push_back({body, 300});
}

bool outside(const b2Body* b, float halfW, float halfH) {
    const b2Vec2& p = b->GetPosition();
    const NK::Rect& c = kCullRect;
    return (p.x + halfW) * 100.0f < c.x || (p.x - halfW) * 100.0f > c.x + c.width ||
           (p.y + halfH) * 100.0f < c.y || (p.y - halfH) * 100.0f > c.y + c.height;
}

void cullList(b2World& w, std::vector<b2Body*>& bodies, std::vector<float>& halves) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (outside(bodies[i], halves[i], halves[i])) {
            w.DestroyBody(bodies[i]);
        } else {
            bodies[kept] = bodies[i];
            halves[kept++] = halves[i];
        }
    }
    bodies.resize(kept);
    halves.resize(kept);
}

// One tick of the bare world: what PhysicsWorld::step does, by hand.
void step(RawWorld& r) {
    r.world.Step(1.0f / 60.0f, 6, 2);
    for (auto it = r.shots.begin(); it != r.shots.end();) {
        if (it->life > 0) {
            --it->life;
            ++it;
        } else {
            r.world.DestroyBody(it->body);
            it = r.shots.erase(it);
        }
    }
    if (r.boxCountdown > 0) {
        --r.boxCountdown;
    } else {
        r.boxCountdown = 3600;
        cullList(r.world, r.boxes, r.boxHalf);
    }
    if (r.circleCountdown > 0) {
        --r.circleCountdown;
    } else {
        r.circleCountdown = 3600;
        cullList(r.world, r.circles, r.circleRadius);
    }
    // No capsules in either world; the countdown still runs.
    r.capsuleCountdown = r.capsuleCountdown > 0 ? r.capsuleCountdown - 1 : 3600;
}

bool lineClear(b2World& w, NK::Vec2 from, NK::Vec2 to) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    if (std::sqrt(dx * dx + dy * dy) > kSight) return false;
    FirstHit hit;
    hit.point = b2Vec2(to.x * m, to.y * m);
    w.RayCast(&hit, b2Vec2(from.x * m, from.y * m), hit.point);
    return hit.point.x == to.x * m && hit.point.y == to.y * m;
}

// Thread CPU time: the machine may be busy with other work (builds, tests),
// and time spent descheduled belongs to neither world.
double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

struct Outcome {
    double ms = 0.0;
    std::size_t blocksLeft = 0;
    int seen = 0;  // rays that reached their point, to compare the two worlds
};

Outcome wrapperRun(const Layout& l) {
    NK::PhysicsWorld w({0.0f, 10.0f}, nullptr);
    w.cullRect = kCullRect;
    build(w, l);
    Outcome o;
    const double t0 = nowMs();
    for (int t = 0; t < kTicks; ++t) {
        w.step(60.0f);
        if (t % kShotEvery == 0) w.createShot(shotStart(t / kShotEvery), kShotDirection);
        for (const NK::Vec2& camera : l.cameras)
            for (const NK::Vec2& p : sightPoints(camera))
                o.seen += w.isLineClear(camera, p, kSight);
    }
    o.ms = nowMs() - t0;
    o.blocksLeft = w.squareCount() + w.circleCount();
    return o;
}

Outcome rawRun(const Layout& l) {
    RawWorld r;
    build(r, l);
    Outcome o;
    const double t0 = nowMs();
    for (int t = 0; t < kTicks; ++t) {
        step(r);
        if (t % kShotEvery == 0) fire(r, shotStart(t / kShotEvery));
        for (const NK::Vec2& camera : l.cameras)
            for (const NK::Vec2& p : sightPoints(camera)) o.seen += lineClear(r.world, camera, p);
    }
    o.ms = nowMs() - t0;
    o.blocksLeft = r.boxes.size() + r.circles.size();
    return o;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc > 1) runs = std::max(1, std::atoi(argv[1]));
    const Layout layout = makeLayout();

    // Warm-up, one of each; the two must have done the same work.
    const Outcome w0 = wrapperRun(layout), r0 = rawRun(layout);
    if (w0.blocksLeft != r0.blocksLeft || w0.seen != r0.seen)
        std::printf("warning: worlds diverged (blocks left %zu vs %zu, rays clear %d vs %d)\n",
                    w0.blocksLeft, r0.blocksLeft, w0.seen, r0.seen);
    std::printf("after %d ticks: %zu of %zu blocks left (culls removed %zu); %d of %d rays clear\n",
                kTicks, w0.blocksLeft, layout.boxes.size() + layout.circles.size(),
                layout.boxes.size() + layout.circles.size() - w0.blocksLeft, w0.seen,
                kTicks * kCameras * 4);

    std::vector<double> wrapper, raw;
    for (int r = 0; r < runs; ++r) {
        // Alternate which goes first so neither always follows the other.
        if (r % 2) {
            raw.push_back(rawRun(layout).ms);
            wrapper.push_back(wrapperRun(layout).ms);
        } else {
            wrapper.push_back(wrapperRun(layout).ms);
            raw.push_back(rawRun(layout).ms);
        }
    }
    const double mw = median(wrapper), mr = median(raw);
    std::vector<double> pairs;
    for (int r = 0; r < runs; ++r) pairs.push_back(wrapper[r] / raw[r]);
    std::printf(
        "world: %d boxes, %d circles (%d and %d falling off), %d polylines x %d points; "
        "%d ticks, a shot every %d, %d cameras x 4 rays a tick; %d runs each\n",
        kBoxes + kFallingBoxes, kCircles + kFallingCircles, kFallingBoxes, kFallingCircles,
        kPolylines, kPointsPerPolyline, kTicks, kShotEvery, kCameras, runs);
    std::printf("wrapper NK::PhysicsWorld:  median %.1f ms CPU (min %.1f, max %.1f)\n", mw,
                *std::min_element(wrapper.begin(), wrapper.end()),
                *std::max_element(wrapper.begin(), wrapper.end()));
    std::printf("bare b2World by hand:      median %.1f ms CPU (min %.1f, max %.1f)\n", mr,
                *std::min_element(raw.begin(), raw.end()),
                *std::max_element(raw.begin(), raw.end()));
    std::printf("median of per-pair ratios: %.4f\n", median(pairs));
    std::printf("physics step ratio wrapper/raw: %.4f\n", mw / mr);
    return 0;
}
