#include "elements/LightBlink.h"

std::int32_t LightBlink::phaseTicks(bool on) const {
    return static_cast<std::int32_t>((on ? delayOn : delayOff) * 60.0f);
}

float LightBlink::start(float intensity) {
    isOn = delayFirstOn;
    holding = true;
    timer = phaseTicks(isOn);
    savedIntensity = intensity;
    return isOn ? intensity : 0.0f;
}

float LightBlink::tick(float intensity) {
    if (holding) {
        --timer;
        if (timer < 0) {
            holding = false;
            isOn = !isOn;
            timer = phaseTicks(isOn);
        }
        return intensity;
    }
    float v = isOn ? intensity + delaySpeed : intensity - delaySpeed;
    // Landing exactly on 0 or the full intensity still counts as fading; the
    // step past it is what clamps and starts the steady phase.
    if (v < 0.0f) {
        v = 0.0f;
        holding = true;
    } else if (v > savedIntensity) {
        v = savedIntensity;
        holding = true;
    }
    return v;
}
