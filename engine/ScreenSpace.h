#pragma once
#include "engine/Rect.h"
#include "engine/View.h"

namespace NK {

// Maps a rectangle on the fixed 1920x1080 screen onto the current view, so an
// interface picture keeps its place on screen wherever the view moves or zooms.
inline Rect screenToView(const Rect& r, const View& v) {
    const float fx = v.width * (1.0f / 1920.0f);
    const float fy = v.height * (1.0f / 1080.0f);
    return {v.x + r.x * fx, v.y + r.y * fy, r.width * fx, r.height * fy};
}

// Half side of a square, centred on the pivot's place, that holds an image of
// the given drawn size rotated by any angle about a pivot given as fractions
// of its size.
inline float rotatedCullHalfSide(float width, float height, float pivotX, float pivotY) {
    float m = width > height ? width : height;
    float p = width > height ? pivotX : pivotY;
    float off = p - 0.5f;
    if (off < 0) off = -off;
    return (width + height) * 0.5f + m * off + m / 8.0f;
}

}  // namespace NK
