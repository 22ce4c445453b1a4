#pragma once
#include <cstdint>

// How one light blinks, and where it is in its blinking while a level plays.
// Pure arithmetic on the light's intensity, so each tick can be counted
// without a window or a shader.
//
// A blinking light holds steady for a number of ticks, fades toward dark or
// back to its full intensity at a fixed step per tick, holds again, and so
// on. The timer counts steady ticks only; fading takes as long as it takes.
struct LightBlink {
    // Settings, as the map file and the panel hold them.
    float delayOn = -1.0f;    // seconds fully on between fades; negative: no blinking
    float delayOff = -1.0f;   // seconds fully off between fades
    float delaySpeed = 0.5f;  // intensity change per tick while fading
    bool delayFirstOn = true;

    // Play state, meaningful between start and stop.
    std::int32_t timer = 0;  // steady ticks left
    bool isOn = true;
    bool holding = true;  // steady (true) or fading (false)
    float savedIntensity = 0.0f;

    bool blinks() const { return delayOn >= 0.0f; }

    // Arms the first steady phase for a light now at `intensity` and returns
    // the intensity to show from now on: dark when it starts off.
    float start(float intensity);
    // One tick; returns the intensity the light has after it. The tick on
    // which a steady phase runs out only turns the phase over, so the fade
    // begins on the tick after.
    float tick(float intensity);

    // Steady ticks for the phase `on`: seconds x 60, truncated toward zero.
    std::int32_t phaseTicks(bool on) const;
};
