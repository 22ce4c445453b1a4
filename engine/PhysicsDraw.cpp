#include <allegro5/allegro.h>

#include "engine/BitmapEntry.h"
#include "engine/Culling.h"
#include "engine/PhysicsWorld.h"
#include "engine/RayCastManager.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace NK {

void drawBitmapOnBody(const RenderContext& rc, const b2Body* body, float width, float height,
                      const BitmapEntry& bitmap) {
    const b2Vec2& p = body->GetPosition();
    const float cx = p.x * kPixelsPerMetre;
    const float cy = p.y * kPixelsPerMetre;
    // A box of 2W x 2H (half sizes W and H), rotation ignored; applied
    // whatever noCulling says.
    if (outsideView(cx, cy, width, height, rc.view->rect())) return;
    const float bw = bitmap.width();
    const float bh = bitmap.height();
    al_draw_scaled_rotated_bitmap(bitmap.get(), bw * 0.5f, bh * 0.5f, cx, cy, width / bw,
                                  height / bh, body->GetAngle(), 0);
}

void Circle::draw(const BitmapEntry& bitmap) const {
    const float side = 2.0f * radius * kPixelsPerMetre;
    drawBitmapOnBody(*renderContext, body, side, side, bitmap);
}

void PhysicsWorld::drawRays(const Color& color) {
    // RenderContext::drawLine skips a segment whose bounding box misses the
    // view (touching counts as overlapping) unless noCulling is set.
    for (const Segment& s : rayCastManager->segments)
        renderContext->drawLine({s.x1, s.y1}, {s.x2, s.y2}, color, 3.0f);
}

}  // namespace NK
