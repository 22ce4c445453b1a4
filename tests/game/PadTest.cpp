// A controller through the whole game: events fed where the joystick
// driver's would arrive (the input layer), the game updated tick by tick.
#include "elements/Level.h"
#include "elements/Player.h"
#include "tests/game/GameKit.h"

namespace {

using gamekit::game;
using gamekit::tick;
using gamekit::ticks;

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
void dpadDown() {
    tick({}, {axis(3, 1, 1.0f)});
    tick({}, {axis(3, 1, 0.0f)});
}
void pressA() {
    tick({}, {button(0, true)});
    tick({}, {button(0, false)});
}

}  // namespace

// The d-pad alone: down to "Levels" (which fades in as under the pointer),
// the bottom face button into the browser, down past the back arrow to the
// first level and in. Then walking on the stick, and the pad pulled out
// mid-stride: the configuration event finds no controller, everything it
// held is let go, the player stops and the level goes on.
TEST(Pad, DpadAloneMissesTheFirstLevelOrUnpluggedMidWalkKeepsWalking) {
    Game& g = game();
    gamekit::open(MainMenu);
    g.gui->dropFocus();
    dpadDown();
    ticks(30);
    EXPECT_EQ(g.gui->focus(), "main_button_0");
    NK::ExtBitmapStore& images = g.gui->buttonImages();
    EXPECT_EQ(images.get("main_button_0").alpha.current, 1.0f) << "focused: faded in, and still";
    EXPECT_EQ(images.get("main_button_1").alpha.current, 0.7f) << "the others stay dim";

    pressA();
    ASSERT_EQ(g.scene(), LevelBrowser) << "the face button clicks Levels";
    dpadDown();
    dpadDown();
    pressA();
    ASSERT_EQ(g.scene(), Play) << "focus " << g.gui->focus();
    EXPECT_EQ(g.play->currentLevel, 0);
    EXPECT_EQ(g.play->mapPath, "Editor/Levels/outer_ring_1.txt");
    tick({}, {button(6, true), button(6, false)});  // Back leaves the level
    EXPECT_EQ(g.scene(), MainMenu);

    g.playMap("Editor/Levels/outer_ring_1.txt");
    ticks(60);  // landed and at rest
    const float start = g.level->player->position().x;
    tick({}, {axis(0, 0, 1.0f)});
    ticks(40);
    EXPECT_GT(g.level->player->position().x, start + 100.0f) << "the stick walks";

    ALLEGRO_EVENT unplugged{};
    unplugged.joystick.type = ALLEGRO_EVENT_JOYSTICK_CONFIGURATION;
    tick({}, {unplugged});
    EXPECT_FALSE(g.input->pad.connected);
    ticks(60);
    const float stopped = g.level->player->position().x;
    ticks(60);
    EXPECT_NEAR(g.level->player->position().x, stopped, 1.0f) << "nothing is held any more";
    EXPECT_TRUE(g.scene() == Play && !g.play->lost);
    gamekit::leave();
}
