#pragma once
#include "engine/Color.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {

class Display;
class View;

// What every drawing store shares: the window, the view and whether culling
// is off (it is while the game draws into an off-screen batch, whose pixels
// have nothing to do with the view).
class RenderContext {
public:
    RenderContext(Display* display, View* view) : display(display), view(view) {}

    // True when the box is wholly outside the view and culling is on.
    bool culled(const Rect& box) const;
    bool culled(float centreX, float centreY, float halfW, float halfH) const;

    void drawLine(Vec2 a, Vec2 b, const Color& color, float thickness) const;
    void drawCircle(Vec2 centre, const Color& color, float radius, float thickness) const;

    Display* display = nullptr;
    View* view = nullptr;
    bool noCulling = false;
};

}  // namespace NK
