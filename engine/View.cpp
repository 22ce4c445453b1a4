#include "engine/View.h"

#include <cmath>

#include "engine/Vec2.h"

namespace NK {

void View::confine() {
    if (!bounded) return;
    const float bx = bounds.x;
    const float by = bounds.y;
    if (bx > x) x = bx;
    if (by > y) y = by;
    if (x + width > bx + bounds.width) x = bx + bounds.width - width;
    if (y + height > by + bounds.height) y = by + bounds.height - height;
    // A view larger than the bounds cannot fit; centre it on them instead.
    if (bx > x) x = bx - (width - bounds.width) * 0.5f;
    if (by > y) y = by - (height - bounds.height) * 0.5f;
}

void View::apply() {
    confine();
    al_identity_transform(&transform);
    al_orthographic_transform(&transform, x, y, -1.0f, x + width, y + height, 1.0f);
    al_scale_transform(&transform, scaleX, scaleY);
    al_rotate_transform(&transform, rotation);
    al_use_projection_transform(&transform);
}

float Vec2::signedAngle(Vec2 a, Vec2 b, Vec2 d) {
    auto normalised = [](Vec2 v) {
        float len = std::sqrt(v.x * v.x + v.y * v.y);
        return len > 0.0f ? Vec2(v.x / len, v.y / len) : Vec2();
    };
    d = normalised(d);
    Vec2 v = normalised(b - a);
    float angle = std::acos(d.x * v.x + d.y * v.y);
    if (std::isnan(angle)) angle = 0.0f;
    if (v.x * d.y - v.y * d.x < 0.0f) angle = -angle;
    return angle;
}

}  // namespace NK
