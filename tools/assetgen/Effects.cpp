// One-shot effect sheets: "block_anim.png" 8 x 8 frames of a
// block shattering, played 4 frames per tick; "shot_anim.png" 8 x 4 frames of
// an impact flash, played 3 frames per tick. Both are drawn centred in each
// cell and stretched by the game over the area they cover.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

namespace gen {
namespace {

float rnd(int i, int k) {
    return hash2(i, k, 977);
}

void shatterFrame(float t) {
    const float cx = 64, cy = 64;
    // Flash.
    if (t < 0.2f) {
        float k = 1 - t / 0.2f;
        glow(cx, cy, 40 + 40 * t / 0.2f, pal::amber, 0.9f * k);
        disc(cx, cy, 18 * k, pal::white.alpha(0.9f * k));
    }
    // Dust puffs grow and thin out.
    for (int i = 0; i < 7; i++) {
        float a = rnd(i, 1) * 2 * ALLEGRO_PI, d = 10 + 30 * t * (0.5f + rnd(i, 2));
        float r = 10 + 26 * std::sqrt(t) * (0.6f + 0.6f * rnd(i, 3));
        float alpha = 0.45f * (1 - t) * std::fmin(1.f, t * 8);
        glow(cx + std::cos(a) * d, cy + std::sin(a) * d + 12 * t, r, hex(0x8a8f98), alpha * 1.6f);
    }
    // Shards fly out, spin, fall and fade.
    for (int i = 0; i < 16; i++) {
        float a = rnd(i, 4) * 2 * ALLEGRO_PI, sp = 40 + 50 * rnd(i, 5);
        float d0 = 6 + 22 * rnd(i, 10);
        float x = cx + std::cos(a) * (d0 + sp * t),
              y = cy + std::sin(a) * (d0 + sp * t) + 70 * t * t;
        float s = (9 + 11 * rnd(i, 6)) * (1 - 0.4f * t);
        float alpha = t < 0.7f ? 1 : 1 - (t - 0.7f) / 0.3f;
        push(x, y, rnd(i, 7) * 6 + t * (rnd(i, 8) - 0.5f) * 14);
        std::vector<float> shard = {-s, -s * 0.6f, s * 0.8f, -s, s, s * 0.5f, -s * 0.3f, s};
        polyLine(shard, pal::ink.alpha(alpha), 2.5f);
        Col c = (i % 3 == 0 ? hex(0x8a4a24) : (i % 3 == 1 ? hex(0x59636f) : hex(0x3a3d42)));
        poly(shard, c.alpha(alpha));
        line(-s * 0.8f, -s * 0.55f, s * 0.7f, -s * 0.9f, hex(0xb0bac6, 0.6f * alpha), 1.5f);
        pop();
    }
    // Sparks early on.
    if (t < 0.45f) {
        float k = 1 - t / 0.45f;
        for (int i = 0; i < 10; i++) {
            float a = rnd(i, 9) * 2 * ALLEGRO_PI, d0 = 10 + 60 * t, d1 = d0 + 10 * k;
            line(cx + std::cos(a) * d0, cy + std::sin(a) * d0, cx + std::cos(a) * d1,
                 cy + std::sin(a) * d1, hex(0xffd080, k), 2.5f);
        }
    }
}

void flashFrame(float t) {
    const float cx = 32, cy = 32;
    float k = 1 - t;
    glow(cx, cy, 14 + 18 * t, hex(0xfff0c8), 0.9f * k);
    ring(cx, cy, 6 + 22 * std::sqrt(t), hex(0xffe0a0, 0.8f * k * k), 3 * k + 0.5f);
    float core = 9 * (1 - t * t) * (t < 0.1f ? t / 0.1f : 1);
    disc(cx, cy, core, pal::white.alpha(k));
    for (int i = 0; i < 8; i++) {
        float a = i * ALLEGRO_PI / 4 + rnd(i, 11) * 0.5f;
        float d0 = 4 + 24 * t, d1 = d0 + 8 * k;
        line(cx + std::cos(a) * d0, cy + std::sin(a) * d0, cx + std::cos(a) * d1,
             cy + std::sin(a) * d1, hex(0xffc060, k), 2);
    }
}

}  // namespace

void makeEffects() {
    {
        Canvas c(1024, 1024);
        for (int f = 0; f < 64; f++) {
            c.cell(f % 8, f / 8, 128, 128);
            shatterFrame(f / 63.f);
            c.endCell();
        }
        c.save("Resources/Images/Ingame/Animations/block_anim.png");
    }
    Canvas c(512, 256);
    for (int f = 0; f < 32; f++) {
        c.cell(f % 8, f / 8, 64, 64);
        flashFrame(f / 31.f);
        c.endCell();
    }
    c.save("Resources/Images/Ingame/Animations/shot_anim.png");
}

}  // namespace gen
