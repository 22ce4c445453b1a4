#include "editor/EditorCamera.h"

#include <algorithm>
#include <cmath>

#include "elements/MapCodec.h"

void EditorCamera::tick(const Controls& c) {
    // A tenth of the way each tick, in whole percent: the last few steps are
    // single ones, and a difference under ten stops where it is.
    zoom += (targetZoom - zoom) / 10;
    centre = centre + NK::Vec2(velocity.x * zoomFactor(), velocity.y * zoomFactor());
    // Whatever the zoom, the view stays inside the numbers a map may hold, so
    // an element added at its centre or dragged within it can be saved.
    const float reachX = MapCodec::kLargestReal - 1920.0f * maximumZoom * 0.01f / 2.0f;
    const float reachY = MapCodec::kLargestReal - 1080.0f * maximumZoom * 0.01f / 2.0f;
    centre = NK::Vec2(std::clamp(centre.x, -reachX, reachX), std::clamp(centre.y, -reachY, reachY));

    // The wheel counts turns since the program began; only its change this
    // tick means anything. Toward the user zooms out (a larger view).
    if (wheelSeen && c.wheel < lastWheel && targetZoom <= maximumZoom - zoomStep)
        targetZoom += zoomStep;
    else if (wheelSeen && c.wheel > lastWheel && targetZoom > minimumZoom)
        targetZoom -= zoomStep;
    lastWheel = c.wheel;
    wheelSeen = true;

    velocity.x = accelerate(velocity.x, c.left, c.right, c.typing);
    velocity.y = accelerate(velocity.y, c.up, c.down, c.typing);
}

float EditorCamera::accelerate(float v, bool less, bool more, bool typing) {
    if (!typing && (less || more)) {
        if (less) v = std::max(v - 1.0f, -topSpeed);
        if (more) v = std::min(v + 1.0f, topSpeed);
        return v;
    }
    if (v > 0.0f) return std::max(v - coasting, 0.0f);
    return std::min(v + coasting, 0.0f);
}

NK::Rect EditorCamera::view() const {
    const float w = 1920.0f * zoomFactor(), h = 1080.0f * zoomFactor();
    return NK::Rect(centre.x - w / 2.0f, centre.y - h / 2.0f, w, h);
}

bool EditorCamera::outsideEditingArea(NK::Vec2 p) {
    return std::abs(p.x - 760.0f) > 760.5f || std::abs(p.y - 600.0f) > 480.5f;
}
