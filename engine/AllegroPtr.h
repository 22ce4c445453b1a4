#pragma once
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

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

struct FontDeleter {
    void operator()(ALLEGRO_FONT* f) const {
        if (f) al_destroy_font(f);
    }
};
using FontPtr = std::unique_ptr<ALLEGRO_FONT, FontDeleter>;

struct SampleDeleter {
    void operator()(ALLEGRO_SAMPLE* s) const {
        if (s) al_destroy_sample(s);
    }
};
using SamplePtr = std::unique_ptr<ALLEGRO_SAMPLE, SampleDeleter>;

struct SampleInstanceDeleter {
    void operator()(ALLEGRO_SAMPLE_INSTANCE* i) const {
        if (i) al_destroy_sample_instance(i);
    }
};
using SampleInstancePtr = std::unique_ptr<ALLEGRO_SAMPLE_INSTANCE, SampleInstanceDeleter>;

}  // namespace NK
