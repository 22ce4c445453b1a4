#pragma once
#include <box2d/box2d.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/KeyedStore.h"

namespace NK {

class RenderContext;
struct BitmapEntry;

// 1 metre = 100 pixels: every pixel value going into the library is
// multiplied by 0.01, every metre value read back by 100.
constexpr float kMetresPerPixel = 0.01f;
constexpr float kPixelsPerMetre = 100.0f;

// Body tags (the body's user data, an integer, never a pointer).
enum BodyTag : int { kTagNone = 0, kTagPlayer = 1, kTagPlayerShot = 2, kTagCameraShot = 3 };

inline int bodyTag(const b2Body* body) {
    return static_cast<int>(const_cast<b2Body*>(body)->GetUserData().pointer);
}
inline void setBodyTag(b2Body* body, int tag) {
    body->GetUserData().pointer = static_cast<uintptr_t>(tag);
}

// Two end points in pixels: a surface segment's, or a cast ray's.
struct Segment {
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
};

// The records the world owns. Each owns the Box2D body it was made with:
// releasing a record removes its body, fixtures and all, from the world, so
// destroy, remake, cull and clear cannot forget a fixture. The world
// releases every record before it goes itself.
struct OwnedBody {
    b2Body* body = nullptr;

    OwnedBody() = default;
    OwnedBody(const OwnedBody&) = delete;
    OwnedBody& operator=(const OwnedBody&) = delete;
    ~OwnedBody() {
        if (body) body->GetWorld()->DestroyBody(body);
    }
};

struct SurfaceSegment : OwnedBody {
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f,
          y2 = 0.0f;               // pixels, as passed; body static at the origin
    b2Fixture* fixture = nullptr;  // one edge
};

struct Surface {
    std::vector<std::unique_ptr<SurfaceSegment>> segments;  // first point first
    RenderContext* renderContext = nullptr;
};

struct Square : OwnedBody {
    b2Fixture* fixture = nullptr;
    float halfWidth = 0.0f;   // metres
    float halfHeight = 0.0f;  // metres
    RenderContext* renderContext = nullptr;
};

struct Circle : OwnedBody {
    b2Fixture* fixture = nullptr;
    float radius = 0.0f;  // metres
    RenderContext* renderContext = nullptr;

    // The whole bitmap stretched to the circle's 2r x 2r box, turned with the
    // body. Always visibility-tested, whatever noCulling says.
    void draw(const BitmapEntry& bitmap) const;
};

struct Capsule : OwnedBody {
    b2Fixture* boxFixture = nullptr;
    b2Fixture* upperCircleFixture = nullptr;
    b2Fixture* lowerCircleFixture = nullptr;
    float radius = 0.0f;      // metres
    float halfHeight = 0.0f;  // metres
    RenderContext* renderContext = nullptr;
};

struct Shot {
    b2Body* body = nullptr;
    b2Fixture* fixture = nullptr;
    float radius = 0.05f;  // metres
    RenderContext* renderContext = nullptr;
    int32_t life = 300;  // steps left
    bool dead = false;   // set by the game: removed at the next step
};

// Draws the whole bitmap scaled to W x H pixels and rotated by the body's
// angle about its centre, placed on the body; skipped when the box of 2W x 2H
// centred on the body lies wholly outside the view.
void drawBitmapOnBody(const RenderContext& rc, const b2Body* body, float width, float height,
                      const BitmapEntry& bitmap);

// Body look-ups report a missing key with the message as the box's heading
// and the bare key as its text.
template <typename Record>
Record& lookUp(KeyedStore<std::unique_ptr<Record>>& store, const char* kind,
               const std::string& key) {
    std::unique_ptr<Record>* found = store.find(key);
    if (!found) {
        fatalErrorWithHeading(key, std::string(kind) + " with key \"" + key + "\" not found");
        std::abort();  // not reached: a fatal error never returns
    }
    return **found;
}

}  // namespace NK
