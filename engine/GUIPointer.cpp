#include "engine/GUIPointer.h"

#include <algorithm>
#include <cmath>

#include "engine/View.h"

namespace NK {

Vec2 GUIPointer::onScreen(float mouseX, float mouseY, float windowWidth, float windowHeight) {
    return windowToScreen(Vec2(mouseX, mouseY), windowWidth, windowHeight);
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
    auto centreY = [](const Placed& p) { return p.second.y + p.second.height * 0.5f; };
    auto centreX = [](const Placed& p) { return p.second.x + p.second.width * 0.5f; };
    // Buttons whose centres lie within 40 pixels of a row's first share it.
    std::stable_sort(shown.begin(), shown.end(),
                     [&](const Placed& a, const Placed& b) { return centreY(a) < centreY(b); });
    std::vector<std::pair<int, Placed>> rows;
    float rowTop = centreY(shown.front());
    int row = 0;
    for (const Placed& p : shown) {
        if (centreY(p) - rowTop > 40.0f) {
            ++row;
            rowTop = centreY(p);
        }
        rows.emplace_back(row, p);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : centreX(a.second) < centreX(b.second);
    });
    for (std::size_t i = 0; i < rows.size(); ++i) shown[i] = rows[i].second;
    const int n = static_cast<int>(shown.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (shown[static_cast<std::size_t>(i)].first == current) at = i;
    const int next = at < 0 ? (by > 0 ? 0 : n - 1) : ((at + by) % n + n) % n;
    return shown[static_cast<std::size_t>(next)].first;
}

}  // namespace NK
