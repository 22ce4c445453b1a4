#pragma once
#include <functional>
#include <string>

#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {

// One message box made from a design: its rectangle, which buttons it shows,
// where they sit, hover state and the timer that hides it. The rules here need
// no window; the card store feeds them the mouse and runs the callbacks.
struct DialogCard {
    static constexpr int nextOnly = 1;
    static constexpr int closeAndNext = 2;
    static constexpr int closeOnly = 3;
    // Hover reaches this far past every edge, so a pointer on the border
    // pixel of a scaled button still counts.
    static constexpr float hoverTolerance = 0.5f;

    struct Callbacks {
        std::function<void(std::string)> onNext;
        std::function<void(std::string)> onClose;
        std::function<void(std::string)> onTimeout;
    };

    // What one tick decided; the store runs the matching callbacks.
    struct TickResult {
        bool timedOut = false;
        bool closeClicked = false;
        bool nextClicked = false;
    };

    DialogCard() = default;
    DialogCard(const std::string& designKey, const Rect& rect);

    // Sets the layout and places its buttons, relative to the card's corner.
    void setButtons(int layout);
    bool showsClose() const { return buttons == closeAndNext || buttons == closeOnly; }
    bool showsNext() const { return buttons == closeAndNext || buttons == nextOnly; }
    // A button's rectangle in the card's own space (world or screen).
    Rect placed(const Rect& button) const {
        return {rect.x + button.x, rect.y + button.y, button.width, button.height};
    }

    // One update tick of a visible card: hover from `mouse` (in the card's
    // space), then the timer, then the click. A hidden card does nothing.
    TickResult tick(Vec2 mouse, bool leftPressed);

    bool visible = false;
    bool screenSpace = true;
    bool nextHover = false;
    bool closeHover = false;
    std::string designKey;
    int buttons = closeOnly;
    Rect rect;
    Rect closeRect;
    Rect nextRect;
    int timer = -1;
    int pendingTimer = -1;
    Callbacks callbacks;
};

}  // namespace NK
