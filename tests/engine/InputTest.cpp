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

// How many press and release edges are set.
int edges(const NK::Input& in) {
    int n = 0;
    for (int i = 0; i < NK::Input::keyCount; ++i) n += in.keyPressed[i] + in.keyReleased[i];
    for (int i = 0; i < NK::Input::mouseSlots; ++i) n += in.mousePressed[i] + in.mouseReleased[i];
    return n;
}

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

// A press and a release between two ticks both show until the update ends;
// lock keys toggle on key-down only, so two downs leave Num Lock as it was.
TEST(Input, EdgesDoubledTakenOutOfRangeKeptPastTheUpdateOrLocksToggledOnRelease) {
    nktest::resetInput();
    NK::Input& in = *nktest::engine().input;
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
        {ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_CAPSLOCK},
        {ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_CAPSLOCK},
        {ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK},
        {ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK},
    };
    for (auto [type, code] : events) in.apply(event(type, code));
    EXPECT_EQ(in.keyPressed[ALLEGRO_KEY_A] + in.keyReleased[ALLEGRO_KEY_A], 2);
    EXPECT_EQ(in.mousePressed[5] + in.mouseReleased[1], 2);
    EXPECT_EQ(edges(in), 7) << "a code outside the arrays set something";
    EXPECT_TRUE(in.capsLock && !in.numLock);
    in.endUpdate();
    EXPECT_EQ(edges(in), 0);
}

// A late machine catches up on updates and shows only the newest state: a
// tick whose redraw falls while events still wait is drawn once the queue
// runs dry, and only once however many ticks came first.
TEST(Input, LoopRedrawsWhileEventsWaitOrMoreThanOncePerDrain) {
    nktest::resetInput();
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
    EXPECT_EQ(edges(*e.input), 0) << "edges kept past the tick's update";
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
