#include <gtest/gtest.h>

#include "engine/Input.h"
#include "tests/support/AllegroEnvironment.h"

namespace {

ALLEGRO_EVENT keyEvent(int type, int code) {
    ALLEGRO_EVENT e{};
    e.type = type;
    e.keyboard.keycode = code;
    return e;
}

ALLEGRO_EVENT mouseEvent(int type, unsigned button) {
    ALLEGRO_EVENT e{};
    e.type = type;
    e.mouse.button = button;
    return e;
}

class InputEdges : public testing::Test {
protected:
    void SetUp() override { nktest::resetInput(); }
    NK::Input& in = *nktest::engine().input;
};

}  // namespace

TEST_F(InputEdges, RepeatedKeyDownLeavesOneFlagAndOutOfRangeCodesAreIgnored) {
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_A));
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_A));
    EXPECT_EQ(in.keyPressed[ALLEGRO_KEY_A], 1);
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, 227));
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_UP, 300));
    int set = 0;
    for (int i = 0; i < NK::Input::keyCount; ++i) set += in.keyPressed[i] + in.keyReleased[i];
    EXPECT_EQ(set, 1);
}

TEST_F(InputEdges, PressAndReleaseBetweenTicksShowBothUntilEndOfUpdate) {
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_W));
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_W));
    in.apply(mouseEvent(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 1));
    in.apply(mouseEvent(ALLEGRO_EVENT_MOUSE_BUTTON_UP, 1));
    EXPECT_TRUE(in.keyPressed[ALLEGRO_KEY_W] && in.keyReleased[ALLEGRO_KEY_W]);
    EXPECT_TRUE(in.mousePressed[1] && in.mouseReleased[1]);
    in.endUpdate();
    EXPECT_FALSE(in.keyPressed[ALLEGRO_KEY_W] || in.keyReleased[ALLEGRO_KEY_W]);
    EXPECT_FALSE(in.mousePressed[1] || in.mouseReleased[1]);
}

TEST_F(InputEdges, MouseButtonsOutsideOneToFiveSetNothing) {
    in.apply(mouseEvent(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 0));
    in.apply(mouseEvent(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 6));
    in.apply(mouseEvent(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 5));
    EXPECT_EQ(in.mousePressed[0], 0);
    EXPECT_EQ(in.mousePressed[5], 1);
}

TEST_F(InputEdges, LockKeysToggleOnKeyDownOnly) {
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_CAPSLOCK));
    EXPECT_TRUE(in.capsLock);
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_CAPSLOCK));
    EXPECT_TRUE(in.capsLock);
    EXPECT_EQ(in.keyReleased[ALLEGRO_KEY_CAPSLOCK], 1);
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK));
    in.apply(keyEvent(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_NUMLOCK));
    EXPECT_FALSE(in.numLock);
}

TEST_F(InputEdges, PointerLeavingAndEnteringTheWindow) {
    ALLEGRO_EVENT e{};
    e.type = ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY;
    in.apply(e);
    EXPECT_FALSE(in.mouseInDisplay);
    e.type = ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY;
    in.apply(e);
    EXPECT_TRUE(in.mouseInDisplay);
}

TEST_F(InputEdges, EndOfUpdateRemembersMouseAxes) {
    in.mouse.x = 12;
    in.mouse.y = 34;
    in.mouse.z = -2;
    in.endUpdate();
    EXPECT_FLOAT_EQ(in.previousMouseX, 12);
    EXPECT_FLOAT_EQ(in.previousMouseY, 34);
    EXPECT_FLOAT_EQ(in.previousMouseZ, -2);
}

TEST_F(InputEdges, HeldStateComesFromTheSnapshots) {
    nktest::holdKey(in, ALLEGRO_KEY_D);
    nktest::holdMouseButton(in, 2);
    EXPECT_TRUE(in.keyDown(ALLEGRO_KEY_D));
    EXPECT_FALSE(in.keyDown(ALLEGRO_KEY_A));
    EXPECT_TRUE(in.mouseDown(2));
    EXPECT_FALSE(in.mouseDown(1));
}

TEST_F(InputEdges, MouseInViewScalesWindowPixelsOntoTheView) {
    auto& e = nktest::engine();
    e.view->x = 100;
    e.view->y = 50;
    e.view->width = 3840;
    e.view->height = 2160;
    in.mouse.x = e.display->windowWidth / 2;
    in.mouse.y = e.display->windowHeight / 2;
    NK::Vec2 p = in.mouseInView();
    EXPECT_NEAR(p.x, 100 + 1920, 4.0f);
    EXPECT_NEAR(p.y, 50 + 1080, 4.0f);
    nktest::resetDrawing();
}
