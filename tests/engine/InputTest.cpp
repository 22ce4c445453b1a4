

#include "engine/GameCore.h"
#include "engine/Input.h"
#include "tests/support/Testing.h"

namespace {

// An event with `code` as its key code and its mouse button alike (the two
// fields do not overlap).
ALLEGRO_EVENT event(int type, int code = 0) {
    ALLEGRO_EVENT e{};
    e.type = type;
    e.keyboard.keycode = code;
    e.mouse.button = code;
    return e;
}

class InputEdges : public testing::Test {
protected:
    void SetUp() override { nktest::resetInput(); }
    int flagsSet() const {
        int n = 0;
        for (int i = 0; i < NK::Input::keyCount; ++i) n += in.keyPressed[i] + in.keyReleased[i];
        for (int i = 0; i < NK::Input::mouseSlots; ++i)
            n += in.mousePressed[i] + in.mouseReleased[i];
        return n;
    }
    NK::Input& in = *nktest::engine().input;
};

// The game's hooks only count; the loop is fed pass by pass on the test window.
struct CountingGame : NK::GameCore {
    void update() override {
        ++updates;
        escapeSeen = input->keyPressed[ALLEGRO_KEY_ESCAPE] != 0;
    }
    void draw() override { ++draws; }
    int updates = 0, draws = 0;
    bool escapeSeen = false;
};

}  // namespace

TEST_F(InputEdges, EdgesDoubledTakenOutOfRangeOrKeptPastTheEndOfUpdate) {
    const std::pair<int, int> events[] = {
        {ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_A},
        {ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_A},
        {ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_A},
        {ALLEGRO_EVENT_KEY_DOWN, 227},
        {ALLEGRO_EVENT_KEY_UP, 300},
        {ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 0},
        {ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 6},
        {ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 5},
        {ALLEGRO_EVENT_MOUSE_BUTTON_UP, 1},
    };
    for (auto [type, code] : events) in.apply(event(type, code));
    // A press and a release between two ticks both show until the update ends.
    EXPECT_EQ(in.keyPressed[ALLEGRO_KEY_A] + in.keyReleased[ALLEGRO_KEY_A], 2);
    EXPECT_EQ(in.mousePressed[5] + in.mouseReleased[1], 2);
    EXPECT_EQ(flagsSet(), 4) << "a code outside the arrays set something";
    in.endUpdate();
    EXPECT_EQ(flagsSet(), 0);
}

TEST_F(InputEdges, LockKeysToggleOnKeyDownOnly) {
    in.apply(event(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_CAPSLOCK));
    in.apply(event(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_CAPSLOCK));
    EXPECT_TRUE(in.capsLock);
    EXPECT_EQ(in.keyReleased[ALLEGRO_KEY_CAPSLOCK], 1);
    in.apply(event(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK));
    in.apply(event(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK));
    EXPECT_FALSE(in.numLock);
}

// The pointer in the view: window pixels scaled onto the view's rectangle.
TEST_F(InputEdges, PointerInsideFlagRememberedAxesOrPlaceInTheViewWrong) {
    in.apply(event(ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY));
    EXPECT_FALSE(in.mouseInDisplay);
    in.apply(event(ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY));
    EXPECT_TRUE(in.mouseInDisplay);
    auto& e = nktest::engine();
    in.mouse.x = e.display->windowWidth / 2;
    in.mouse.y = e.display->windowHeight / 2;
    in.mouse.z = -2;
    in.endUpdate();
    EXPECT_EQ(nktest::Floats({in.previousMouseX, in.previousMouseY, in.previousMouseZ}),
              nktest::Floats({float(in.mouse.x), float(in.mouse.y), -2}));
    e.view->x = 100;
    e.view->y = 50;
    e.view->width = 3840;
    e.view->height = 2160;
    const NK::Vec2 p = in.mouseInView();
    nktest::resetDrawing();
    EXPECT_NEAR(p.x, 100 + 1920, 4.0f);
    EXPECT_NEAR(p.y, 50 + 1080, 4.0f);
}

// A late machine catches up on updates and shows only the newest state: a
// tick whose redraw falls while events still wait is drawn once the queue
// runs dry, and only once however many ticks came first.
TEST_F(InputEdges, LoopRedrawsWhileEventsWaitOrMoreThanOncePerDrain) {
    nktest::Engine& e = nktest::engine();
    CountingGame game;
    game.display = e.display;
    game.view = e.view;
    game.input = e.input;
    game.renderContext = e.renderContext;
    game.startClocks();
    const int frames = e.display->frameCount;
    game.pass(event(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ESCAPE), false);
    game.pass(event(ALLEGRO_EVENT_TIMER), false);
    EXPECT_EQ(game.updates, 1);
    EXPECT_TRUE(game.escapeSeen) << "the tick did not see the key pressed before it";
    EXPECT_EQ(flagsSet(), 0) << "edges kept past the tick's update";
    EXPECT_EQ(game.draws, 0);
    game.pass(event(ALLEGRO_EVENT_TIMER), false);
    game.pass(event(ALLEGRO_EVENT_MOUSE_AXES), true);
    EXPECT_EQ(game.updates, 2);
    EXPECT_EQ(game.draws, 1);
    game.pass(event(ALLEGRO_EVENT_MOUSE_AXES), true);
    EXPECT_EQ(game.draws, 1) << "redrawn with no tick since the last picture";
    EXPECT_EQ(e.display->frameCount, frames + 1);
    delete game.generalStopwatch;
    delete game.drawStopwatch;
    delete game.updateStopwatch;
}
