#pragma once
#include <memory>
#include <string>
#include <utility>

#include "engine/AllegroPtr.h"
#include "engine/Rect.h"

namespace NK {

// One image of the bitmap or batch store.
struct BitmapEntry {
    // The decoded file `bitmap` is a sub-bitmap of, when its pixels are
    // shared with other entries of the same file (kept alive by each of them;
    // declared first so that it goes after the sub-bitmap). Nothing may draw
    // into a shared entry: ownPixels() first.
    std::shared_ptr<ALLEGRO_BITMAP> shared;
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

    BitmapEntry() = default;
    BitmapEntry(BitmapEntry&&) = default;
    // Member by member, except that the old sub-bitmap goes before the old
    // shared image it points into can.
    BitmapEntry& operator=(BitmapEntry&& other) noexcept {
        bitmap.reset();
        shared = std::move(other.shared);
        bitmap = std::move(other.bitmap);
        source = other.source;
        placement = other.placement;
        path = std::move(other.path);
        pristine = std::move(other.pristine);
        return *this;
    }

    // Whether `bitmap` shows the pixels of `shared` rather than its own.
    bool sharesPixels() const {
        return shared && bitmap && al_is_sub_bitmap(bitmap.get()) &&
               al_get_parent_bitmap(bitmap.get()) == shared.get();
    }

    // A second entry of the same picture: sharing the pixels when this one
    // shares them, else a clone of the bitmap and its pristine copy.
    BitmapEntry copy() const {
        BitmapEntry entry;
        if (sharesPixels()) {
            entry.shared = shared;
            entry.bitmap.reset(al_create_sub_bitmap(
                shared.get(), al_get_bitmap_x(bitmap.get()), al_get_bitmap_y(bitmap.get()),
                al_get_bitmap_width(bitmap.get()), al_get_bitmap_height(bitmap.get())));
        } else {
            entry.bitmap.reset(al_clone_bitmap(bitmap.get()));
            if (pristine) entry.pristine.reset(al_clone_bitmap(pristine.get()));
        }
        entry.source = source;
        entry.placement = placement;
        entry.path = path;
        return entry;
    }

    // Before drawing into the bitmap: a shared one becomes a private clone,
    // so the drawing shows on this entry alone.
    void ownPixels() {
        if (sharesPixels()) bitmap.reset(al_clone_bitmap(bitmap.get()));
        shared.reset();
    }

    ALLEGRO_BITMAP* get() const { return bitmap.get(); }
    float width() const { return static_cast<float>(al_get_bitmap_width(bitmap.get())); }
    float height() const { return static_cast<float>(al_get_bitmap_height(bitmap.get())); }
};

}  // namespace NK
