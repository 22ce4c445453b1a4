#pragma once
#include <allegro5/allegro.h>
#include <unistd.h>

#include <string>

#include "engine/BitmapEntry.h"
#include "tests/support/AllegroEnvironment.h"

// Sheets and images made on the spot, with a colour per grid cell so a frame
// read back names the cell it came from.
namespace animtest {

inline ALLEGRO_COLOR cellColour(int column, int row) {
    return al_map_rgb(column * 32 + 16, row * 32 + 16, 200);
}

// Paints columns x rows cells of (width / columns) x (height / rows) pixels;
// leftover pixels at the right and bottom edges are white.
inline std::string sheetFile(const std::string& name, int width, int height, int columns,
                             int rows) {
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    ALLEGRO_BITMAP* sheet = al_create_bitmap(width, height);
    al_set_target_bitmap(sheet);
    al_clear_to_color(al_map_rgb(255, 255, 255));
    const int cw = width / columns, ch = height / rows;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            ALLEGRO_BITMAP* cell = al_create_sub_bitmap(sheet, c * cw, r * ch, cw, ch);
            al_set_target_bitmap(cell);
            al_clear_to_color(cellColour(c, r));
            al_set_target_bitmap(sheet);
            al_destroy_bitmap(cell);
        }
    }
    al_set_target_bitmap(previous);
    std::string path = "/tmp/dovra_anim_" + std::to_string(getpid()) + "_" + name + ".png";
    al_save_bitmap(path.c_str(), sheet);
    al_destroy_bitmap(sheet);
    return path;
}

// An image whose left and right halves (or top and bottom) differ, to tell
// a mirrored draw from a plain one.
inline NK::BitmapEntry halvesEntry(int width, int height, ALLEGRO_COLOR first, ALLEGRO_COLOR second,
                                   bool sideBySide) {
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    NK::BitmapEntry entry;
    entry.bitmap.reset(al_create_bitmap(width, height));
    al_set_target_bitmap(entry.get());
    al_clear_to_color(first);
    ALLEGRO_BITMAP* half =
        sideBySide ? al_create_sub_bitmap(entry.get(), width / 2, 0, width / 2, height)
                   : al_create_sub_bitmap(entry.get(), 0, height / 2, width, height / 2);
    al_set_target_bitmap(half);
    al_clear_to_color(second);
    al_destroy_bitmap(half);
    al_set_target_bitmap(previous);
    entry.source = NK::Rect(0, 0, static_cast<float>(width), static_cast<float>(height));
    entry.placement = entry.source;
    entry.path = "RuntimeCreatedBitmap";
    return entry;
}

inline NK::BitmapEntry solidEntry(int width, int height, ALLEGRO_COLOR colour) {
    return halvesEntry(width, height, colour, colour, true);
}

// Window pixel of a logical point under the default 1920x1080 view.
inline int wx(float x) {
    return static_cast<int>(x * nktest::engine().display->windowWidth / 1920.0f);
}
inline int wy(float y) {
    return static_cast<int>(y * nktest::engine().display->windowHeight / 1080.0f);
}

}  // namespace animtest
