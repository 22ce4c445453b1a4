// The devices as a level and the editor read them: each key on its own
// action, the pointer on the 1920x1080 screen whatever the window's size,
// the controller heard in play but not in the editor, let go of when pulled
// out, and walking the menus with the d-pad through the whole game.
#include <cstdint>
#include <string>

#include "game/PlayControls.h"
#include "tests/game/GameKit.h"

namespace {

using gamekit::tick;

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

// An Xbox-style pad as Linux numbers it: the d-pad is the fourth stick.
ALLEGRO_EVENT axis(int stick, int which, float pos) {
    ALLEGRO_EVENT e{};
    e.joystick.type = ALLEGRO_EVENT_JOYSTICK_AXIS;
    e.joystick.stick = stick, e.joystick.axis = which, e.joystick.pos = pos;
    return e;
}
ALLEGRO_EVENT button(int number, bool down) {
    ALLEGRO_EVENT e{};
    e.joystick.type = down ? ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN : ALLEGRO_EVENT_JOYSTICK_BUTTON_UP;
    e.joystick.button = number;
    return e;
}
// The d-pad pushed down, or the bottom face button pressed, for a tick.
void dpadDown() {
    tick({}, {axis(3, 1, 1.0f)});
    tick({}, {axis(3, 1, 0.0f)});
}
void pressA() {
    tick({}, {button(0, true)});
    tick({}, {button(0, false)});
}

}  // namespace

TEST(PlayControls, AKeyOnAnotherActionThePointerOffTheScreenOrThePadInTheEditorOrUnplugged) {
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

    // Pulled out mid-walk: the configuration event finds no controller and
    // everything the pad held is let go, so the player stops.
    input.apply(axis(0, 0, 1.0f));
    EXPECT_EQ(play(), "R");
    ALLEGRO_EVENT unplugged{};
    unplugged.joystick.type = ALLEGRO_EVENT_JOYSTICK_CONFIGURATION;
    input.apply(unplugged);
    EXPECT_EQ(play() + (input.pad.connected ? " connected" : ""), "");
}

// The d-pad alone: down to "Levels" (which fades in as under the pointer),
// the bottom face button into the browser, down past the back arrow to the
// first level and in; Back leaves it.
TEST(Pad, DpadAloneMissesTheFirstLevelOrBackKeepsTheLevel) {
    Game& g = gamekit::game();
    gamekit::open(MainMenu);
    g.gui().dropFocus();
    dpadDown();
    gamekit::ticks(30);
    EXPECT_EQ(g.gui().focus(), "main_button_0");
    NK::ExtBitmapStore& images = g.gui().buttonImages();
    EXPECT_EQ(images.get("main_button_0").alpha.current, 1.0f) << "focused: faded in, and still";
    EXPECT_EQ(images.get("main_button_1").alpha.current, 0.7f) << "the others stay dim";
    pressA();
    ASSERT_EQ(g.scene(), LevelBrowser) << "the face button clicks Levels";
    dpadDown();
    dpadDown();
    pressA();
    ASSERT_EQ(g.scene(), Play) << "focus " << g.gui().focus();
    EXPECT_EQ(g.play().mapPath + " " + std::to_string(g.play().currentLevel),
              "Editor/Levels/outer_ring_1.txt 0");
    tick({}, {button(6, true), button(6, false)});  // Back
    EXPECT_EQ(g.scene(), MainMenu);
}
