#include "tests/support/Pixels.h"

#include <allegro5/allegro_image.h>

#include <cstdlib>

#include "tests/support/AllegroEnvironment.h"

namespace nktest {

Rgba pixelAt(int x, int y, ALLEGRO_BITMAP* bitmap) {
    if (!bitmap) bitmap = al_get_backbuffer(al_get_current_display());
    unsigned char r, g, b, a;
    al_unmap_rgba(al_get_pixel(bitmap, x, y), &r, &g, &b, &a);
    return {r, g, b, a};
}

std::string colours(const Points& points, ALLEGRO_BITMAP* bitmap, int tolerance) {
    ALLEGRO_BITMAP* target = bitmap ? bitmap : al_get_backbuffer(al_get_current_display());
    const float sx = bitmap ? 1.0f : al_get_bitmap_width(target) / 1920.0f;
    const float sy = bitmap ? 1.0f : al_get_bitmap_height(target) / 1080.0f;
    auto level = [tolerance](int v) { return v <= tolerance ? 0 : v >= 255 - tolerance ? 1 : -9; };
    std::string seen;
    for (auto [x, y] : points) {
        Rgba c = pixelAt(static_cast<int>(x * sx), static_cast<int>(y * sy), target);
        int index = level(c.r) + 2 * level(c.g) + 4 * level(c.b);
        seen += index < 0 ? '?' : "KRGYBMCW"[index];
    }
    return seen;
}

ALLEGRO_BITMAP* loadImage(const std::string& path) {
    if (!al_is_system_installed()) al_install_system(ALLEGRO_VERSION_INT, nullptr);
    if (!al_is_image_addon_initialized()) al_init_image_addon();
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP | ALLEGRO_NO_PREMULTIPLIED_ALPHA);
    ALLEGRO_BITMAP* b = al_load_bitmap(path.c_str());
    al_set_new_bitmap_flags(flags);
    return b;
}

double meanDifference(ALLEGRO_BITMAP* a, int ax, int ay, ALLEGRO_BITMAP* b, int bx, int by, int w,
                      int h, int step) {
    double total = 0;
    long samples = 0;
    for (int y = 0; y < h; y += step)
        for (int x = 0; x < w; x += step, samples += 3) {
            const Rgba p = pixelAt(ax + x, ay + y, a), q = pixelAt(bx + x, by + y, b);
            total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    return samples ? total / static_cast<double>(samples) : 0.0;
}

}  // namespace nktest
