#include "engine/Gamepad.h"

#include <tuple>

#include "tests/support/Testing.h"

using Pad = NK::Gamepad;

// Allegro's Linux driver puts an Xbox-style pad's left trigger with the right
// stick's X and its right trigger with the right stick's Y: reading the
// sticks two axes at a time would aim with the triggers.
TEST(Gamepad, XboxSticksAndTriggersTakenFromTheWrongAxes) {
    Pad pad;
    pad.setLayout(Pad::Layout::forDevice("Microsoft X-Box 360 pad", 4, 11));
    pad.axisMoved(1, 1, 1.8f);   // right stick X, past its end
    pad.axisMoved(2, 0, -0.6f);  // right stick Y
    pad.axisMoved(1, 0, -1.0f);  // left trigger at rest
    pad.axisMoved(2, 1, -1.0f);  // right trigger at rest
    // A trigger at rest reads -1 from the driver.
    EXPECT_EQ(nktest::Floats({pad.state.right.x, pad.state.right.y, pad.state.rightTrigger}),
              nktest::Floats({1.0f, -0.6f, 0.0f}));
    EXPECT_FALSE(pad.held(Pad::RightTrigger));
    pad.axisMoved(2, 1, 0.9f);
    EXPECT_TRUE(pad.pressed(Pad::RightTrigger));
    EXPECT_NEAR(pad.state.rightTrigger, 0.95f, 1e-5f);
    pad.axisMoved(3, 1, -1.0f);  // the hat, up
    EXPECT_TRUE(pad.pressed(Pad::DpadUp));
    pad.axisMoved(3, 0, 0.5f);  // half way is not yet a press
    EXPECT_FALSE(pad.held(Pad::DpadRight));
    pad.axisMoved(3, 0, 0.51f);
    EXPECT_TRUE(pad.held(Pad::DpadRight) && pad.held(Pad::DpadUp));
    pad.buttonChanged(2, true);
    pad.buttonChanged(3, true);
    EXPECT_TRUE(pad.held(Pad::West) && pad.held(Pad::North)) << "X is the left face button";
}

// Sony pads number North before West and add both triggers as buttons; a
// pull must still count as one press, not one from the axis and one from the
// button.
TEST(Gamepad, SonyFaceButtonsSwappedOrTriggerPressedTwice) {
    Pad pad;
    pad.buttonChanged(0, true);
    pad.axisMoved(0, 0, 0.9f);
    // A new pad: nothing stays held, but this tick's press happened.
    pad.setLayout(
        Pad::Layout::forDevice("Sony Interactive Entertainment Wireless Controller", 4, 13));
    EXPECT_TRUE(!pad.held(Pad::South) && !pad.held(Pad::StickRight) && pad.pressed(Pad::South));
    EXPECT_EQ(pad.state.left.x, 0.0f);
    pad.buttonChanged(2, true);
    EXPECT_TRUE(pad.held(Pad::North) && !pad.held(Pad::West));
    pad.buttonChanged(9, true);
    EXPECT_TRUE(pad.pressed(Pad::Start) && !pad.held(Pad::Back));
    pad.buttonChanged(7, true);
    pad.axisMoved(2, 1, 1.0f);
    EXPECT_TRUE(pad.pressed(Pad::RightTrigger));
    pad.endUpdate();
    pad.axisMoved(2, 1, -1.0f);  // the axis lets go while the button is still down
    EXPECT_TRUE(pad.held(Pad::RightTrigger) && !pad.held(Pad::Back));
    EXPECT_FALSE(pad.pressed(Pad::RightTrigger));
    // A plain pad with two sticks and a hat: the second stick aims.
    Pad plain;
    plain.setLayout(Pad::Layout::forDevice("USB Gamepad", 3, 12));
    plain.axisMoved(1, 0, -0.7f);
    plain.axisMoved(2, 0, 1.0f);
    EXPECT_FLOAT_EQ(plain.state.right.x, -0.7f);
    EXPECT_TRUE(plain.held(Pad::DpadRight));
}

// A press is an edge: seen on its tick, not the next, and not again while
// held; a stick past half way steps a menu once.
TEST(Gamepad, PressRepeatedWhileHeldOrStickSteppingBeforeHalfWay) {
    Pad pad;
    pad.buttonChanged(0, true);
    EXPECT_TRUE(pad.pressed(Pad::South));
    pad.endUpdate();
    pad.buttonChanged(0, true);
    EXPECT_FALSE(pad.pressed(Pad::South)) << "a repeated down is no new press";
    EXPECT_TRUE(pad.held(Pad::South));
    pad.axisMoved(0, 1, -0.5f);
    pad.axisMoved(0, 0, 0.5f);
    EXPECT_FALSE(pad.held(Pad::StickUp) || pad.held(Pad::StickRight));
    pad.axisMoved(0, 1, 0.7f);
    pad.axisMoved(0, 1, 0.9f);
    EXPECT_TRUE(pad.pressed(Pad::StickDown));
}

// Each row: a device's name, sticks and buttons, and the layout read for
// it: its name, where its Start is and the d-pad's stick and axis for x and
// y. Buttons a pad lacks are none; a Sony pad with too few buttons is taken
// as Xbox-style.
TEST(Gamepad, DeviceReadAsTheWrongLayout) {
    const std::tuple<const char*, int, int, std::string> cases[] = {
        {"Wireless Controller", 4, 10, "PlayStation-style 9 30 31"},
        {"Wireless Controller", 4, 9, "Xbox-style 7 30 31"},
        {"Sony Controller", 4, 12, "PlayStation-style 9 30 31"},
        {"PLAYSTATION(R)3 Controller", 4, 17, "PlayStation-style 9 30 31"},
        {"DualSense", 4, 13, "PlayStation-style 9 30 31"},
        {"Generic X-Box pad", 4, 7, "Xbox-style -1 30 31"},
        {"USB Gamepad", 3, 12, "two-stick 7 20 21"},
        {"USB Gamepad", 2, 8, "one-stick 7 10 11"},
        {"Joystick", 1, 8, "one-stick 7 -1-1 -1-1"}};
    for (const auto& [device, sticks, buttons, layout] : cases) {
        const Pad::Layout l = Pad::Layout::forDevice(device, sticks, buttons);
        std::string read = l.name + " " + std::to_string(l.buttons[Pad::Start]);
        for (const Pad::Layout::Axis& a : {l.dpadX, l.dpadY})
            read += " " + std::to_string(a.stick) + std::to_string(a.axis);
        EXPECT_EQ(read, layout) << device << " " << sticks << " " << buttons;
    }
}
