#include "engine/GUIPointer.h"

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
