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
