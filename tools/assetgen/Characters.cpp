// The player: body sheet (8 x 3 frames of 200 x 300, drawn without head,
// arms and gun) and the four 120 x 120 parts, whose pivots are those of
// the player rig, so that they join the body at the per-frame offsets of its table.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Figure.h"

namespace gen {
void makeNpcs();

namespace {

const char* kDir = "Resources/Images/Ingame/Player/";

// The player rig: per-frame offsets from the player's centre: arm pivot, head pivot.
const float kArm[24][2] = {
    {10.7, -59.1}, {11.2, -58.0}, {11.8, -56.5},  {11.0, -55.2},  {11.0, -53.9},  {10.9, -55.0},
    {11.1, -56.8}, {10.9, -58.3}, {11.4, -60.6},  {11.5, -58.6},  {11.7, -57.3},  {12.2, -55.4},
    {12.0, -50.0}, {11.8, -50.9}, {12.1, -53.1},  {12.6, -54.6},  {21.2, -45.4},  {19.5, -46.0},
    {17.4, -46.2}, {18.6, -46.1}, {-13.4, -40.2}, {-12.2, -40.8}, {-11.6, -41.5}, {-10.4, -41.9}};
const float kHead[24][2] = {
    {20.0, -82.5}, {20.0, -81.8}, {20.0, -80.5}, {20.0, -79.5}, {20.0, -78.4}, {20.0, -79.3},
    {20.0, -80.9}, {20.0, -82.1}, {20.0, -84.1}, {20.0, -82.8}, {20.0, -81.3}, {20.0, -79.4},
    {20.0, -74.2}, {20.0, -75.5}, {20.0, -77.3}, {20.0, -78.8}, {27.0, -70.5}, {24.6, -70.5},
    {21.5, -70.9}, {23.2, -70.6}, {-9.4, -63.9}, {-8.3, -64.5}, {-8.0, -65.0}, {-7.0, -65.0}};

const Col kSuit = hex(0x3a4757), kSuitDark = hex(0x2c3542), kPlate = hex(0x5b6e84),
          kBoot = hex(0x171b22), kSkin = hex(0x3a3f47);

void limb(P2 a, P2 b, float th, Col c, float ol) {
    gen::limb(a.x, a.y, b.x, b.y, th, c, ol);
}

const float kThigh = 66, kShin = 64, kAnkleY = 285;

// Ankle target of one leg in the run cycle; p in [0, 1): stance then swing.
P2 runAnkle(P2 hip, float p, float* tilt) {
    const float stance = 0.42f;
    if (p < stance) {
        *tilt = 0;
        return {hip.x + 32 - 78 * (p / stance), kAnkleY};
    }
    float s = (p - stance) / (1 - stance);
    float e = s * s * (3 - 2 * s);
    float lift = 78 * std::pow(std::sin(ALLEGRO_PI * s), 0.8f);
    // The heel kicks up behind before the leg swings through.
    float back = 26 * std::sin(ALLEGRO_PI * std::fmin(1.f, s * 1.6f));
    *tilt = 0.9f * std::sin(ALLEGRO_PI * s) * (1 - s) + 0.15f * std::sin(ALLEGRO_PI * s);
    return {hip.x - 46 + 78 * e - back, kAnkleY - lift};
}

void leg(P2 hip, P2 ankleTarget, float tilt, float shade, bool pad) {
    P2 ankle = reach(hip, ankleTarget, kThigh, kShin);
    P2 knee = solveJoint(hip, ankle, kThigh, kShin, 1);
    Col c = kSuitDark.mul(shade);
    boot(ankle + P2{0, 2}, tilt, kBoot.mul(0.6f + 0.4f * shade));
    limb(knee, ankle, 20, c, 3);
    limb(hip, knee, 25, c, 3);
    // Shin guard and knee pad catch the light on the near leg.
    P2 u = unit(ankle - knee);
    limb(knee + u * 8, knee + u * 40, 9, kPlate.mul(shade * 0.9f), 0);
    if (pad) disc(knee.x + 2, knee.y, 10, kPlate.mul(shade * 1.15f));
    line(hip.x + 6, hip.y + 6, knee.x + 6, knee.y, hex(0x5a6b80, 0.5f * shade), 3);
}

// Torso from neck to hip, facing +x: chest armour, backpack, belt.
void torso(P2 neck, P2 hip) {
    P2 u = unit(hip - neck), n{-u.y, u.x};  // n points to the back (-x when upright)
    float L = len(hip - neck);
    auto at = [&](float t, float side) { return neck + u * (t * L) + n * side; };
    // Backpack behind the shoulders.
    P2 b0 = at(0.12f, 18), b1 = at(0.55f, 18);
    limb(b0 + n * 12, b1 + n * 12, 26, hex(0x252c36), 3);
    gen::disc(at(0.3f, 42).x, at(0.3f, 42).y, 3.5f, pal::teal);
    std::vector<float> body;
    const float prof[][3] = {
        {0.05f, 14, 14}, {0.18f, 27, 24}, {0.45f, 27, 25}, {0.75f, 21, 20}, {1.02f, 24, 22}};
    for (auto& p : prof) {
        P2 q = at(p[0], -p[1]);
        body.insert(body.end(), {q.x, q.y});
    }
    for (int i = 4; i >= 0; i--) {
        P2 q = at(prof[i][0], prof[i][2]);
        body.insert(body.end(), {q.x, q.y});
    }
    polyLine(body, pal::ink, 7);
    poly(body, kSuit);
    // Chest plate: lighter, with a teal strip that reads in the dark.
    std::vector<float> plate;
    for (auto q : {at(0.16f, -25), at(0.16f, 10), at(0.55f, 8), at(0.6f, -22)})
        plate.insert(plate.end(), {q.x, q.y});
    poly(plate, kPlate);
    P2 s0 = at(0.22f, -20), s1 = at(0.5f, -16);
    line(s0.x, s0.y, s1.x, s1.y, pal::teal, 4);
    P2 hl0 = at(0.18f, -23), hl1 = at(0.4f, -24);
    line(hl0.x, hl0.y, hl1.x, hl1.y, hex(0x8fa3b8, 0.7f), 2.5f);
    // Belt with a buckle.
    P2 w0 = at(0.86f, -22), w1 = at(0.86f, 21);
    line(w0.x, w0.y, w1.x, w1.y, hex(0x14181e), 9);
    P2 bk = at(0.86f, -14);
    gen::rect(bk.x - 5, bk.y - 5, bk.x + 5, bk.y + 5, hex(0x8a96a4));
    // Neck.
    limb(neck + u * -2, neck + u * 16, 16, kSkin, 3);
}

void bodyFrame(int f) {
    P2 neck{100 + kHead[f][0], 150 + kHead[f][1]};
    const float T = 96;  // torso length
    P2 hip;
    if (f < 16)
        hip = neck + unit(P2{-0.14f, 1}) * T;
    else if (f < 20)
        hip = neck + unit(P2{-0.32f, 1}) * T;
    else
        hip = neck + unit(P2{0.05f, 1}) * (T + 8);
    P2 hipBack = hip + P2{-4, 0}, hipFront = hip + P2{4, 0};

    P2 aBack, aFront;
    float tBack = 0, tFront = 0;
    if (f < 16) {
        float p = f / 16.f - 0.05f;
        aFront = runAnkle(hipFront, p < 0 ? p + 1 : p, &tFront);
        aBack = runAnkle(hipBack, std::fmod(p + 0.5f + 1, 1.f), &tBack);
    } else if (f < 20) {
        float k = std::sin((f - 16) * ALLEGRO_PI / 2) * 5;
        aFront = hip + P2{34 + k, 92 - k};
        tFront = 0.35f;
        aBack = hip + P2{-30 - k, 118 + k * 0.5f};
        tBack = 0.7f;
    } else {
        aFront = {hip.x + 34, kAnkleY};
        aBack = {hip.x - 30, kAnkleY};
    }
    leg(hipBack, aBack, tBack, 0.62f, false);
    torso(neck, hip);
    leg(hipFront, aFront, tFront, 1.0f, true);
}

void makeBody() {
    Canvas c(1600, 900);
    for (int f = 0; f < 24; f++) {
        c.cell(f % 8, f / 8, 200, 300);
        bodyFrame(f);
        c.endCell();
    }
    c.save(std::string(kDir) + "body.png");
}

// An arm from the shoulder pivot (0.15, 0.44) to the hand at the gun offset
// (93.6, 9) of the player rig: the gun's grip lands in the glove.
void arm(bool front) {
    Canvas c(120, 120);
    float k = front ? 1.0f : 0.62f;
    P2 sh{18, 52.8f}, hand{front ? 106.f : 104.f, front ? 60.f : 63.f};
    P2 el = solveJoint(sh, hand, 48, 50, -1);
    el.y += 2;
    limb(el, hand, 15, kSuit.mul(k), 3);
    limb(sh, el, 19, kSuit.mul(k), 3);
    // Forearm guard with the teal band.
    P2 u = unit(hand - el);
    limb(el + u * 10, el + u * 34, 9, kPlate.mul(k), 0);
    if (front)
        line(el.x + u.x * 30, el.y + u.y * 30 - 5, el.x + u.x * 30, el.y + u.y * 30 + 5, pal::teal,
             3);
    gen::disc(hand.x, hand.y, 11, pal::ink);
    gen::disc(hand.x, hand.y, 8, kBoot.mul(front ? 1.6f : 1.1f));
    // Shoulder pad.
    gen::disc(sh.x, sh.y, 16, pal::ink);
    gen::disc(sh.x, sh.y, 13, kPlate.mul(k));
    gen::disc(sh.x - 3, sh.y - 4, 5, hex(0x7f92a8, 0.6f * k));
    c.save(std::string(kDir) + (front ? "armf.png" : "armb.png"));
}

// The gun, grip at the pivot (0.41, 0.66); the barrel points along +x.
void gun() {
    Canvas c(120, 120);
    std::vector<float> body = {24, 53, 110, 53, 116, 58, 116, 69, 72, 70, 66,
                               76, 60, 76,  57, 100, 41, 100, 43, 70, 24, 70};
    polyLine(body, pal::ink, 6);
    poly(body, hex(0x2a313b));
    gradV(26, 55, 112, 61, hex(0x5d6b7c), hex(0x343d49));  // slide catching the light
    rect(96, 62, 114, 68, hex(0x1a1f26));                  // barrel shroud
    line(30, 64, 92, 64, pal::teal, 3);                    // status strip
    disc(114, 60, 3, pal::ink);                            // muzzle
    std::vector<float> grip = {45, 72, 56, 72, 54, 97, 43, 97};
    poly(grip, hex(0x1d2229));
    for (int i = 0; i < 4; i++) line(46, 78 + i * 5, 54, 78 + i * 5, hex(0x2d343e), 2);
    ring(66, 79, 7, pal::ink, 3);  // trigger guard
    rect(24, 53, 32, 70, hex(0x20262e));
    c.save(std::string(kDir) + "gun.png");
}

// Helmet with a glowing visor facing +x; the neck base is the pivot (0.47, 0.6).
void head() {
    Canvas c(120, 120);
    limb(P2{56, 74}, P2{58, 56}, 17, kSkin, 3);
    disc(60, 38, 32, pal::ink);
    radial(56, 32, 29, 29, hex(0x566678), hex(0x28303b));
    // Crest and ear piece.
    line(34, 24, 60, 9, hex(0x6c7d90, 0.6f), 3);
    disc(50, 42, 7, pal::ink);
    disc(50, 42, 5, hex(0x3b4654));
    disc(50, 42, 2, pal::teal);
    // Visor.
    std::vector<float> visor = {64, 27, 92, 31, 91, 50, 66, 52, 61, 40};
    polyLine(visor, pal::ink, 5);
    poly(visor, hex(0x0c3f43));
    std::vector<float> lit = {67, 31, 89, 34, 88, 41, 65, 40};
    poly(lit, pal::teal);
    line(70, 33, 86, 35, pal::tealGlow, 2.5f);
    // Jaw guard.
    std::vector<float> jaw = {58, 54, 84, 54, 78, 64, 60, 64};
    polyLine(jaw, pal::ink, 4);
    poly(jaw, hex(0x3b4654));
    c.save(std::string(kDir) + "head.png");
}

void shot() {
    // Tinted white for the player's shots and red for the cameras': drawn
    // light so that the tint decides the colour. The pivot is at 0.8 width.
    Canvas c(128, 32);
    float xy[8] = {6, 15, 100, 9, 100, 23, 6, 17};
    Col cols[4] = {pal::white.alpha(0), pal::white.alpha(0.55f), pal::white.alpha(0.55f),
                   pal::white.alpha(0)};
    quad(xy, cols);
    glow(102, 16, 15, hex(0xfff4dc), 0.9f);
    ellipse(102, 16, 15, 5.5f, hex(0xfff8ee));
    ellipse(104, 16, 8, 3.5f, pal::white);
    c.save(std::string(kDir) + "shot.png");
}

void health() {
    // A heart on a hexagonal badge: one per health point in the HUD.
    Canvas c(64, 64);
    std::vector<float> hexa;
    for (int i = 0; i < 6; i++) {
        float a = ALLEGRO_PI / 6 + i * ALLEGRO_PI / 3;
        hexa.insert(hexa.end(), {32 + 29 * std::cos(a), 32 + 29 * std::sin(a)});
    }
    poly(hexa, pal::ink.alpha(0.85f));
    polyLine(hexa, hex(0x5a2a2a), 3);
    std::vector<float> heart;
    for (int i = 0; i < 48; i++) {
        float t = i * 2 * ALLEGRO_PI / 48;
        float x = 16 * std::pow(std::sin(t), 3);
        float y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        heart.insert(heart.end(), {32 + x * 1.05f, 31 - y * 1.05f});
    }
    polyLine(heart, pal::ink, 4);
    poly(heart, hex(0xe8343f));
    ellipse(25, 24, 5, 3.5f, hex(0xffb0b0, 0.8f));
    c.save(std::string(kDir) + "health.png");
}

}  // namespace

void makeCharacters() {
    makeBody();
    arm(true);
    arm(false);
    gun();
    head();
    shot();
    health();
    makeNpcs();
}

}  // namespace gen
