#pragma once
#include <allegro5/allegro.h>

#include <ostream>

// Reading back what was drawn.
namespace nktest {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;  // 0..255
};
inline std::ostream& operator<<(std::ostream& os, const Rgba& c) {
    return os << "rgba(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}

// The pixel at x, y of a bitmap (the back buffer when null).
Rgba pixelAt(int x, int y, ALLEGRO_BITMAP* bitmap = nullptr);
// True when every channel is within `tolerance` of the expected value.
bool near(const Rgba& c, int r, int g, int b, int tolerance = 8);

}  // namespace nktest
