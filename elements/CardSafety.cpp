#include "elements/CardSafety.h"

#include <algorithm>
#include <cmath>

namespace {

// The box a turned block covers, so a tilted slab still counts as ground
// wherever any part of it lies.
NK::Rect coveredBy(const BlockRecord& b) {
    const float c = std::fabs(std::cos(b.angle));
    const float s = std::fabs(std::sin(b.angle));
    const float w = b.w * c + b.h * s;
    const float h = b.w * s + b.h * c;
    const float cx = b.x + b.w * 0.5f;
    const float cy = b.y + b.h * 0.5f;
    return {cx - w * 0.5f, cy - h * 0.5f, w, h};
}

float distance(const NK::Rect& a, const NK::Rect& b) {
    const float dx = std::max({0.0f, a.x - (b.x + b.width), b.x - (a.x + a.width)});
    const float dy = std::max({0.0f, a.y - (b.y + b.height), b.y - (a.y + a.height)});
    return std::sqrt(dx * dx + dy * dy);
}

std::string whole(float v) {
    return std::to_string(static_cast<int>(std::lround(v)));
}

}  // namespace

CardSafety::CardSafety(const MapData& level)
    : fallEdge(level.fallEdge.y),
      left(level.cameraArea.x),
      right(level.cameraArea.x + level.cameraArea.w) {
    for (const auto* blocks : {&level.boxes, &level.circles}) {
        for (const BlockRecord& b : *blocks) {
            if (b.delay >= 0.0f)
                breaking.push_back(coveredBy(b));
            else if (!b.isDynamic)
                solids.push_back(coveredBy(b));
        }
    }
    for (const SurfaceRecord& s : level.surfaces) {
        for (std::size_t i = 1; i < s.points.size(); ++i) {
            const SurfacePoint& a = s.points[i - 1];
            const SurfacePoint& b = s.points[i];
            lines.push_back({a.x, a.y, b.x, b.y});
        }
    }
}

bool CardSafety::groundBelow(float x, float fromY) const {
    for (const NK::Rect& r : solids) {
        if (x >= r.x && x <= r.x + r.width && r.y + r.height >= fromY && r.y <= fallEdge)
            return true;
    }
    for (const Segment& s : lines) {
        if (x < std::min(s.x1, s.x2) || x > std::max(s.x1, s.x2)) continue;
        if (s.x1 == s.x2) {
            // A wall met edge-on: it holds the fall where it reaches down.
            if (std::max(s.y1, s.y2) >= fromY && std::min(s.y1, s.y2) <= fallEdge) return true;
            continue;
        }
        const float y = s.y1 + (s.y2 - s.y1) * (x - s.x1) / (s.x2 - s.x1);
        if (y >= fromY && y <= fallEdge) return true;
    }
    return false;
}

bool CardSafety::gapAt(float x, float fromY) const {
    if (x <= left || x >= right) return false;
    return !groundBelow(x, fromY);
}

std::string CardSafety::hazardNear(const NK::Rect& player) const {
    for (const NK::Rect& b : breaking) {
        if (distance(player, b) <= reach)
            return "a breaking floor at " + whole(b.x) + ", " + whole(b.y);
    }
    const float from = player.x - reach;
    const float to = player.x + player.width + reach;
    for (float x = from;; x = std::min(to, x + probeStep)) {
        if (gapAt(x, player.y)) return "a gap at x " + whole(x);
        if (x >= to) break;
    }
    return {};
}

std::string CardSafety::violation(const Moment& m) const {
    if (!m.cardUp) return {};
    if (m.hit) return "the player is hit";
    if (!m.standing) return "the player is not on the ground";
    const std::string near = hazardNear(m.player);
    if (!near.empty()) return "the player is within " + whole(reach) + " px of " + near;
    return {};
}
