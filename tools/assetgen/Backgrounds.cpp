// Precreated backgrounds: "levelN-1" a 512 x 512 wall that tiles
// in both directions, "levelN-2" a 1024 x 512 feature piece of the area
// (containers, server racks, tanks or a window), "level7bg" the reactor hall.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/Theme.h"

namespace gen {
namespace {

const std::string kDir = "Editor/Backgrounds/Dovra/";

// Everything is placed so that what crosses an edge is the same on the
// opposite edge: seams sit at 128 and 384, lamps lie wholly inside.
void wall(int n) {
    const Theme& t = theme(n);
    Canvas c(512, 512);
    Col base = hex(t.base).mul(0.55f);
    grime(0, 0, 512, 512, base, 500 + n, 0.25f, 8);
    for (float x : {128.f, 384.f}) {
        line(x, 0, x, 512, pal::ink.alpha(0.8f), 5);
        line(x + 3, 0, x + 3, 512, base.mul(1.6f).alpha(0.5f), 2);
    }
    line(0, 256, 512, 256, pal::ink.alpha(0.6f), 4);
    for (float x : {150.f, 362.f, 406.f, 106.f})
        for (float y : {40.f, 216.f, 296.f, 472.f}) rivet(x, y, 3.5f);
    hazard(0, 420, 512, 440, 16, pal::ink.alpha(0.85f), hex(t.trim).mul(0.55f));
    for (float x : {256.f, 0.f, 512.f}) {
        glow(x, 96, 60, hex(t.lamp), 0.35f);
        rrect(x - 20, 90, x + 20, 100, 3, pal::ink);
        rect(x - 16, 93, x + 16, 98, hex(t.lamp).mix(pal::white, 0.4f));
    }
    c.save(kDir + "level" + std::to_string(n) + "-1.png");
}

void lampCone(float x, float y, float spread, float len, Col c) {
    float xy[8] = {x - 16, y, x + 16, y, x + spread, y + len, x - spread, y + len};
    Col cc[4] = {c.alpha(0.3f), c.alpha(0.3f), c.alpha(0), c.alpha(0)};
    quad(xy, cc);
    rrect(x - 26, y - 8, x + 26, y + 2, 3, pal::ink);
}

void feature(int n) {
    const Theme& t = theme(n);
    Col base = hex(t.base), lamp = hex(t.lamp);
    Canvas c(1024, 512);
    gradV(0, 0, 1024, 512, base.mul(0.5f), base.mul(0.2f));
    for (float x = 0; x < 1024; x += 256) line(x, 0, x, 512, pal::ink.alpha(0.5f), 4);
    if (n == 1) {  // stacked shipping containers
        Col cols[3] = {hex(0x8a3a22), hex(0x2a5a7a), hex(0x7a6a22)};
        for (int i = 0; i < 5; i++) {
            float x = 40 + i * 190, y = i % 2 ? 300 : 200, h = 512 - y;
            rect(x, y, x + 180, 512, pal::ink);
            gradV(x + 4, y + 4, x + 176, 512, cols[i % 3], cols[i % 3].mul(0.5f));
            for (float xx = x + 14; xx < x + 170; xx += 14)
                line(xx, y + 8, xx, 508, pal::ink.alpha(0.4f), 3);
            (void)h;
        }
    } else if (n == 2) {  // server racks with status lights
        for (int i = 0; i < 6; i++) {
            float x = 40 + i * 162;
            rect(x, 90, x + 140, 512, pal::ink);
            gradV(x + 4, 94, x + 136, 512, hex(0x27313b), hex(0x12171d));
            for (int r = 0; r < 16; r++) {
                float y = 104 + r * 24;
                rect(x + 10, y, x + 130, y + 18, hex(0x0b0f14));
                Col led = hash2(i, r, 7) > 0.7f ? pal::alarm
                                                : (hash2(i, r, 8) > 0.3f ? lamp : pal::green);
                disc(x + 118, y + 9, 3, led);
                for (int k = 0; k < 6; k++)
                    line(x + 18 + k * 12, y + 5, x + 18 + k * 12, y + 13, hex(0x2a3440), 3);
            }
        }
    } else if (n == 3 || n == 4 || n == 7) {  // tanks, pipes and a glow
        for (int i = 0; i < 3; i++) {
            float x = 120 + i * 320;
            rrect(x - 100, 120, x + 100, 512, 60, pal::ink);
            float xy[8] = {x - 96, 124, x + 96, 124, x + 96, 512, x - 96, 512};
            Col cc[4] = {base.mul(1.4f), base.mul(0.6f), base.mul(0.6f), base.mul(1.4f)};
            quad(xy, cc);
            for (float y : {200.f, 320.f, 440.f})
                line(x - 96, y, x + 96, y, pal::ink.alpha(0.7f), 5);
            glow(x, 260, 60, lamp, 0.5f);
            rrect(x - 24, 230, x + 24, 290, 6, pal::ink);
            rrect(x - 18, 236, x + 18, 284, 4, lamp);
        }
        for (float y : {60.f, 90.f}) {
            rect(0, y - 10, 1024, y + 10, pal::ink);
            gradV(0, y - 8, 1024, y + 8, base.mul(1.6f), base.mul(0.5f));
        }
    } else {  // a large window onto the outside
        rect(60, 60, 964, 420, pal::ink);
        if (n == 9) {
            gradV(68, 68, 956, 412, hex(0x0a1030), hex(0x3a2a5a));
            for (int i = 0; i < 40; i++) {
                float x = 68 + hash2(i, 1, 9) * 880, h = 60 + hash2(i, 2, 9) * 200;
                rect(x, 412 - h, x + 26 + hash2(i, 3, 9) * 30, 412, hex(0x080b14));
                if (hash2(i, 4, 9) > 0.4f) disc(x + 10, 412 - h - 4, 2.5f, pal::alarm);
            }
            for (int i = 0; i < 60; i++)
                disc(68 + hash2(i, 5, 9) * 880, 70 + hash2(i, 6, 9) * 150, 1.2f,
                     pal::white.alpha(0.7f));
        } else {
            gradV(68, 68, 956, 412, lamp.mul(0.35f), base.mul(0.3f));
            glow(512, 240, 300, lamp, 0.35f);
            for (int i = 0; i < 8; i++)
                line(68 + i * 127, 68, 68 + i * 127 - 60, 412, lamp.alpha(0.12f), 18);
        }
        for (float x : {356.f, 668.f}) rect(x - 8, 60, x + 8, 420, pal::ink);
        rect(60, 232, 964, 244, pal::ink);
        line(60, 424, 964, 424, base.mul(1.5f), 4);
    }
    lampCone(200, 24, 160, 400, lamp);
    lampCone(824, 24, 160, 400, lamp);
    gradV(0, 430, 1024, 512, hex(0x000000, 0), hex(0x000000, 0.5f));
    std::string name = n == 0 ? "" : "level" + std::to_string(n) + "-2.png";
    c.save(kDir + name);
}

void reactorHall() {
    Canvas c(1600, 900);
    Col lamp = hex(theme(7).lamp);
    gradV(0, 0, 1600, 900, hex(0x141a12), hex(0x06080a));
    for (float x = 0; x < 1600; x += 200) line(x, 0, x, 900, pal::ink.alpha(0.6f), 5);
    glow(800, 430, 620, lamp, 0.35f);
    // The core: a cylinder with glowing rings inside a cage.
    rrect(600, 120, 1000, 860, 40, pal::ink);
    float xy[8] = {610, 130, 990, 130, 990, 850, 610, 850};
    Col cc[4] = {hex(0x3a4a20), hex(0x1a220e), hex(0x1a220e), hex(0x3a4a20)};
    quad(xy, cc);
    for (int i = 0; i < 6; i++) {
        float y = 200 + i * 110;
        rect(620, y, 980, y + 26, lamp.mul(0.9f));
        line(620, y + 4, 980, y + 4, hex(0xf4ffc0), 4);
        glow(800, y + 13, 220, lamp, 0.25f);
    }
    for (float x = 640; x < 980; x += 60) line(x, 130, x, 850, pal::ink.alpha(0.8f), 8);
    // Catwalks either side.
    for (float y : {300.f, 620.f}) {
        rect(0, y, 560, y + 20, hex(0x39424e));
        rect(1040, y, 1600, y + 20, hex(0x39424e));
        for (float x = 0; x < 560; x += 70) line(x, y - 70, x, y, hex(0x39424e), 5);
        for (float x = 1040; x < 1600; x += 70) line(x, y - 70, x, y, hex(0x39424e), 5);
        line(0, y - 70, 560, y - 70, hex(0x39424e), 5);
        line(1040, y - 70, 1600, y - 70, hex(0x39424e), 5);
    }
    hazard(0, 860, 1600, 900, 30, pal::ink, pal::hazard.mul(0.6f));
    c.save(kDir + "level7bg.png");
}

}  // namespace

void makeBackgrounds() {
    for (int n = 1; n <= 9; n++) {
        wall(n);
        feature(n);
    }
    reactorHall();
}

}  // namespace gen
