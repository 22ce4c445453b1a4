#pragma once
#include "elements/PlayInput.h"
#include "engine/Gamepad.h"

namespace NK {
class GUISystem;
class Input;
}  // namespace NK

// How a controller plays and steps through menus. Its part of a tick goes
// into the same PlayInput the keyboard and mouse fill (and replays hold), so
// the player never knows which device moved it. No Allegro here.
namespace PadControls {

// Sticks rest a little off centre; less than this is no push at all.
constexpr float walkDeadZone = 0.3f;
constexpr float aimDeadZone = 0.3f;
// How far from the player's centre the reticle sits, on the 1920x1080 screen.
constexpr float reticleDistance = 260.0f;

// Adds the pad's tick to the keyboard's: either device walks, jumps, fires.
void addTo(PlayInput& in, const NK::Gamepad::State& pad);
// Back or Start: leave the level or the screen, as Escape does.
bool leavePressed(const NK::Gamepad::State& pad);
// The menu focus: -1 to the previous button, +1 to the next, 0 to stay.
int menuStep(const NK::Gamepad::State& pad);
// The bottom face button clicks the focused button.
bool menuClick(const NK::Gamepad::State& pad);
// A tick of the pad on the shown buttons of `gui`: steps the focus and
// clicks it. The mouse used this tick, or the editor (for the keyboard and
// mouse), drops the focus instead.
void steerButtons(NK::GUISystem& gui, const NK::Input& input, bool inEditor);

// Where the arm, gun and head point while a level plays. The right stick
// takes over aiming and holds its last direction when let go; moving the
// mouse hands aiming back to it at once.
class Aim {
public:
    // The tick's pointer, given the mouse's and where the player's centre is
    // on screen.
    NK::Vec2 pointer(const PlayInput& in, NK::Vec2 playerOnScreen);
    bool byPad() const { return padAiming; }
    void reset() { *this = Aim(); }

private:
    bool padAiming = false;
    bool seenMouse = false;
    NK::Vec2 direction{1.0f, 0.0f};
    NK::Vec2 lastMouse;
};

}  // namespace PadControls
