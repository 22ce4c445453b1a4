#include "tests/support/Pixels.h"

#include <cstdlib>

namespace nktest {

Rgba pixelAt(int x, int y, ALLEGRO_BITMAP* bitmap) {
    if (!bitmap) bitmap = al_get_backbuffer(al_get_current_display());
    unsigned char r, g, b, a;
    al_unmap_rgba(al_get_pixel(bitmap, x, y), &r, &g, &b, &a);
    return {r, g, b, a};
}

bool near(const Rgba& c, int r, int g, int b, int tolerance) {
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance;
}

}  // namespace nktest
