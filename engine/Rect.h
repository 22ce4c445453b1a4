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

    // Touching counts: on each axis the centres are at most the half sizes
    // apart. The one rule for a player reaching a gate, a lever or a dialog.
    bool touches(const Rect& o) const {
        const float dx = (x + width * 0.5f) - (o.x + o.width * 0.5f);
        const float dy = (y + height * 0.5f) - (o.y + o.height * 0.5f);
        return (dx < 0.0f ? -dx : dx) <= (width + o.width) * 0.5f &&
               (dy < 0.0f ? -dy : dy) <= (height + o.height) * 0.5f;
    }

    bool operator==(const Rect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

}  // namespace NK
