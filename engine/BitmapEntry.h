#pragma once
#include <string>
#include <utility>

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

    // A blank image of the rectangle's size, each side truncated to whole
    // pixels, drawn whole; the rectangle itself is kept as the placement.
    // `bitmap` stays empty when Allegro cannot make it, so each store can
    // report that in its own words.
    static BitmapEntry blank(const Rect& rect, std::string path) {
        int w = static_cast<int>(rect.width);
        int h = static_cast<int>(rect.height);
        BitmapEntry e;
        e.bitmap.reset(al_create_bitmap(w, h));
        e.source = Rect(0, 0, static_cast<float>(w), static_cast<float>(h));
        e.placement = rect;
        e.path = std::move(path);
        return e;
    }

    ALLEGRO_BITMAP* get() const { return bitmap.get(); }
    float width() const { return static_cast<float>(al_get_bitmap_width(bitmap.get())); }
    float height() const { return static_cast<float>(al_get_bitmap_height(bitmap.get())); }
};

}  // namespace NK
