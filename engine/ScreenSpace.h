#pragma once
#include "engine/Rect.h"
#include "engine/View.h"

namespace NK {

// Maps a rectangle on the fixed 1920x1080 screen onto the current view, so an
// interface picture keeps its place on screen wherever the view moves or zooms.
// Evaluated left to right as x * view width * (1/1920) in single precision;
// another order can move an edge by a rounding step and open a hairline
// between interface pieces laid edge to edge.
inline Rect screenToView(const Rect& r, const View& v) {
    const float kx = 1.0f / 1920.0f;
    const float ky = 1.0f / 1080.0f;
    return {v.x + r.x * v.width * kx, v.y + r.y * v.height * ky, r.width * v.width * kx,
            r.height * v.height * ky};
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
