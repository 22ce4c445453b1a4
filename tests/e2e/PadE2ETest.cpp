// A controller through the whole game, in the game's own window: events fed
// where the joystick driver's would arrive (the input layer), the real Game
// updated tick by tick without its timer, as dovra-replay runs it.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>

#include "elements/Player.h"
#include "engine/GUISystem.h"
#include "game/Game.h"
#include "game/PlayScene.h"

namespace {

class Pad : public testing::Test {
protected:
    void SetUp() override {
        memory = ::operator new(sizeof(Game));
        std::memset(memory, 0, sizeof(Game));
        game = new (memory) Game();
        game->startEngine("Dovra pad test");
        game->create();
        game->load();
    }
    void TearDown() override {
        game->shutDown();
        game->~Game();
        ::operator delete(memory);
    }

    // One tick as the loop runs it: the events since the last, the update,
    // then the edges cleared.
    void tick(std::initializer_list<ALLEGRO_EVENT> events = {}) {
        for (const ALLEGRO_EVENT& e : events) game->input->apply(e);
        game->update();
        game->input->endUpdate();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) tick();
    }
    // An Xbox-style pad as Linux numbers it: the d-pad is the fourth stick.
    static ALLEGRO_EVENT axis(int stick, int which, float pos) {
        ALLEGRO_EVENT e{};
        e.joystick.type = ALLEGRO_EVENT_JOYSTICK_AXIS;
        e.joystick.stick = stick;
        e.joystick.axis = which;
        e.joystick.pos = pos;
        return e;
    }
    static ALLEGRO_EVENT button(int number, bool down) {
        ALLEGRO_EVENT e{};
        e.joystick.type =
            down ? ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN : ALLEGRO_EVENT_JOYSTICK_BUTTON_UP;
        e.joystick.button = number;
        return e;
    }
    void dpadDown() {
        tick({axis(3, 1, 1.0f)});
        tick({axis(3, 1, 0.0f)});
    }
    void pressA() {
        tick({button(0, true)});
        tick({button(0, false)});
    }
    float opacity(const char* key) { return game->gui->buttonImages().get(key).alpha.current; }

    void* memory = nullptr;
    Game* game = nullptr;
};

}  // namespace

// The d-pad alone: down to "Levels" (which fades in as under the pointer),
// the bottom face button into the browser, down past the back arrow to the
// first level and in.
TEST_F(Pad, DpadAloneWalksFromTheMenuIntoTheFirstLevel) {
    ticks(3);
    ASSERT_EQ(game->scene(), MainMenu);
    dpadDown();
    ticks(30);
    EXPECT_EQ(game->gui->focus(), "main_button_0");
    EXPECT_GT(opacity("main_button_0"), 0.95f) << "the focused button fades in";
    EXPECT_LT(opacity("main_button_1"), 0.75f) << "the others stay dim";

    pressA();
    ASSERT_EQ(game->scene(), LevelBrowser) << "the face button clicks Levels";
    dpadDown();
    dpadDown();
    pressA();
    ASSERT_EQ(game->scene(), Play) << "focus " << game->gui->focus();
    EXPECT_EQ(game->play->currentLevel, 0);
    EXPECT_EQ(game->play->mapPath, "Editor/Levels/outer_ring_1.txt");
}

// Walking on the stick, then the pad pulled out mid-stride: the
// configuration event finds no controller, everything it held is let go,
// the player stops and the level goes on. Back, on a pad, leaves the level.
TEST_F(Pad, UnpluggedMidWalkStopsThePlayerAndTheLevelGoesOn) {
    ticks(3);
    game->playMap("Editor/Levels/outer_ring_1.txt");
    ticks(60);  // landed and at rest
    const float start = game->player->position().x;
    tick({axis(0, 0, 1.0f)});
    ticks(40);
    const float walked = game->player->position().x;
    EXPECT_GT(walked, start + 100.0f) << "the stick walks";

    ALLEGRO_EVENT unplugged{};
    unplugged.joystick.type = ALLEGRO_EVENT_JOYSTICK_CONFIGURATION;
    tick({unplugged});
    EXPECT_FALSE(game->input->pad.connected);
    ticks(60);
    const float stopped = game->player->position().x;
    ticks(60);
    EXPECT_NEAR(game->player->position().x, stopped, 1.0f) << "nothing is held any more";
    EXPECT_EQ(game->scene(), Play);
    EXPECT_FALSE(game->play->lost);

    tick({button(6, true)});  // Back
    EXPECT_EQ(game->scene(), MainMenu);
}
