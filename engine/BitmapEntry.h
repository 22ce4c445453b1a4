#pragma once
#include <string>

#include "engine/AllegroPtr.h"
#include "engine/Rect.h"

namespace NK {

// One image of the bitmap or batch store.
struct BitmapEntry {
    BitmapPtr bitmap;
    Rect source;     // the region of the bitmap that is drawn
    Rect placement;  // a default destination kept with the image
    std::string path;
    // An untouched copy kept by stores that print text onto the image, so the
    // next text replaces the last instead of piling onto it.
    BitmapPtr pristine;

    ALLEGRO_BITMAP* get() const { return bitmap.get(); }
    float width() const { return static_cast<float>(al_get_bitmap_width(bitmap.get())); }
    float height() const { return static_cast<float>(al_get_bitmap_height(bitmap.get())); }
};

}  // namespace NK
