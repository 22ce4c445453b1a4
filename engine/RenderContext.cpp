#include "engine/RenderContext.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>

#include "engine/Culling.h"
#include "engine/View.h"

namespace NK {

bool RenderContext::culled(float cx, float cy, float hw, float hh) const {
    return !noCulling && outsideView(cx, cy, hw, hh, view->rect());
}

bool RenderContext::culled(const Rect& box) const {
    return !noCulling && outsideView(box, view->rect());
}

void RenderContext::drawLine(Vec2 a, Vec2 b, const Color& color, float thickness) const {
    float left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    float top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    if (culled(Rect(left, top, right - left, bottom - top))) return;
    al_draw_line(a.x, a.y, b.x, b.y, color.toAllegro(), thickness);
}

void RenderContext::drawCircle(Vec2 c, const Color& color, float radius, float thickness) const {
    if (culled(c.x, c.y, radius, radius)) return;
    al_draw_circle(c.x, c.y, radius, color.toAllegro(), thickness);
}

}  // namespace NK
