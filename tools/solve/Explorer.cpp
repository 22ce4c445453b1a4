#include "tools/solve/Explorer.h"

#include <cmath>

#include "tools/solve/SearchRandom.h"

namespace {

constexpr int kDurations[] = {4, 8, 12, 16, 24};
// Ticks between shots while aiming at a camera: fast enough to bring one
// down (five hits) before it fires twice.
constexpr int kShotSpacing = 3;

bool onScreen(NK::Vec2 p) {
    return p.x >= 0.0f && p.x <= 1920.0f && p.y >= 0.0f && p.y <= 1080.0f;
}

}  // namespace

NK::Vec2 aimAt(NK::Vec2 p, const NK::Rect& view, const NK::Rect& previous) {
    const float x = view.x + (view.x - previous.x);
    const float y = view.y + (view.y - previous.y);
    return {(p.x - x) * 1920.0f / view.width, (p.y - y) * 1080.0f / view.height};
}

bool playerTouches(NK::Vec2 c, const NK::Rect& r) {
    const float dx = std::abs(c.x - (r.x + r.width * 0.5f));
    const float dy = std::abs(c.y - (r.y + r.height * 0.5f));
    return dx <= (200.0f + r.width) * 0.5f && dy <= (300.0f + r.height) * 0.5f;
}

Exploration explore(HeadlessPlay& play, const LevelLayout& layout, std::uint64_t seed,
                    const ExploreSettings& settings) {
    SearchRandom random(seed);
    Exploration out;
    NK::Rect previousView = play.situation().view;
    NK::Vec2 pointer{960.0f, 540.0f};
    int move = random.below(3) - 1;  // -1 left, 0 stand, 1 right
    for (int m = 0; m < settings.macros; ++m) {
        const Situation& now = play.situation();
        if (now.ended() || now.tick + 1 >= settings.tickLimit) break;
        const int duration = kDurations[random.below(5)];
        if (!random.chance(0.5)) move = random.below(3) - 1;
        const int jumpAt = random.chance(0.35) ? random.below(duration) : -1;

        // A camera still up, on screen, to shoot at.
        int target = -1;
        if (random.chance(0.6)) {
            float nearest = 1e30f;
            for (std::size_t i = 0; i < layout.cameras.size() && i < 32; ++i) {
                if (now.camerasDown & (1u << i)) continue;
                if (!onScreen(aimAt(layout.cameras[i], now.view, previousView))) continue;
                const float d = std::hypot(layout.cameras[i].x - now.player.x,
                                           layout.cameras[i].y - now.player.y);
                if (d < nearest) nearest = d, target = static_cast<int>(i);
            }
        }
        // E over a lever that is off, nearly always; over one that is on
        // now and then, to restart its delay.
        bool overOff = false, overOn = false;
        for (std::size_t i = 0; i < layout.levers.size() && i < 32; ++i) {
            if (!playerTouches(now.player, layout.levers[i])) continue;
            (now.leversOn & (1u << i) ? overOn : overOff) = true;
        }
        const bool use = overOff ? random.chance(0.9) : random.chance(overOn ? 0.2 : 0.02);

        for (int k = 0; k < duration; ++k) {
            const Situation& s = play.situation();
            if (s.ended() || s.tick + 1 >= settings.tickLimit) break;
            PlayInput in;
            in.left = move < 0;
            in.right = move > 0;
            in.jumpPressed = k == jumpAt;
            in.usePressed = use && k == 0;
            if (target >= 0 && !(s.camerasDown & (1u << target)) && k % kShotSpacing == 0) {
                const NK::Vec2 aim =
                    aimAt(layout.cameras[static_cast<std::size_t>(target)], s.view, previousView);
                if (onScreen(aim)) {
                    pointer = aim;
                    in.firePressed = true;
                }
            }
            in.pointer = pointer;
            previousView = s.view;
            out.inputs.push_back(in);
            out.visits.push_back(play.step(in));
        }
    }
    return out;
}
