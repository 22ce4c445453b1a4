#include "engine/Input.h"

#include <cstring>
#include <string>

#include "engine/Display.h"
#include "engine/Log.h"
#include "engine/Platform.h"
#include "engine/View.h"

namespace NK {

Input::Input(Display* d, View* v, float r) : display(d), view(v), rate(r) {
    Platform::LockStates locks = Platform::lockStates();
    capsLock = locks.capsLock;
    numLock = locks.numLock;
}

Input::~Input() {
    if (timer) al_destroy_timer(timer);
    if (queue) al_destroy_event_queue(queue);
}

void Input::startEvents() {
    timer = al_create_timer(1.0 / 60.0);
    if (!timer) logError("Allegro timer initialize.");
    queue = al_create_event_queue();
    if (!queue) logError("Allegro event queue create.");
    if (!timer || !queue) {
        fatalError("Allegro events");
    }
    al_register_event_source(queue, al_get_display_event_source(display->display));
    al_register_event_source(queue, al_get_timer_event_source(timer));
    al_register_event_source(queue, al_get_keyboard_event_source());
    al_register_event_source(queue, al_get_mouse_event_source());
    if (al_is_joystick_installed()) {
        al_register_event_source(queue, al_get_joystick_event_source());
        connectPad();
    }
    al_start_timer(timer);

    int windowX = 0, windowY = 0;
    al_get_window_position(display->display, &windowX, &windowY);
    al_set_mouse_xy(display->display, display->desktopWidth / 2 - windowX,
                    display->desktopHeight / 2 - windowY);
    mouseInDisplay = true;
}

void Input::apply(const ALLEGRO_EVENT& e) {
    switch (e.type) {
        case ALLEGRO_EVENT_KEY_DOWN:
            if (e.keyboard.keycode >= 0 && e.keyboard.keycode < keyCount) {
                keyPressed[e.keyboard.keycode] = 1;
                if (e.keyboard.keycode == ALLEGRO_KEY_CAPSLOCK) capsLock = !capsLock;
                if (e.keyboard.keycode == ALLEGRO_KEY_NUMLOCK) numLock = !numLock;
            }
            break;
        case ALLEGRO_EVENT_KEY_UP:
            if (e.keyboard.keycode >= 0 && e.keyboard.keycode < keyCount)
                keyReleased[e.keyboard.keycode] = 1;
            break;
        case ALLEGRO_EVENT_MOUSE_BUTTON_DOWN:
            if (e.mouse.button >= 1 && e.mouse.button < mouseSlots)
                mousePressed[e.mouse.button] = 1;
            break;
        case ALLEGRO_EVENT_MOUSE_BUTTON_UP:
            if (e.mouse.button >= 1 && e.mouse.button < mouseSlots)
                mouseReleased[e.mouse.button] = 1;
            break;
        case ALLEGRO_EVENT_JOYSTICK_AXIS:
            if (!joystick || e.joystick.id == joystick)
                pad.axisMoved(e.joystick.stick, e.joystick.axis, e.joystick.pos);
            break;
        case ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN:
        case ALLEGRO_EVENT_JOYSTICK_BUTTON_UP:
            if (!joystick || e.joystick.id == joystick)
                pad.buttonChanged(e.joystick.button, e.type == ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN);
            break;
        case ALLEGRO_EVENT_JOYSTICK_CONFIGURATION:
            if (al_is_joystick_installed()) al_reconfigure_joysticks();
            connectPad();
            break;
        case ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY:
            mouseInDisplay = true;
            break;
        case ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY:
            mouseInDisplay = false;
            break;
        default:
            break;
    }
}

void Input::connectPad() {
    joystick = nullptr;
    const int count = al_is_joystick_installed() ? al_get_num_joysticks() : 0;
    for (int i = 0; i < count && !joystick; ++i) {
        ALLEGRO_JOYSTICK* j = al_get_joystick(i);
        if (j && al_get_joystick_active(j)) joystick = j;
    }
    // Whatever was held on a pad that went away is let go, so a player
    // pulled out mid-walk stops rather than walking on for ever.
    pad.release();
    pad.connected = joystick != nullptr;
    if (!joystick) return;
    int buttons = al_get_joystick_num_buttons(joystick);
    const char* name = al_get_joystick_name(joystick);
    pad.setLayout(Gamepad::Layout::forDevice(name ? name : "", al_get_joystick_num_sticks(joystick),
                                             buttons));
    logInfo(std::string("Controller \"") + (name ? name : "") + "\" read as " + pad.layout.name);
}

void Input::endUpdate() {
    pad.endUpdate();
    previousMouseX = static_cast<float>(mouse.x);
    previousMouseY = static_cast<float>(mouse.y);
    previousMouseZ = static_cast<float>(mouse.z);
    previousMouseW = static_cast<float>(mouse.w);
    std::memset(keyPressed, 0, sizeof keyPressed);
    std::memset(mousePressed, 0, sizeof mousePressed);
    std::memset(keyReleased, 0, sizeof keyReleased);
    std::memset(mouseReleased, 0, sizeof mouseReleased);
}

Vec2 Input::mouseInView() const {
    float ww = static_cast<float>(display->windowWidth);
    float wh = static_cast<float>(display->windowHeight);
    return {view->x + static_cast<float>(mouse.x) * (view->width / ww),
            view->y + static_cast<float>(mouse.y) * (view->height / wh)};
}

}  // namespace NK
