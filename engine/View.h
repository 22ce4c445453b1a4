#pragma once
#include <allegro5/allegro.h>

#include "engine/Rect.h"

namespace NK {

class Display;

// Widgets, the HUD and the screen-sized pictures are laid out on a 1920 x
// 1080 screen whatever the window; the level shows through the view's
// rectangle. These carry points and sizes between the two.
constexpr float kScreenWidth = 1920.0f;
constexpr float kScreenHeight = 1080.0f;
// A pointer's place in a window of any size, on the screen.
inline Vec2 windowToScreen(Vec2 inWindow, float windowWidth, float windowHeight) {
    return {inWindow.x / windowWidth * kScreenWidth, inWindow.y / windowHeight * kScreenHeight};
}
// The level's units that one pixel of the screen covers, across and down.
inline Vec2 perScreenPixel(const Rect& view) {
    return {view.width / kScreenWidth, view.height / kScreenHeight};
}
inline Vec2 screenToLevel(const Rect& view, Vec2 onScreen) {
    const Vec2 unit = perScreenPixel(view);
    return {view.x + onScreen.x * unit.x, view.y + onScreen.y * unit.y};
}
inline Rect screenToLevel(const Rect& view, const Rect& onScreen) {
    const Vec2 at = screenToLevel(view, Vec2(onScreen.x, onScreen.y));
    const Vec2 unit = perScreenPixel(view);
    return {at.x, at.y, onScreen.width * unit.x, onScreen.height * unit.y};
}
inline Vec2 levelToScreen(const Rect& view, Vec2 inLevel) {
    return {(inLevel.x - view.x) * kScreenWidth / view.width,
            (inLevel.y - view.y) * kScreenHeight / view.height};
}

// The logical rectangle of the world the window shows. Everything is drawn in
// logical pixels and the projection scales the rectangle onto the window, so
// a larger rectangle zooms out whatever the window's real size.
class View {
public:
    explicit View(Display* display) : display(display) {}

    // Confines the rectangle to the bounds (when bounded), then builds the
    // projection and makes it current for the current target bitmap.
    void apply();
    // Only the confinement step of apply; no Allegro call.
    void confine();
    void setBounds(const Rect& area) {
        bounds = area;
        bounded = true;
    }
    Rect rect() const { return {x, y, width, height}; }

    Display* display = nullptr;
    ALLEGRO_TRANSFORM transform{};
    float x = 0.0f;
    float y = 0.0f;
    float width = 1920.0f;
    float height = 1080.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float rotation = 0.0f;
    bool bounded = false;
    Rect bounds;
};

}  // namespace NK
