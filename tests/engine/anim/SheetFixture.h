#pragma once
#include <allegro5/allegro.h>

#include "engine/BitmapEntry.h"
#include "tests/support/Testing.h"

// Sheets and images made on the spot, with a colour per grid cell so a frame
// read back names the cell it came from, and one pixel check for all tests.
namespace animtest {

inline ALLEGRO_COLOR cellColour(int column, int row) {
    return al_map_rgb(column * 32 + 16, row * 32 + 16, 200);
}

// A new width x height bitmap with the colour `colourAt(x, y)` at each pixel.
template <typename ColourAt>
ALLEGRO_BITMAP* painted(int width, int height, ColourAt colourAt) {
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    al_set_target_bitmap(bitmap);
    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) al_put_pixel(x, y, colourAt(x, y));
    }
    al_unlock_bitmap(bitmap);
    al_set_target_bitmap(previous);
    return bitmap;
}

// Paints columns x rows cells of (width / columns) x (height / rows) pixels;
// leftover pixels at the right and bottom edges are white.
inline std::string sheetFile(const std::string& name, int width, int height, int columns,
                             int rows) {
    const int cw = width / columns, ch = height / rows;
    ALLEGRO_BITMAP* sheet = painted(width, height, [&](int x, int y) {
        return x < cw * columns && y < ch * rows ? cellColour(x / cw, y / ch)
                                                 : al_map_rgb(255, 255, 255);
    });
    std::string path = nktest::tempPath(name + ".png");
    al_save_bitmap(path.c_str(), sheet);
    al_destroy_bitmap(sheet);
    return path;
}

// An image whose left and right halves (or top and bottom) differ, to tell
// a mirrored draw from a plain one.
inline NK::BitmapEntry halvesEntry(int width, int height, ALLEGRO_COLOR first, ALLEGRO_COLOR second,
                                   bool sideBySide) {
    NK::BitmapEntry entry;
    entry.bitmap.reset(painted(width, height, [&](int x, int y) {
        return (sideBySide ? x >= width / 2 : y >= height / 2) ? second : first;
    }));
    entry.source = NK::Rect(0, 0, static_cast<float>(width), static_cast<float>(height));
    entry.placement = entry.source;
    return entry;
}

// Whether the pixel at x, y of a bitmap is within `tolerance` of `want`; the
// back buffer when null, with x, y then a logical point of the default
// 1920x1080 view.
inline testing::AssertionResult looks(float x, float y, ALLEGRO_COLOR want, int tolerance,
                                      ALLEGRO_BITMAP* bitmap = nullptr) {
    if (!bitmap) {
        x *= nktest::engine().display->windowWidth / 1920.0f;
        y *= nktest::engine().display->windowHeight / 1080.0f;
    }
    const nktest::Rgba seen = nktest::pixelAt(static_cast<int>(x), static_cast<int>(y), bitmap);
    unsigned char r, g, b;
    al_unmap_rgb(want, &r, &g, &b);
    if (nktest::near(seen, r, g, b, tolerance)) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "saw " << seen << " for rgb(" << +r << "," << +g << "," << +b << ")";
}

}  // namespace animtest
