#pragma once
#include <allegro5/allegro.h>

#include <memory>

namespace NK {

// Owning handles for Allegro objects, so a store entry releases what it holds
// whichever way it goes (destroy, remake or destroy-all).
struct BitmapDeleter {
    void operator()(ALLEGRO_BITMAP* b) const {
        if (b) al_destroy_bitmap(b);
    }
};
using BitmapPtr = std::unique_ptr<ALLEGRO_BITMAP, BitmapDeleter>;

}  // namespace NK
