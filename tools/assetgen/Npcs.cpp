// The four NPC sheets (4 x 1 frames of 200 x 300): a technician, a guard,
// a scientist and a maintenance droid. The game plays each 0-1-2-3-2-1...,
// so every frame is a small step of one idle motion with no jump at either end.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Figure.h"

namespace gen {
namespace {

struct Look {
    Col suit, trousers, skin, accent;
    int hat;  // 0 hard hat, 1 peaked cap, 2 hair and glasses
};

void person(const Look& k, float t, int kind) {
    float breathe = std::sin(t * ALLEGRO_PI / 2) * 3;  // 0 .. 3 over the four frames
    P2 hip{98, 182}, neck{102, 96 - breathe};
    // Legs: planted, slightly apart.
    for (int side = 0; side < 2; side++) {
        float sh = side == 0 ? 0.65f : 1.f;
        P2 h = hip + P2{side == 0 ? -5.f : 5.f, 0};
        P2 ankle{side == 0 ? 84.f : 114.f, 284};
        P2 knee = solveJoint(h, ankle, 54, 52, 1);
        boot(ankle + P2{0, 2}, 0, hex(0x15181d).mul(0.7f + 0.3f * sh));
        limb(knee.x, knee.y, ankle.x, ankle.y, 21, k.trousers.mul(sh), 3);
        limb(h.x, h.y, knee.x, knee.y, 25, k.trousers.mul(sh), 3);
    }
    // Back arm hangs.
    P2 shB = neck + P2{-8, 22}, handB = shB + P2{-4, 76};
    P2 elB = solveJoint(shB, handB, 40, 40, -1);
    limb(elB.x, elB.y, handB.x, handB.y, 15, k.suit.mul(0.65f), 3);
    limb(shB.x, shB.y, elB.x, elB.y, 18, k.suit.mul(0.65f), 3);
    disc(handB.x, handB.y, 8, k.skin.mul(0.7f));
    // Torso (a lab coat flares below the hips).
    std::vector<float> body = {neck.x - 24,
                               neck.y + 6,
                               neck.x + 24,
                               neck.y + 6,
                               hip.x + 24,
                               hip.y - 4,
                               hip.x + (kind == 2 ? 32.f : 22.f),
                               hip.y + (kind == 2 ? 50.f : 12.f),
                               hip.x - (kind == 2 ? 30.f : 22.f),
                               hip.y + (kind == 2 ? 50.f : 12.f),
                               hip.x - 24,
                               hip.y - 4};
    polyLine(body, pal::ink, 7);
    poly(body, k.suit);
    line(neck.x + 14, neck.y + 12, hip.x + 18, hip.y, k.suit.mul(1.25f).alpha(0.7f), 4);
    if (kind == 0) {  // coverall: reflective stripes and a tool belt
        line(neck.x - 22, neck.y + 48, neck.x + 22, neck.y + 48, hex(0xe8f0f0), 6);
        line(hip.x - 23, hip.y - 6, hip.x + 23, hip.y - 6, hex(0x2a2118), 9);
        rect(hip.x + 6, hip.y - 4, hip.x + 18, hip.y + 12, hex(0x4a3a28));
    } else if (kind == 1) {  // guard: badge and belt
        disc(neck.x + 12, neck.y + 30, 5, pal::hazard);
        line(hip.x - 23, hip.y - 6, hip.x + 23, hip.y - 6, hex(0x101318), 9);
        rect(hip.x - 6, hip.y - 10, hip.x + 4, hip.y - 2, hex(0x9aa4b0));
    } else {  // lab coat: lapels and a pocket with pens
        line(neck.x, neck.y + 8, neck.x + 10, neck.y + 60, hex(0xaab3bd), 3);
        line(neck.x, neck.y + 8, neck.x - 10, neck.y + 60, hex(0xaab3bd), 3);
        rect(neck.x + 10, neck.y + 30, neck.x + 20, neck.y + 36, hex(0x3060c0));
    }
    // Head.
    P2 hc = neck + P2{2, -30};
    float nod = kind == 2 ? t * 0.12f : (kind == 1 ? -t * 0.08f : t * 0.05f);
    limb(neck.x, neck.y + 4, hc.x, hc.y + 16, 15, k.skin, 3);
    push(hc.x, hc.y, nod);
    disc(0, 0, 26, pal::ink);
    disc(0, 0, 23, k.skin);
    disc(12, -2, 3, pal::ink);  // eye
    line(8, 10, 16, 9, pal::ink.alpha(0.6f), 2);
    if (k.hat == 0) {
        std::vector<float> hat = {-26, -4, -22, -20, -8, -28, 10, -27, 24, -16, 30, -6};
        polyLine(hat, pal::ink, 5);
        poly(hat, pal::hazard);
        line(-24, -6, 34, -6, pal::ink, 5);
        line(-8, -24, 14, -24, hex(0xfff0a0), 3);
    } else if (k.hat == 1) {
        std::vector<float> cap = {-25, -6, -20, -24, 16, -24, 22, -8};
        polyLine(cap, pal::ink, 5);
        poly(cap, hex(0x1d2a44));
        line(8, -7, 36, -4, pal::ink, 5);
        disc(2, -16, 4, pal::hazard);
    } else {
        std::vector<float> hair = {-25, 4, -24, -16, -8, -26, 14, -24, 22, -14, 4, -16, -12, -8};
        polyLine(hair, pal::ink, 4);
        poly(hair, hex(0x8b8f96));
        ring(13, -2, 6, pal::ink, 2.5f);
        line(19, -2, 24, -1, pal::ink, 2);
    }
    pop();
    // Front arm with the prop of each character.
    P2 shF = neck + P2{6, 22};
    P2 hand;
    if (kind == 0)
        hand = shF + P2{30, 52 - t * 26};  // wrench lifted to tap the palm
    else if (kind == 1)
        hand = shF + P2{40, 40 - t * 10};  // torch swept across
    else
        hand = shF + P2{34, 42};  // tablet held up
    P2 elF = solveJoint(shF, hand, 40, 40, -1);
    if (kind == 1) {
        float a = -0.15f - t * 0.3f;
        push(hand.x, hand.y, a);
        float xy[8] = {10, -4, 95, -26, 95, 26, 10, 4};
        Col c[4] = {hex(0xfff2c0, 0.55f), hex(0xfff2c0, 0), hex(0xfff2c0, 0), hex(0xfff2c0, 0.55f)};
        quad(xy, c);
        rrect(-6, -5, 14, 5, 2, hex(0x111418));
        disc(14, 0, 5, hex(0xfff6d0));
        pop();
    }
    if (kind == 2) {
        push(hand.x, hand.y, -0.5f + t * 0.1f);
        rrect(-4, -20, 8, 18, 2, pal::ink);
        rect(-2, -17, 6, 15, pal::teal);
        pop();
    }
    limb(elF.x, elF.y, hand.x, hand.y, 15, k.suit.mul(1.05f), 3);
    limb(shF.x, shF.y, elF.x, elF.y, 18, k.suit.mul(1.05f), 3);
    disc(hand.x, hand.y, 8, k.skin);
    if (kind == 0) {
        push(hand.x, hand.y, -1.1f + t * 0.6f);
        limb(0, 0, 0, -40, 7, hex(0x9aa4b0), 2);
        ring(0, -46, 8, hex(0x9aa4b0), 6);
        pop();
    }
}

void droid(float t) {
    float bob = std::sin(t * ALLEGRO_PI / 2) * 5;
    // Tracks.
    rrect(48, 258, 152, 296, 16, pal::ink);
    rrect(52, 262, 148, 292, 13, hex(0x2b3038));
    for (int i = 0; i < 5; i++) disc(66 + i * 17, 277, 7, hex(0x4a525c));
    // Body.
    push(0, -bob);
    limb(100, 250, 100, 214, 18, hex(0x3a424c), 3);
    rrect(54, 130, 146, 220, 12, pal::ink);
    gradV(58, 134, 142, 216, hex(0xc98a2b), hex(0x8a5518));
    hazard(58, 196, 142, 212, 8, pal::ink, pal::hazard);
    rect(70, 150, 130, 184, hex(0x1a1e24));
    for (int i = 0; i < 4; i++) line(76, 157 + i * 8, 76 + 12 + i * 9, 157 + i * 8, pal::green, 3);
    // Head with one eye that opens and narrows.
    rrect(66, 70, 134, 124, 14, pal::ink);
    gradV(70, 74, 130, 120, hex(0x59636f), hex(0x323a44));
    float eye = 10 - t * 6;
    glow(112, 96, 26, pal::amber, 0.5f);
    ellipse(112, 96, 12, eye, pal::amber);
    ellipse(114, 95, 5, eye * 0.5f, hex(0xfff2c8));
    // Antenna.
    line(82, 72, 78 - t * 4, 40, pal::ink, 4);
    disc(78 - t * 4, 38, 6, pal::alarm);
    // Arm with a clamp.
    limb(130, 170, 160, 196 - t * 8, 12, hex(0x59636f), 3);
    line(160, 196 - t * 8, 172, 188 - t * 8, pal::ink, 5);
    line(160, 196 - t * 8, 172, 206 - t * 8, pal::ink, 5);
    pop();
}

}  // namespace

void makeNpcs() {
    const Look looks[3] = {{hex(0xd0742c), hex(0x7a4520), hex(0xc99a78), pal::hazard, 0},
                           {hex(0x2f4468), hex(0x1c2638), hex(0xa8805f), pal::hazard, 1},
                           {hex(0xd8dde3), hex(0x30343c), hex(0xe0b894), pal::teal, 2}};
    for (int n = 0; n < 4; n++) {
        Canvas c(800, 300);
        for (int f = 0; f < 4; f++) {
            c.cell(f, 0, 200, 300);
            if (n < 3)
                person(looks[n], f / 3.f, n);
            else
                droid(f / 3.f);
            c.endCell();
        }
        c.save("Resources/Images/Ingame/NPCs/npc" + std::to_string(n + 1) + ".png");
    }
}

}  // namespace gen
