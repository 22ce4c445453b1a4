#include "engine/DialogCard.h"

namespace NK {

namespace {

bool hovered(const Rect& r, Vec2 mouse) {
    const float t = DialogCard::hoverTolerance;
    return mouse.x >= r.x - t && mouse.x <= r.x + r.width + t && mouse.y >= r.y - t &&
           mouse.y <= r.y + r.height + t;
}

}  // namespace

DialogCard::DialogCard(const std::string& design, const Rect& r) : designKey(design), rect(r) {
    setButtons(closeOnly);
}

void DialogCard::setButtons(int layout) {
    buttons = layout;
    const float w = rect.width;
    const float h = rect.height;
    // One button sits centred along the bottom; two share it side by side.
    closeRect = Rect(0.275f * w, 0.825f * h, 0.45f * w, 0.15f * h);
    nextRect = closeRect;
    if (layout == closeAndNext) {
        closeRect.x = 0.025f * w;
        nextRect.x = 0.525f * w;
    }
}

DialogCard::TickResult DialogCard::tick(Vec2 mouse, bool leftPressed) {
    TickResult result;
    if (!visible) return result;

    closeHover = false;
    nextHover = false;
    // CLOSE is tested first: where the two overlap, closing wins.
    if (showsClose() && hovered(placed(closeRect), mouse)) {
        closeHover = true;
    } else if (showsNext() && hovered(placed(nextRect), mouse)) {
        nextHover = true;
    }

    if (timer > 0) {
        --timer;
    } else if (timer == 0) {
        // Reaching 0 only arms the timeout; it fires one tick later, so a
        // timer of n keeps the card up for n full ticks.
        timer = -1;
        visible = false;
        result.timedOut = true;
    }

    if (leftPressed) {
        result.closeClicked = closeHover;
        result.nextClicked = !closeHover && nextHover;
    }
    return result;
}

}  // namespace NK
