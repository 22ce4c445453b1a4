// Deterministic noise and per-pixel images for the generator's textures.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/Paint.h"

namespace gen {

// ---------------------------------------------------------------- noise

float hash2(int x, int y, int seed) {
    unsigned h = (unsigned)x * 374761393u + (unsigned)y * 668265263u + (unsigned)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / float(0xffffff);
}

float vnoise(float x, float y, int seed, int period) {
    int xi = (int)std::floor(x), yi = (int)std::floor(y);
    float fx = x - xi, fy = y - yi;
    auto at = [&](int a, int b) {
        if (period > 0) {
            a = ((a % period) + period) % period;
            b = ((b % period) + period) % period;
        }
        return hash2(a, b, seed);
    };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float top = at(xi, yi) + (at(xi + 1, yi) - at(xi, yi)) * sx;
    float bot = at(xi, yi + 1) + (at(xi + 1, yi + 1) - at(xi, yi + 1)) * sx;
    return top + (bot - top) * sy;
}

float fbm(float x, float y, int seed, int octaves, int period) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; o++) {
        sum += amp * vnoise(x, y, seed + o * 31, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period) period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

ALLEGRO_BITMAP* pixels(int w, int h, const std::function<Col(int, int)>& f) {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* mem = al_create_bitmap(w, h);
    ALLEGRO_LOCKED_REGION* lr =
        al_lock_bitmap(mem, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < h; y++) {
        unsigned char* row = (unsigned char*)lr->data + y * lr->pitch;
        for (int x = 0; x < w; x++) {
            Col c = f(x, y);
            float a = std::clamp(c.a, 0.f, 1.f);
            row[x * 4 + 0] = (unsigned char)std::lround(std::clamp(c.r, 0.f, 1.f) * a * 255);
            row[x * 4 + 1] = (unsigned char)std::lround(std::clamp(c.g, 0.f, 1.f) * a * 255);
            row[x * 4 + 2] = (unsigned char)std::lround(std::clamp(c.b, 0.f, 1.f) * a * 255);
            row[x * 4 + 3] = (unsigned char)std::lround(a * 255);
        }
    }
    al_unlock_bitmap(mem);
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
    ALLEGRO_BITMAP* vid = al_clone_bitmap(mem);
    al_set_new_bitmap_flags(flags);
    al_destroy_bitmap(mem);
    return vid;
}

void blit(ALLEGRO_BITMAP* b, float x, float y, float w, float h) {
    al_draw_scaled_bitmap(b, 0, 0, al_get_bitmap_width(b), al_get_bitmap_height(b), x, y, w, h, 0);
}

}  // namespace gen
