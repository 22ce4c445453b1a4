#pragma once

namespace NK {

// One point light. Intensity is how far the light reaches, in level pixels;
// hardness shapes how quickly it fades towards that reach.
struct Light {
    float x = 0.0f;
    float y = 0.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float intensity = 0.0f;
    float hardness = 0.0f;
};

}  // namespace NK
