// The devices as a level and the editor read them, without running a tick:
// each key on its own action, the pointer on the 1920x1080 screen whatever
// the window's size, and the controller heard in play but not in the editor.
#include <cstdint>
#include <string>

#include "game/PlayControls.h"
#include "tests/game/GameKit.h"

namespace {

// The actions one input holds, a letter each: Left, Right, Jump, Use,
// restart (X), Fire.
std::string actions(const PlayInput& in) {
    std::string s;
    for (const auto& [on, letter] : {std::pair{in.left, 'L'},
                                     {in.right, 'R'},
                                     {in.jumpPressed, 'J'},
                                     {in.usePressed, 'U'},
                                     {in.restartPressed, 'X'},
                                     {in.firePressed, 'F'}})
        if (on) s += letter;
    return s;
}

}  // namespace

TEST(PlayControls, AKeyOnAnotherActionThePointerOffTheScreenOrThePadInTheEditor) {
    NK::Input& input = *gamekit::game().input;
    const ALLEGRO_MOUSE_STATE mouseBefore = input.mouse;
    auto play = [&input] { return actions(PlayControls::fromDevices(input, 1920, 1080)); };
    std::string seen;
    for (int key : {ALLEGRO_KEY_A, ALLEGRO_KEY_D})
        gamekit::hold(key), seen += play() + " ", gamekit::hold(key, false);
    for (std::uint8_t* edge : {&input.keyPressed[ALLEGRO_KEY_W], &input.keyPressed[ALLEGRO_KEY_E],
                               &input.keyPressed[ALLEGRO_KEY_R], &input.keyPressed[ALLEGRO_KEY_S],
                               &input.mousePressed[1]})
        *edge = 1, seen += play() + " ", *edge = 0;
    EXPECT_EQ(seen, "L R J U X  F ");

    // A quarter of the way across and down any window is (480, 270).
    for (const auto& [w, h] : {std::pair{800, 600}, {1920, 1080}, {3000, 1000}}) {
        input.mouse.x = w / 4, input.mouse.y = h / 4;
        const NK::Vec2 p = PlayControls::fromKeyboardAndMouse(input, w, h).pointer;
        EXPECT_EQ(std::to_string(p.x) + " " + std::to_string(p.y), "480.000000 270.000000")
            << w << "x" << h;
    }
    input.mouse = mouseBefore;

    input.pad.state.pressed[NK::Gamepad::South] = true;
    EXPECT_EQ(play(), "J");
    EXPECT_EQ(actions(PlayControls::fromKeyboardAndMouse(input, 1920, 1080)), "")
        << "the editor is for the keyboard and mouse";
    input.pad.state.pressed[NK::Gamepad::South] = false;
}
