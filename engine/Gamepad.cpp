#include "engine/Gamepad.h"

#include <algorithm>
#include <cctype>

namespace NK {

namespace {

// A trigger or a d-pad direction counts as pressed past half its travel.
constexpr float kPressedAt = 0.5f;

bool contains(std::string haystack, std::string needle) {
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    return lower(haystack).find(lower(needle)) != std::string::npos;
}

bool same(const Gamepad::Layout::Axis& a, int stick, int axis) {
    return a.stick == stick && a.axis == axis;
}

}  // namespace

// Allegro's Linux driver makes a stick of every two absolute axes in the
// kernel's order (X Y, Z RX, RY RZ) and a digital stick of the hat, and
// numbers the buttons in the kernel's order: so on an Xbox-style pad the left
// trigger shares a stick with the right stick's X, and the right stick's Y
// shares one with the right trigger.
Gamepad::Layout Gamepad::Layout::xboxStyle() {
    Layout l;
    l.name = "Xbox-style";
    l.leftX = {0, 0};
    l.leftY = {0, 1};
    l.leftTrigger = {1, 0};
    l.rightX = {1, 1};
    l.rightY = {2, 0};
    l.rightTrigger = {2, 1};
    l.dpadX = {3, 0};
    l.dpadY = {3, 1};
    l.triggersRestAtMinusOne = true;
    std::fill(std::begin(l.buttons), std::end(l.buttons), -1);
    l.buttons[South] = 0;
    l.buttons[East] = 1;
    l.buttons[West] = 2;
    l.buttons[North] = 3;
    l.buttons[LeftShoulder] = 4;
    l.buttons[RightShoulder] = 5;
    l.buttons[Back] = 6;
    l.buttons[Start] = 7;
    return l;
}

Gamepad::Layout Gamepad::Layout::playStationStyle() {
    Layout l = xboxStyle();
    l.name = "PlayStation-style";
    l.buttons[North] = 2;
    l.buttons[West] = 3;
    l.buttons[LeftTrigger] = 6;
    l.buttons[RightTrigger] = 7;
    l.buttons[Back] = 8;
    l.buttons[Start] = 9;
    return l;
}

Gamepad::Layout Gamepad::Layout::forDevice(const std::string& deviceName, int stickCount,
                                           int buttonTotal) {
    const bool sony = contains(deviceName, "sony") || contains(deviceName, "playstation") ||
                      contains(deviceName, "wireless controller") ||
                      contains(deviceName, "dualsense");
    Layout l = sony && buttonTotal >= 10 ? playStationStyle() : xboxStyle();
    if (stickCount == 3) {
        // Two sticks and a hat, no analogue triggers (many plain USB pads):
        // the second pair of axes is the right stick.
        l.name = "two-stick";
        l.rightX = {1, 0};
        l.rightY = {1, 1};
        l.leftTrigger = l.rightTrigger = {};
        l.dpadX = {2, 0};
        l.dpadY = {2, 1};
    } else if (stickCount < 3) {
        // One stick (and perhaps a hat): walking and menus still work.
        l.name = "one-stick";
        l.rightX = l.rightY = l.leftTrigger = l.rightTrigger = {};
        l.dpadX = stickCount == 2 ? Axis{1, 0} : Axis{};
        l.dpadY = stickCount == 2 ? Axis{1, 1} : Axis{};
    }
    for (int& b : l.buttons)
        if (b >= buttonTotal) b = -1;
    return l;
}

Gamepad::Gamepad() : layout(Layout::xboxStyle()) {}

void Gamepad::setLayout(const Layout& l) {
    release();
    layout = l;
}

void Gamepad::axisMoved(int stick, int axis, float position) {
    const float p = std::clamp(position, -1.0f, 1.0f);
    state.touched = true;
    const Layout& l = layout;
    if (same(l.leftX, stick, axis)) setLeftStick({p, state.left.y});
    if (same(l.leftY, stick, axis)) setLeftStick({state.left.x, p});
    if (same(l.rightX, stick, axis)) state.right.x = p;
    if (same(l.rightY, stick, axis)) state.right.y = p;
    if (same(l.leftTrigger, stick, axis)) setTrigger(0, p);
    if (same(l.rightTrigger, stick, axis)) setTrigger(1, p);
    if (same(l.dpadX, stick, axis)) setDpad(p, held(DpadDown) ? 1.0f : held(DpadUp) ? -1.0f : 0.0f);
    if (same(l.dpadY, stick, axis))
        setDpad(held(DpadRight) ? 1.0f : held(DpadLeft) ? -1.0f : 0.0f, p);
}

void Gamepad::buttonChanged(int number, bool down) {
    state.touched = true;
    for (int b = 0; b < buttonCount; ++b)
        if (layout.buttons[b] == number && number >= 0) setButton(static_cast<Button>(b), down);
}

void Gamepad::setLeftStick(Vec2 at) {
    state.left = at;
    setButton(StickLeft, at.x < -kPressedAt);
    setButton(StickRight, at.x > kPressedAt);
    setButton(StickUp, at.y < -kPressedAt);
    setButton(StickDown, at.y > kPressedAt);
}

void Gamepad::setTrigger(int which, float raw) {
    // Pulled from 0 to 1, whichever way the driver counts.
    const float pulled = layout.triggersRestAtMinusOne ? (raw + 1.0f) * 0.5f : std::max(raw, 0.0f);
    (which == 0 ? state.leftTrigger : state.rightTrigger) = pulled;
    // A trigger that is also a button (Sony pads) reports through both.
    const Button b = which == 0 ? LeftTrigger : RightTrigger;
    if (layout.buttons[b] < 0) setButton(b, pulled > kPressedAt);
}

void Gamepad::setDpad(float x, float y) {
    setButton(DpadLeft, x < -kPressedAt);
    setButton(DpadRight, x > kPressedAt);
    setButton(DpadUp, y < -kPressedAt);
    setButton(DpadDown, y > kPressedAt);
}

void Gamepad::setButton(Button b, bool down) {
    if (down && !state.held[b]) state.pressed[b] = true;
    state.held[b] = down;
}

void Gamepad::release() {
    // Presses already seen this tick stay: they happened.
    std::fill(std::begin(state.held), std::end(state.held), false);
    state.left = state.right = Vec2();
    state.leftTrigger = state.rightTrigger = 0.0f;
}

void Gamepad::endUpdate() {
    std::fill(std::begin(state.pressed), std::end(state.pressed), false);
    state.touched = false;
}

}  // namespace NK
