#include "engine/GUIPointer.h"

#include <algorithm>
#include <cmath>

namespace NK {

Vec2 GUIPointer::onScreen(float mouseX, float mouseY, float windowWidth, float windowHeight) {
    return {mouseX / windowWidth * 1920.0f, mouseY / windowHeight * 1080.0f};
}

bool GUIPointer::over(const Rect& area, Vec2 pointer) {
    const float halfW = area.width * 0.5f;
    const float halfH = area.height * 0.5f;
    const float dx = std::fabs(area.x + halfW - (pointer.x + 0.5f));
    const float dy = std::fabs(area.y + halfH - (pointer.y + 0.5f));
    return dx <= halfW + 0.5f && dy <= halfH + 0.5f;
}

GUIPointer::Calls GUIPointer::step(Hover& hover, bool overNow, bool leftButtonPressed) {
    hover.previouslyHovered = hover.hovered;
    hover.hovered = overNow;
    Calls calls;
    calls.left = !hover.hovered && hover.previouslyHovered;
    if (hover.hovered) {
        calls.clicked = leftButtonPressed;
        calls.entered = !hover.previouslyHovered;
    }
    return calls;
}

}  // namespace NK

namespace NK {

std::string GUIPointer::stepFocus(std::vector<Placed> shown, const std::string& current, int by) {
    if (shown.empty() || by == 0) return shown.empty() ? std::string() : current;
    // Buttons whose centres lie within half a row of each other share a row.
    auto row = [](const Rect& r) { return std::floor((r.y + r.height * 0.5f) / 40.0f); };
    std::stable_sort(shown.begin(), shown.end(), [&](const Placed& a, const Placed& b) {
        const float ra = row(a.second), rb = row(b.second);
        if (ra != rb) return ra < rb;
        return a.second.x + a.second.width * 0.5f < b.second.x + b.second.width * 0.5f;
    });
    const int n = static_cast<int>(shown.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (shown[static_cast<std::size_t>(i)].first == current) at = i;
    const int next = at < 0 ? (by > 0 ? 0 : n - 1) : ((at + by) % n + n) % n;
    return shown[static_cast<std::size_t>(next)].first;
}

}  // namespace NK
