#pragma once

namespace NK {

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;

    Vec2() = default;
    Vec2(float x_, float y_) : x(x_), y(y_) {}

    Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    // Division multiplies by the reciprocal, as the rest of the engine's maths does.
    Vec2 operator/(float d) const {
        float r = 1.0f / d;
        return {x * r, y * r};
    }

    // Angle in radians, between -pi and pi, from the direction `direction` to
    // the line from a to b; positive turning one way, negative the other.
    static float signedAngle(Vec2 a, Vec2 b, Vec2 direction);
};

}  // namespace NK
