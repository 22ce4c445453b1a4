// Level props: the exit gate (2 x 1: closed, open), the lever (5 x 1: off to
// on), the security camera's head and holder with their pivots.
#include <array>
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

namespace gen {
void makeEffects();

namespace {

// The gate: a blast door in a heavy frame; open, the door has slid up and
// the corridor behind glows green.
void gateFrame(bool open) {
    // Frame.
    rrect(6, 10, 294, 346, 10, pal::ink);
    gradV(12, 16, 288, 346, hex(0x4a5564), hex(0x262d36));
    hazard(12, 16, 288, 44, 14, pal::ink, pal::hazard);
    rect(40, 58, 260, 346, pal::ink);
    if (open) {
        gradV(44, 62, 256, 346, hex(0x0d2a1c), hex(0x1f7a46));
        glow(150, 300, 150, pal::green, 0.55f);
        // Corridor floor lines in perspective.
        for (int i = 0; i < 5; i++) {
            float y = 250 + i * i * 5.f;
            line(44, y, 256, y, hex(0x6dffa0, 0.25f), 2);
        }
        line(150, 200, 60, 346, hex(0x6dffa0, 0.3f), 2);
        line(150, 200, 240, 346, hex(0x6dffa0, 0.3f), 2);
        // The door, slid up into the frame: only its lower edge shows.
        gradV(44, 62, 256, 96, hex(0x59636f), hex(0x39414c));
        hazard(44, 84, 256, 96, 10, pal::ink, pal::hazard);
        line(44, 97, 256, 97, pal::ink, 4);
        // An exit sign.
        rrect(104, 112, 196, 140, 4, pal::ink);
        rrect(107, 115, 193, 137, 3, hex(0x0c3a1e));
        text("EXIT", 150, 114, 20, pal::green, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    } else {
        gradV(44, 62, 256, 346, hex(0x59636f), hex(0x323a44));
        for (int i = 0; i < 5; i++) {
            float y = 100 + i * 50;
            line(44, y, 256, y, pal::ink.alpha(0.7f), 3);
            line(46, y + 3, 254, y + 3, hex(0x8796a8, 0.35f), 2);
        }
        hazard(44, 312, 256, 346, 14, pal::ink, pal::hazard);
        // Lock wheel.
        disc(150, 200, 36, pal::ink);
        ring(150, 200, 27, hex(0x9aa6b4), 7);
        for (int i = 0; i < 4; i++) {
            float a = i * ALLEGRO_PI / 4;
            line(150 - 27 * std::cos(a), 200 - 27 * std::sin(a), 150 + 27 * std::cos(a),
                 200 + 27 * std::sin(a), hex(0x9aa6b4), 5);
        }
        disc(150, 200, 9, hex(0x59636f));
    }
    // Status lamp above.
    Col lamp = open ? pal::green : pal::alarm;
    glow(150, 30, 46, lamp, 0.7f);
    rrect(126, 22, 174, 40, 6, pal::ink);
    rrect(130, 25, 170, 37, 4, lamp);
    line(134, 28, 160, 28, pal::white.alpha(0.7f), 2);
    for (float x : {26.f, 274.f})
        for (float y : {70.f, 190.f, 320.f}) rivet(x, y, 5);
}

void makeGate() {
    Canvas c(600, 350);
    for (int f = 0; f < 2; f++) {
        c.cell(f, 0, 300, 350);
        gateFrame(f == 1);
        c.endCell();
    }
    c.save("Resources/Images/Ingame/gate.png");
}

// A wall switch box with a handle that swings from left (off, red) to right
// (on, green); frames 0..4.
void leverFrame(int f) {
    float t = f / 4.f;
    rrect(8, 64, 82, 146, 8, pal::ink);
    gradV(12, 68, 78, 142, hex(0x505b68), hex(0x2a313a));
    hazard(12, 126, 78, 142, 8, pal::ink, pal::hazard);
    for (float x : {20.f, 70.f}) rivet(x, 78, 4);
    // Slot and handle.
    rrect(28, 92, 62, 104, 5, pal::ink);
    float a = (-0.6f + 1.2f * t) - ALLEGRO_PI / 2;
    float hx = 45 + std::cos(a) * 56, hy = 100 + std::sin(a) * 56;
    limb(45, 100, hx, hy, 9, hex(0xa9b4c2), 3);
    disc(hx, hy, 13, pal::ink);
    disc(hx, hy, 10, f == 4 ? pal::green : (f == 0 ? pal::alarm : hex(0xd08a30)));
    disc(hx - 3, hy - 3, 3.5f, pal::white.alpha(0.6f));
    disc(45, 100, 8, hex(0x3a424c));
    // Indicator lamps: red lit while off, green lit when on.
    Col red = f == 4 ? hex(0x4a1a1a) : pal::alarm, grn = f == 4 ? pal::green : hex(0x1a3a22);
    if (f != 4) glow(22, 114, 14, pal::alarm, 0.6f);
    if (f == 4) glow(68, 114, 14, pal::green, 0.6f);
    disc(22, 114, 5, red);
    disc(68, 114, 5, grn);
}

void makeLever() {
    Canvas c(450, 150);
    for (int f = 0; f < 5; f++) {
        c.cell(f, 0, 90, 150);
        leverFrame(f);
        c.endCell();
    }
    c.save("Resources/Images/Ingame/lever.png");
}

// The camera's lens is on its left end: the game turns the head to the
// player's direction plus pi, so the image's -x side faces the player.
void makeCamera() {
    Canvas c(120, 60);
    std::vector<float> shell = {14, 14, 104, 10, 116, 18, 116, 44, 104, 50, 14, 46};
    polyLine(shell, pal::ink, 6);
    poly(shell, hex(0xc9ced6));
    gradV(16, 14, 112, 30, hex(0xeef1f5), hex(0xb7bec8));
    line(20, 40, 110, 42, hex(0x8a93a0), 3);
    // Hood over the lens.
    std::vector<float> hood = {4, 8, 40, 8, 40, 16, 8, 18};
    polyLine(hood, pal::ink, 4);
    poly(hood, hex(0x59636f));
    // Lens.
    disc(16, 31, 15, pal::ink);
    disc(16, 31, 11, hex(0x1b2430));
    radial(14, 29, 8, 8, hex(0x8a2030), hex(0x2a0c12));
    disc(12, 27, 2.5f, pal::white.alpha(0.8f));
    // Recording LED.
    glow(96, 22, 12, pal::alarm, 0.8f);
    disc(96, 22, 3.5f, pal::alarm);
    c.save("Resources/Images/Ingame/Enemy/camera.png");
}

// Holder: wall plate at the bottom (pivot 0.5, 0.85), an arm up to the
// swivel at the image centre where the head sits.
void makeHolder() {
    Canvas c(100, 140);
    rrect(18, 112, 82, 136, 5, pal::ink);
    gradV(22, 115, 78, 133, hex(0x6a7583), hex(0x39414c));
    rivet(30, 124, 3.5f);
    rivet(70, 124, 3.5f);
    limb(50, 118, 50, 74, 14, hex(0x59636f), 3);
    line(46, 116, 46, 78, hex(0x9aa6b4, 0.6f), 2.5f);
    disc(50, 70, 13, pal::ink);
    disc(50, 70, 10, hex(0x7b8694));
    disc(47, 67, 4, hex(0xc0c8d2));
    // Cable.
    al_draw_spline(std::array<float, 8>{56, 114, 74, 104, 70, 86, 58, 76}.data(), pal::ink.al(), 3);
    c.save("Resources/Images/Ingame/Enemy/camera_holder.png");
}

}  // namespace

void makeProps() {
    makeGate();
    makeLever();
    makeCamera();
    makeHolder();
    makeEffects();
}

}  // namespace gen
