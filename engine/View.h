#pragma once
#include <allegro5/allegro.h>

#include "engine/Rect.h"

namespace NK {

class Display;

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
