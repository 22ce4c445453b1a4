#pragma once
#include "engine/Rect.h"
#include "engine/Vec2.h"

// The editor's camera as plain numbers: the centre it looks at, the zoom in
// whole percent easing toward its target, and the velocity the camera keys
// build up and let coast away. No Allegro here, so every rule is checked
// tick by tick without a window.
class EditorCamera {
public:
    // What the devices say this tick.
    struct Controls {
        bool left = false, right = false, up = false, down = false;  // A, D, W, S held
        bool typing = false;  // a text input has the keyboard: the keys are text
        int wheel = 0;        // the mouse wheel's absolute position
    };

    static constexpr int minimumZoom = 20;
    static constexpr int maximumZoom = 289;
    static constexpr int zoomStep = 10;
    static constexpr float topSpeed = 15.0f;
    static constexpr float coasting = 0.5f;  // per tick, toward 0, once the keys are up

    // Entering the editor: looking at (960, 540) again; wheel turns made
    // elsewhere do not zoom.
    void enter(int wheel) {
        centre = NK::Vec2(960.0f, 540.0f);
        lastWheel = wheel;
        wheelSeen = true;
    }
    // One tick: the zoom eases, the centre moves, then the wheel and the keys
    // set what the next tick does.
    void tick(const Controls& controls);
    // The level rectangle the view shows: 1920 x 1080 at zoom 100, centred.
    NK::Rect view() const;
    float zoomFactor() const { return zoom * 0.01f; }

    // The mouse (on the 1920 x 1080 screen) lies outside the editing area,
    // the part the top bar and the right panel leave.
    static bool outsideEditingArea(NK::Vec2 screenPoint);

    NK::Vec2 centre{960.0f, 540.0f};
    NK::Vec2 velocity;
    int zoom = 100;
    int targetZoom = 100;

private:
    static float accelerate(float v, bool less, bool more, bool typing);

    int lastWheel = 0;
    bool wheelSeen = false;
};
