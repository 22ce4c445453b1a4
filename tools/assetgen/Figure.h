#pragma once
// Small skeleton helpers for the humanoid sprites (player and NPCs): a
// two-bone solver for legs and arms and the outlined body pieces they share.
#include <cmath>

#include "tools/assetgen/Paint.h"

namespace gen {

struct P2 {
    float x = 0, y = 0;
};
inline P2 operator+(P2 a, P2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline P2 operator-(P2 a, P2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline P2 operator*(P2 a, float k) {
    return {a.x * k, a.y * k};
}
inline float len(P2 a) {
    return std::sqrt(a.x * a.x + a.y * a.y);
}
inline P2 unit(P2 a) {
    float l = len(a);
    return l > 0 ? a * (1 / l) : P2{0, 1};
}
inline P2 dirOf(float ang) {
    return {std::cos(ang), std::sin(ang)};
}

// Middle joint of a two-bone limb from `root` to `end`, bending toward the
// side `bend` (+1: the joint goes counter-clockwise of the root-end line in
// screen coordinates, which for a downward leg means forward, +x).
inline P2 solveJoint(P2 root, P2 end, float l1, float l2, float bend) {
    P2 d = end - root;
    float dist = std::fmin(std::fmax(len(d), std::fabs(l1 - l2) + 0.5f), l1 + l2 - 0.01f);
    float a = std::atan2(d.y, d.x);
    float c = (l1 * l1 + dist * dist - l2 * l2) / (2 * l1 * dist);
    float alpha = std::acos(std::fmax(-1.f, std::fmin(1.f, c)));
    return root + dirOf(a - bend * alpha) * l1;
}

// Where the end of a limb really lands when the target is out of reach.
inline P2 reach(P2 root, P2 end, float l1, float l2) {
    P2 d = end - root;
    float l = len(d);
    return l > l1 + l2 - 0.02f ? root + unit(d) * (l1 + l2 - 0.02f) : end;
}

// A boot whose sole runs from the ankle forward, turned by `tilt`.
inline void boot(P2 ankle, float tilt, Col c, float scale = 1) {
    push(ankle.x, ankle.y, tilt, scale, scale);
    std::vector<float> shape = {-11, -10, 8, -10, 14, -3, 30, 2, 31, 11, -12, 11};
    polyLine(shape, pal::ink, 6);
    poly(shape, c);
    rect(-12, 7, 31, 11, c.mul(0.55f));
    pop();
}

}  // namespace gen
