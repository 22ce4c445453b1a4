#include "elements/WallSeams.h"

#include <cmath>

namespace {

constexpr float kSame = 0.5f;  // pixels: edges this close meet

bool near(float a, float b) {
    return std::fabs(a - b) < kSame;
}

bool isWallBox(const BlockRecord& b) {
    return !b.isDynamic && b.angle == 0.0f;
}

bool vertical(const SurfacePoint& a, const SurfacePoint& b) {
    return near(a.x, b.x) && !near(a.y, b.y);
}

// Whether a point just outside a seam is filled, so no player can be there.
bool filled(const MapData& map, float x, float y) {
    for (const BlockRecord& b : map.boxes)
        if (isWallBox(b) && x > b.x && x < b.x + b.w && y >= b.y && y <= b.y + b.h) return true;
    for (const SurfaceRecord& s : map.surfaces) {
        for (std::size_t i = 1; i < s.points.size(); ++i) {
            const SurfacePoint& a = s.points[i - 1];
            const SurfacePoint& b = s.points[i];
            if (vertical(a, b) && std::fabs(a.x - x) <= 2.0f * kSame + 1.0f &&
                y >= std::fmin(a.y, b.y) && y <= std::fmax(a.y, b.y))
                return true;
        }
    }
    return false;
}

std::string boxName(std::size_t i) {
    return "box " + std::to_string(i + 1);
}

}  // namespace

std::vector<WallSeam> wallSeams(const MapData& map) {
    std::vector<WallSeam> seams;
    const std::vector<BlockRecord>& boxes = map.boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const BlockRecord& upper = boxes[i];
        if (!isWallBox(upper)) continue;
        for (std::size_t j = 0; j < boxes.size(); ++j) {
            const BlockRecord& lower = boxes[j];
            if (j == i || !isWallBox(lower) || !near(upper.y + upper.h, lower.y)) continue;
            const float seamY = lower.y;
            // A face is one side of both boxes in one line; the player comes
            // down it from outside, so one pixel out must be open.
            const float lefts[2] = {upper.x, lower.x};
            const float rights[2] = {upper.x + upper.w, lower.x + lower.w};
            if (near(lefts[0], lefts[1]) && !filled(map, lefts[0] - 1.0f, seamY))
                seams.push_back(
                    {lefts[0], seamY, boxName(i) + " on " + boxName(j) + ", left face"});
            if (near(rights[0], rights[1]) && !filled(map, rights[0] + 1.0f, seamY))
                seams.push_back(
                    {rights[0], seamY, boxName(i) + " on " + boxName(j) + ", right face"});
        }
    }
    for (std::size_t s = 0; s < map.surfaces.size(); ++s) {
        const std::vector<SurfacePoint>& p = map.surfaces[s].points;
        for (std::size_t k = 2; k < p.size(); ++k) {
            // Two vertical segments in a row, going the same way: one wall in two.
            if (vertical(p[k - 2], p[k - 1]) && vertical(p[k - 1], p[k]) &&
                (p[k - 1].y - p[k - 2].y) * (p[k].y - p[k - 1].y) > 0.0f)
                seams.push_back({p[k - 1].x, p[k - 1].y,
                                 "surface " + std::to_string(s + 1) + ", point " +
                                     std::to_string(k) + " of a straight wall"});
        }
    }
    return seams;
}
