// Wrapper overhead of NK::PhysicsWorld::step against the raw b2World::Step.
//
// Two identical worlds (500 dynamic boxes, 200 dynamic circles, 50 ground
// polylines of 20 points = 950 static edge bodies) are stepped 600 ticks, one
// through the wrapper (with the game's cull rectangle, so the shot pass, the
// cull countdowns and the ray-list reset all run) and one through b2World::Step
// with the same parameters. Runs alternate between the two to share any drift
// of the machine; the ratio of the two medians is printed last.
#include <box2d/box2d.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "engine/PhysicsWorld.h"

namespace {

constexpr int kBoxes = 500;
constexpr int kCircles = 200;
constexpr int kPolylines = 50;
constexpr int kPointsPerPolyline = 20;
constexpr int kTicks = 600;

// The layout, in pixels, shared by both worlds.
struct Layout {
    struct Block {
        float x, y, half;
    };
    std::vector<Block> boxes, circles;
    std::vector<std::vector<NK::Vec2>> polylines;
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
    // Blocks in columns over the ground so that they fall, collide and pile up.
    for (int i = 0; i < kBoxes; ++i)
        l.boxes.push_back({100.0f + (i % 100) * 900.0f + (i / 100) * 7.0f,
                           1900.0f - (i / 100) * 70.0f, 25.0f});
    for (int i = 0; i < kCircles; ++i)
        l.circles.push_back({550.0f + (i % 100) * 900.0f, 1900.0f - (i / 100) * 70.0f, 25.0f});
    return l;
}

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

// The same bodies and fixtures, made directly, in the same order.
void build(b2World& w, const Layout& l) {
    const float m = 0.01f;
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
    };
    for (const auto& b : l.boxes) {
        b2PolygonShape box;
        box.SetAsBox(b.half * m, b.half * m);
        block(b.x, b.y, box);
    }
    for (const auto& c : l.circles) {
        b2CircleShape circle;
        circle.m_radius = c.half * m;
        block(c.x, c.y, circle);
    }
}

// Thread CPU time: the machine may be busy with other work (builds, tests),
// and time spent descheduled belongs to neither world.
double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

double wrapperRun(const Layout& l, float* probe) {
    NK::PhysicsWorld w({0.0f, 10.0f}, nullptr);
    w.cullRect = NK::Rect(-960000, -540000, 1920000, 1080000);
    build(w, l);
    const double t0 = nowMs();
    for (int i = 0; i < kTicks; ++i) w.step(60.0f);
    const double t1 = nowMs();
    *probe = w.getSquare("b_0").body->GetPosition().y;
    return t1 - t0;
}

double rawRun(const Layout& l, float* probe) {
    b2World w(b2Vec2(0.0f, 10.0f));
    build(w, l);
    const double t0 = nowMs();
    for (int i = 0; i < kTicks; ++i) w.Step(1.0f / 60.0f, 6, 2);
    const double t1 = nowMs();
    // Bodies are listed newest first: the first box is 700 - 1 - 199 back.
    b2Body* b = w.GetBodyList();
    for (int i = 0; i < kCircles + kBoxes - 1; ++i) b = b->GetNext();
    *probe = b->GetPosition().y;
    return t1 - t0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 21;
    if (argc > 1) runs = std::max(1, std::atoi(argv[1]));
    const Layout layout = makeLayout();

    float pw = 0, pr = 0;
    wrapperRun(layout, &pw);  // warm-up, one of each
    rawRun(layout, &pr);
    if (pw != pr)
        std::printf("warning: worlds diverged (first box y %.6f vs %.6f)\n", pw, pr);

    std::vector<double> wrapper, raw;
    for (int r = 0; r < runs; ++r) {
        // Alternate which goes first so neither always follows the other.
        if (r % 2) {
            raw.push_back(rawRun(layout, &pr));
            wrapper.push_back(wrapperRun(layout, &pw));
        } else {
            wrapper.push_back(wrapperRun(layout, &pw));
            raw.push_back(rawRun(layout, &pr));
        }
    }
    const double mw = median(wrapper), mr = median(raw);
    std::vector<double> pairs;
    for (int r = 0; r < runs; ++r) pairs.push_back(wrapper[r] / raw[r]);
    std::printf("world: %d boxes, %d circles, %d polylines x %d points; %d ticks; %d runs each\n",
                kBoxes, kCircles, kPolylines, kPointsPerPolyline, kTicks, runs);
    std::printf("wrapper NK::PhysicsWorld::step: median %.2f ms CPU (min %.2f, max %.2f)\n", mw,
                *std::min_element(wrapper.begin(), wrapper.end()),
                *std::max_element(wrapper.begin(), wrapper.end()));
    std::printf("raw b2World::Step:              median %.2f ms CPU (min %.2f, max %.2f)\n", mr,
                *std::min_element(raw.begin(), raw.end()),
                *std::max_element(raw.begin(), raw.end()));
    std::printf("median of per-pair ratios: %.4f\n", median(pairs));
    std::printf("physics step ratio wrapper/raw: %.4f\n", mw / mr);
    return 0;
}
