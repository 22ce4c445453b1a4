#pragma once
#include "engine/Rect.h"

namespace NK {

// True when a box lies wholly outside the view on either axis. Touching boxes
// count as visible, so an image whose edge sits exactly on the view's edge is
// still drawn. Written on centres and half sizes so a culled draw costs four
// subtractions and comparisons.
inline bool outsideView(float centreX, float centreY, float halfW, float halfH, const Rect& view) {
    float viewHalfW = view.width * 0.5f;
    float viewHalfH = view.height * 0.5f;
    float dx = centreX - (view.x + viewHalfW);
    float dy = centreY - (view.y + viewHalfH);
    if (dx < 0) dx = -dx;
    if (dy < 0) dy = -dy;
    return dx > halfW + viewHalfW || dy > halfH + viewHalfH;
}

inline bool outsideView(const Rect& box, const Rect& view) {
    return outsideView(box.x + box.width * 0.5f, box.y + box.height * 0.5f, box.width * 0.5f,
                       box.height * 0.5f, view);
}

}  // namespace NK
