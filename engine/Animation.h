#pragma once
#include <string>
#include <vector>

#include "engine/AllegroPtr.h"
#include "engine/BitmapEntry.h"

namespace NK {

// One frame of a sheet: an Allegro sub-bitmap sharing the sheet's pixels.
struct AnimationFrame {
    BitmapPtr bitmap;
    float width = 0.0f;
    float height = 0.0f;

    ALLEGRO_BITMAP* get() const { return bitmap.get(); }
};

// A sprite sheet cut into a grid of equal frames, row by row.
struct Animation {
    BitmapEntry sheet;
    std::vector<AnimationFrame> frames;
    int frameWidth = 0;
    int frameHeight = 0;
    int columns = 0;
    int rows = 0;

    Animation() = default;
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;
    // Sub-bitmaps must go before the sheet they point into.
    ~Animation() { frames.clear(); }

    int frameCount() const { return static_cast<int>(frames.size()); }
};

}  // namespace NK
