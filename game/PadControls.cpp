#include "game/PadControls.h"

#include <cmath>

#include "engine/GUISystem.h"
#include "engine/Input.h"

namespace PadControls {

using B = NK::Gamepad;

void addTo(PlayInput& in, const NK::Gamepad::State& pad) {
    in.left = in.left || pad.left.x < -walkDeadZone || pad.held[B::DpadLeft];
    in.right = in.right || pad.left.x > walkDeadZone || pad.held[B::DpadRight];
    in.jumpPressed = in.jumpPressed || pad.pressed[B::South];
    in.usePressed = in.usePressed || pad.pressed[B::West];
    in.restartPressed = in.restartPressed || pad.pressed[B::North];
    // One shot per pull, as one per click.
    in.firePressed =
        in.firePressed || pad.pressed[B::RightTrigger] || pad.pressed[B::RightShoulder];
    if (std::hypot(pad.right.x, pad.right.y) > aimDeadZone) in.aim = pad.right;
}

bool leavePressed(const NK::Gamepad::State& pad) {
    return pad.pressed[B::Back] || pad.pressed[B::Start];
}

int menuStep(const NK::Gamepad::State& pad) {
    if (pad.pressed[B::DpadUp] || pad.pressed[B::DpadLeft] || pad.pressed[B::StickUp] ||
        pad.pressed[B::StickLeft])
        return -1;
    if (pad.pressed[B::DpadDown] || pad.pressed[B::DpadRight] || pad.pressed[B::StickDown] ||
        pad.pressed[B::StickRight])
        return 1;
    return 0;
}

bool menuClick(const NK::Gamepad::State& pad) {
    return pad.pressed[B::South];
}

NK::Vec2 Aim::pointer(const PlayInput& in, NK::Vec2 playerOnScreen) {
    const float length = std::hypot(in.aim.x, in.aim.y);
    const bool mouseMoved =
        seenMouse && (in.pointer.x != lastMouse.x || in.pointer.y != lastMouse.y);
    if (length > aimDeadZone) {
        padAiming = true;
        direction = NK::Vec2(in.aim.x / length, in.aim.y / length);
    } else if (mouseMoved) {
        padAiming = false;
    }
    seenMouse = true;
    lastMouse = in.pointer;
    if (!padAiming) return in.pointer;
    return NK::Vec2(playerOnScreen.x + direction.x * reticleDistance,
                    playerOnScreen.y + direction.y * reticleDistance);
}

void steerButtons(NK::GUISystem& gui, const NK::Input& input, bool inEditor) {
    const bool mouseUsed = input.mouse.x != input.previousMouseX ||
                           input.mouse.y != input.previousMouseY || input.mousePressed[1];
    if (mouseUsed || inEditor) {
        gui.dropFocus();
        return;
    }
    if (const int step = menuStep(input.pad.state)) gui.stepFocus(step);
    if (menuClick(input.pad.state)) gui.clickFocus();
}

}  // namespace PadControls
