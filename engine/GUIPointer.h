#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {

// How widgets meet the pointer: where it is on the 1920x1080 widget screen,
// whether it lies over a widget, and which of a button's callbacks a tick
// calls. No Allegro here, so the rules are checked without a window.
class GUIPointer {
public:
    // Window pixels to screen units. Widgets never move with the view, so the
    // view plays no part.
    static Vec2 onScreen(float mouseX, float mouseY, float windowWidth, float windowHeight);

    // The pointer counts as a one-pixel box with its top-left at `pointer`,
    // so a widget's edge pixels are hit from either side of the border.
    static bool over(const Rect& area, Vec2 pointer);

    // A button's hover state across ticks.
    struct Hover {
        bool hovered = false;
        bool previouslyHovered = false;
    };
    // The callbacks one tick calls, in the order they are called: left, then
    // clicked, then entered (a click landing in the tick the pointer arrives
    // reports the click first).
    struct Calls {
        bool left = false;
        bool clicked = false;
        bool entered = false;
    };
    static Calls step(Hover& hover, bool overNow, bool leftButtonPressed);

    // A controller's focus instead of the pointer: the button after (`by` 1)
    // or before (-1) `current` among the shown ones in reading order, top to
    // bottom and left to right, wrapping round. A focus that is not among
    // them starts at the first (or, going back, the last).
    using Placed = std::pair<std::string, Rect>;
    static std::string stepFocus(std::vector<Placed> shown, const std::string& current, int by);
};

}  // namespace NK
