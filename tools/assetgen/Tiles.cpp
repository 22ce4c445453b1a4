// Precreated box and circle images, grouped by level theme:
// "levelNblock" a 256 x 64 slab that tiles sideways, "levelNblock1" a crate,
// "levelNblock2" a heavy block; circles are round objects on transparent
// ground, 128 x 128.
#include <array>
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/Theme.h"

namespace gen {
void makeBackgrounds();

void grime(float x, float y, int w, int h, Col base, int seed, float amount, int period) {
    float cell = period > 0 ? (float)w / period : 24.f;
    ALLEGRO_BITMAP* b = pixels(w, h, [&](int px, int py) {
        float n = fbm(px / cell, py / cell, seed, 3, period);
        float k = 1 + (n - 0.5f) * amount * 2;
        // Quantised a little: flat areas compress far better as PNG.
        k = std::round(k * 40) / 40;
        return base.mul(k);
    });
    blit(b, x, y, w, h);
    al_destroy_bitmap(b);
}

namespace {

void bevel(float w, float h, Col base, float e) {
    rect(0, 0, w, h, pal::ink);
    rect(e * 0.5f, e * 0.5f, w - e * 0.5f, h - e * 0.5f, base.mul(1.35f));
    rect(e, e, w - e * 0.5f, h - e * 0.5f, base.mul(0.6f));
}

void slab(const Theme& t, const std::string& path, int seed) {
    Canvas c(256, 64);
    Col base = hex(t.base);
    rect(0, 0, 256, 64, pal::ink);
    grime(0, 3, 256, 58, base, seed, 0.18f, 8);
    line(0, 5, 256, 5, base.mul(1.6f), 3);
    line(0, 59, 256, 59, base.mul(0.5f), 3);
    hazard(0, 44, 256, 56, 12, pal::ink.alpha(0.9f), hex(t.trim).mul(0.85f));
    for (float x : {32.f, 96.f, 160.f, 224.f}) rivet(x, 24, 4);
    for (float x : {64.f, 192.f}) line(x, 8, x, 42, pal::ink.alpha(0.6f), 3);
    c.save(path);
}

void crate(const Theme& t, const std::string& path, int seed, bool wood) {
    Canvas c(128, 128);
    Col base = wood ? hex(0x7a5532) : hex(t.base).mul(1.2f);
    rect(0, 0, 128, 128, pal::ink);
    grime(4, 4, 120, 120, base, seed, 0.22f);
    if (wood)
        for (int i = 1; i < 5; i++) line(4, 4 + i * 24, 124, 4 + i * 24, pal::ink.alpha(0.5f), 2);
    // Frame and cross brace.
    Col frame = wood ? hex(0x5a3c22) : base.mul(0.7f);
    for (auto r : {std::array<float, 4>{4, 4, 124, 18}, std::array<float, 4>{4, 110, 124, 124},
                   std::array<float, 4>{4, 4, 18, 124}, std::array<float, 4>{110, 4, 124, 124}})
        rect(r[0], r[1], r[2], r[3], frame);
    limb(22, 106, 106, 22, 12, frame, 2);
    al_draw_rectangle(4, 4, 124, 124, pal::ink.al(), 3);
    al_draw_rectangle(18, 18, 110, 110, pal::ink.al(), 2);
    line(6, 6, 122, 6, base.mul(1.5f), 2);
    for (float x : {11.f, 117.f})
        for (float y : {11.f, 117.f}) rivet(x, y, 3);
    if (!wood) text("DVR", 64, 50, 22, hex(t.trim, 0.8f), ALLEGRO_ALIGN_CENTRE, Face::Bold);
    c.save(path);
}

void heavy(const Theme& t, const std::string& path, int seed) {
    Canvas c(128, 128);
    Col base = hex(t.base).mul(0.9f);
    rect(0, 0, 128, 128, pal::ink);
    grime(3, 3, 122, 122, base, seed, 0.3f);
    bevel(128, 128, base, 6);
    grime(8, 8, 114, 114, base, seed + 1, 0.3f);
    hazard(8, 8, 120, 28, 12, pal::ink, hex(t.trim).mul(0.9f));
    hazard(8, 100, 120, 120, 12, pal::ink, hex(t.trim).mul(0.9f));
    line(20, 40, 60, 90, pal::ink.alpha(0.4f), 2);
    line(60, 90, 72, 84, pal::ink.alpha(0.4f), 2);
    glow(64, 64, 22, hex(t.lamp), 0.5f);
    disc(64, 64, 7, hex(t.lamp));
    c.save(path);
}

// A round object on transparent ground; `kind` picks the motif.
void roundThing(const Theme& t, const std::string& path, int kind) {
    Canvas c(128, 128);
    Col base = hex(t.base).mul(1.3f), lamp = hex(t.lamp);
    disc(64, 64, 63, pal::ink);
    radial(64, 64, 59, 59, base.mul(1.5f), base.mul(0.7f));
    ring(64, 64, 52, pal::ink.alpha(0.8f), 4);
    switch (kind % 4) {
        case 0:  // cable reel
            for (int i = 0; i < 6; i++)
                ring(64, 64, 18 + i * 5, hex(0x1a1e24).mix(lamp, i % 2 * 0.3f), 3);
            disc(64, 64, 12, pal::ink);
            break;
        case 1:  // fan
            for (int i = 0; i < 5; i++) {
                push(64, 64, i * 2 * ALLEGRO_PI / 5);
                std::vector<float> blade = {6, -6, 44, -18, 48, 4, 8, 8};
                poly(blade, base.mul(0.8f));
                polyLine(blade, pal::ink, 2);
                pop();
            }
            disc(64, 64, 10, lamp);
            break;
        case 2:  // gear
            for (int i = 0; i < 10; i++) {
                push(64, 64, i * ALLEGRO_PI / 5);
                rect(34, -6, 50, 6, pal::ink.alpha(0.7f));
                pop();
            }
            ring(64, 64, 26, pal::ink, 6);
            disc(64, 64, 8, pal::ink);
            break;
        default:  // hatch with a warning ring
            ring(64, 64, 40, lamp.alpha(0.8f), 6);
            for (int i = 0; i < 4; i++) {
                push(64, 64, i * ALLEGRO_PI / 2 + 0.4f);
                rect(-4, -34, 4, -14, pal::ink.alpha(0.7f));
                pop();
            }
            disc(64, 64, 10, lamp);
    }
    ellipse(46, 36, 18, 9, pal::white.alpha(0.12f));
    c.save(path);
}

}  // namespace

void makeTiles() {
    const std::string B = "Editor/Boxes/Dovra/", C = "Editor/Circles/Dovra/";
    crate(theme(0), B + "block1.png", 11, false);
    crate(theme(0), B + "block2.png", 12, true);
    const int withCrate[] = {1, 2, 4};
    for (int n : {1, 2, 4, 5, 7, 8, 9}) {
        std::string l = "level" + std::to_string(n);
        slab(theme(n), B + l + "block.png", 100 + n);
        heavy(theme(n), B + l + "block2.png", 200 + n);
        for (int m : withCrate)
            if (m == n) crate(theme(n), B + l + "block1.png", 300 + n, n == 1);
        roundThing(theme(n), C + l + "circle.png", n);
    }
    // The studio disc.
    Canvas c(128, 128);
    disc(64, 64, 63, pal::ink);
    disc(64, 64, 58, hex(0x121a22));
    ring(64, 64, 54, pal::teal, 5);
    ellipse(64, 64, 38, 21, pal::paper);
    ellipse(64, 64, 33, 17, hex(0x0b1117));
    disc(64, 64, 12, pal::teal);
    disc(60, 60, 4, pal::white);
    c.save(C + "VAZEzadide-circle.png");
    makeBackgrounds();
}

}  // namespace gen
