#pragma once
#include <allegro5/allegro.h>

namespace NK {

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    Color() = default;  // all zero
    Color(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}

    static Color white() { return {1.0f, 1.0f, 1.0f, 1.0f}; }
    static Color red() { return {1.0f, 0.0f, 0.0f, 1.0f}; }

    ALLEGRO_COLOR toAllegro() const { return al_map_rgba_f(r, g, b, a); }
};

}  // namespace NK
