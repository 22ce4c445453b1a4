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

}  // namespace

// A press and a release between two ticks both show until the update ends;
// lock keys toggle on key-down only, so two downs leave Num Lock as it was.
// The update's end keeps where the pointer was, to tell when it moves.
TEST(Input, EdgesDoubledTakenOutOfRangeKeptPastTheUpdateOrLocksToggledOnRelease) {
    nktest::resetInput();
    NK::Input& in = *nktest::engine().input;
    const int down = ALLEGRO_EVENT_KEY_DOWN, up = ALLEGRO_EVENT_KEY_UP, a = ALLEGRO_KEY_A,
              press = ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, release = ALLEGRO_EVENT_MOUSE_BUTTON_UP,
              caps = ALLEGRO_KEY_CAPSLOCK, num = ALLEGRO_KEY_NUMLOCK,
              leave = ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY;
    const std::pair<int, int> events[] = {
        {down, a},  {down, a},    {up, a},      {down, 227}, {up, 227},   {press, 0},  {press, 6},
        {press, 5}, {release, 1}, {down, caps}, {up, caps},  {down, num}, {down, num}, {leave, 0}};
    for (auto [type, code] : events) in.apply(event(type, code));
    EXPECT_EQ(in.keyPressed[ALLEGRO_KEY_A] + in.keyReleased[ALLEGRO_KEY_A], 2);
    EXPECT_EQ(in.mousePressed[5] + in.mouseReleased[1], 2);
    EXPECT_EQ(edges(in), 7) << "a code outside the arrays set something";
    EXPECT_TRUE(in.capsLock && !in.numLock && !in.mouseInDisplay);
    in.mouse.x = 7;
    in.endUpdate();
    EXPECT_EQ(edges(in) + in.previousMouseX, 7) << "edges kept, or the pointer's x not kept";
}

// A tick draws a frame once no event waits behind it, and only one; the
// loop takes events until the quit flag is set (here on the third update)
// and stops right after.
TEST(GameCore, FrameDrawnWhileEventsWaitOrMissedOrLoopRunningPastQuit) {
    struct : NK::GameCore {
        int updates = 0, draws = 0;
        void update() override { quit = ++updates == 3; }
        void draw() override { ++draws; }
    } game;
    NK::Stopwatch clock;
    game.drawStopwatch = game.updateStopwatch = &clock;
    game.display = nktest::engine().display;
    NK::Input& in = *(game.input = nktest::engine().input);
    const int frames = game.display->frameCount;
    game.pass(event(ALLEGRO_EVENT_TIMER), false);
    EXPECT_EQ(game.draws, 0);
    game.pass(event(0), true);
    game.pass(event(0), true);
    EXPECT_EQ(nktest::Ints({game.draws, game.display->frameCount - frames}), nktest::Ints({1, 1}));
    in.queue = al_create_event_queue();
    ALLEGRO_TIMER* timer = al_create_timer(0.001);
    al_register_event_source(in.queue, al_get_timer_event_source(timer));
    al_start_timer(timer);
    game.loop();
    EXPECT_EQ(game.updates, 3);
    al_destroy_timer(timer);
    al_destroy_event_queue(in.queue);
    in.queue = nullptr;
    nktest::resetInput();
}
