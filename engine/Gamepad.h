#pragma once
#include <string>

#include "engine/Vec2.h"

namespace NK {

// One game controller as the game reads it once per tick: two sticks, two
// triggers and the common buttons by their place on the pad, whatever the
// driver numbers them. Held state comes from the device's events; presses are
// edges, set when a button goes down (or a trigger or d-pad direction crosses
// its threshold) and cleared after every update, as keys are.
//
// No Allegro here beyond plain numbers: the input layer turns joystick events
// into stick, axis and button numbers, and tests feed those directly.
class Gamepad {
public:
    // Places on the pad, not driver numbers: South is the bottom face button
    // (A on an Xbox pad, the cross on a PlayStation one), West the left one.
    enum Button {
        South,
        East,
        West,
        North,
        LeftShoulder,
        RightShoulder,
        Back,
        Start,
        LeftTrigger,  // a trigger pulled past half way counts as a button
        RightTrigger,
        DpadUp,
        DpadDown,
        DpadLeft,
        DpadRight,
        // The left stick pushed past half way, for stepping through menus.
        StickUp,
        StickDown,
        StickLeft,
        StickRight,
        buttonCount
    };

    // What one tick sees of the pad; replays hold the same.
    struct State {
        Vec2 left, right;
        float leftTrigger = 0.0f, rightTrigger = 0.0f;  // 0 at rest, 1 pulled
        bool held[buttonCount] = {};
        bool pressed[buttonCount] = {};
        bool touched = false;  // anything moved since the last update
    };

    // Where a driver puts each part of the pad: a stick and axis for each
    // analogue part, a button number for each button (-1 where the pad has
    // none). Triggers that rest at -1 and travel to +1 are told apart from
    // ones that rest at 0.
    struct Layout {
        struct Axis {
            int stick = -1, axis = -1;
        };
        Axis leftX, leftY, rightX, rightY, leftTrigger, rightTrigger, dpadX, dpadY;
        bool triggersRestAtMinusOne = true;
        int buttons[buttonCount];
        std::string name;

        // The layout for a device, from what the driver tells of it: its name
        // and how many sticks and buttons it has.
        static Layout forDevice(const std::string& deviceName, int stickCount, int buttonCount);
        // Linux's evdev order for Xbox-style pads (xpad and most others).
        static Layout xboxStyle();
        // The Sony pads, which add the triggers as buttons and put North
        // before West.
        static Layout playStationStyle();
    };

    Gamepad();

    // A stick moved: the position of one axis, from -1 to 1.
    void axisMoved(int stick, int axis, float position);
    // A driver button went down or up.
    void buttonChanged(int number, bool down);
    // The device went away or a new one came: nothing stays held.
    void release();
    void setLayout(const Layout& l);
    // After each update: presses are edges.
    void endUpdate();

    bool held(Button b) const { return state.held[b]; }
    bool pressed(Button b) const { return state.pressed[b]; }

    // Sets a place on the pad directly: what the driver's numbers map to,
    // and what a test or replay feeds.
    void setButton(Button b, bool down);
    void setLeftStick(Vec2 at);

    State state;
    bool connected = false;
    Layout layout;

private:
    void setTrigger(int which, float raw);
    void setDpad(float x, float y);
};

}  // namespace NK
