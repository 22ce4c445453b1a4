#pragma once
#include "engine/Vec2.h"

namespace NK {

struct Rect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    Rect() = default;
    Rect(float x_, float y_, float w, float h) : x(x_), y(y_), width(w), height(h) {}
    Rect(Vec2 position, Vec2 size) : x(position.x), y(position.y), width(size.x), height(size.y) {}

    bool operator==(const Rect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

}  // namespace NK
