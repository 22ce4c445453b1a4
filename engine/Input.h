#pragma once
#include <allegro5/allegro.h>

#include <cstdint>

#include "engine/Gamepad.h"
#include "engine/Vec2.h"

namespace NK {

class Display;
class View;

// The input state the game reads once per tick. Edges (pressed or released
// since the last update) live in the four arrays and are cleared after every
// update; held keys and buttons come from Allegro's state snapshots.
//
// The event-applying steps are separate from the event source so that a test
// can feed events and run updates tick by tick without a timer.
class Input {
public:
    static constexpr int keyCount = 227;  // Allegro key codes 0..226
    static constexpr int mouseSlots = 6;  // buttons are numbered 1..5

    // Stores the window and view, clears every edge and reads the lock keys.
    Input(Display* display, View* view, float rate);
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // Makes the tick timer and the event queue, registers the display, timer,
    // keyboard and mouse, starts the timer and puts the pointer under the
    // desktop's centre. Missing timer or queue is fatal.
    void startEvents();

    // Applies one event to the edge arrays, lock states and pointer-inside
    // flag, and a controller's events to the pad.
    void apply(const ALLEGRO_EVENT& e);
    // Takes the first controller Allegro reports, or none; called at start
    // and whenever one is plugged in or pulled out.
    void connectPad();
    // What the loop does after each update: remember the mouse axes and clear the edges.
    void endUpdate();

    bool keyDown(int keycode) const { return al_key_down(&keyboard, keycode); }
    bool mouseDown(int button) const { return al_mouse_button_down(&mouse, button); }
    // Pointer in view coordinates (position only; view scale and rotation ignored).
    Vec2 mouseInView() const;

    Display* display = nullptr;
    View* view = nullptr;
    ALLEGRO_EVENT event{};
    ALLEGRO_EVENT_QUEUE* queue = nullptr;
    ALLEGRO_TIMER* timer = nullptr;
    ALLEGRO_KEYBOARD_STATE keyboard{};
    ALLEGRO_MOUSE_STATE mouse{};
    std::uint8_t keyPressed[keyCount]{};
    std::uint8_t mousePressed[mouseSlots]{};
    std::uint8_t keyReleased[keyCount]{};
    std::uint8_t mouseReleased[mouseSlots]{};
    bool capsLock = false;
    bool numLock = false;
    float previousMouseX = 0.0f;
    float previousMouseY = 0.0f;
    float previousMouseZ = 0.0f;
    float previousMouseW = 0.0f;
    bool mouseInDisplay = false;
    float rate = 60.0f;
    // The one controller the game reads (the first one plugged in).
    Gamepad pad;
    ALLEGRO_JOYSTICK* joystick = nullptr;
};

}  // namespace NK
