#pragma once
#include <allegro5/allegro.h>

#include <array>

#include "engine/BitmapEntry.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "tests/support/Testing.h"

// What the GUI tests share: one font loaded once for the whole binary (all
// 96 sizes take a while), plain images, points of the widget screen in
// window pixels, ticks run the way the game loop runs them, and read-back.
namespace guitest {

inline NK::FontStore& fonts() {
    static NK::FontStore* store = [] {
        auto* s = new NK::FontStore(nktest::engine().renderContext);
        s->load("/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf", "font");
        return s;
    }();
    return *store;
}

// A point of the 1920x1080 widget screen in window pixels.
inline int windowX(float x) {
    return static_cast<int>(x * nktest::engine().display->windowWidth / 1920.0f + 0.5f);
}
inline int windowY(float y) {
    return static_cast<int>(y * nktest::engine().display->windowHeight / 1080.0f + 0.5f);
}

inline void pointAt(float x, float y) {
    nktest::engine().input->mouse.x = windowX(x);
    nktest::engine().input->mouse.y = windowY(y);
}

// One tick as the loop runs it: the keys and clicks given are this tick's
// edges, then the GUI updates and the edges are cleared.
inline void tick(NK::GUISystem& gui, std::vector<int> keys = {}, bool click = false) {
    NK::Input& in = *nktest::engine().input;
    for (int k : keys) in.keyPressed[k] = 1;
    if (click) in.mousePressed[1] = 1;
    gui.update();
    in.endUpdate();
}

// Every pixel of a bitmap, read in one lock (4 bytes a pixel, row by row).
inline std::vector<unsigned char> pixels(ALLEGRO_BITMAP* b) {
    const int width = al_get_bitmap_width(b), height = al_get_bitmap_height(b);
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    ALLEGRO_LOCKED_REGION* r =
        al_lock_bitmap(b, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = static_cast<const unsigned char*>(r->data) + y * r->pitch;
        std::copy(row, row + width * 4, rgba.begin() + static_cast<long>(y) * width * 4);
    }
    al_unlock_bitmap(b);
    return rgba;
}

// For each box (left, top, right, bottom; right and bottom excluded) of a
// bitmap, 'w' when some pixel in it is opaque near-white (text), else '.'.
inline std::string inked(ALLEGRO_BITMAP* b, const std::vector<std::array<int, 4>>& boxes) {
    const std::vector<unsigned char> rgba = pixels(b);
    const int width = al_get_bitmap_width(b);
    std::string out;
    for (const auto& box : boxes) {
        bool any = false;
        for (int y = box[1]; y < box[3]; ++y) {
            for (int x = box[0]; x < box[2]; ++x) {
                const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
                any = any || (p[0] > 200 && p[1] > 200 && p[2] > 200 && p[3] > 200);
            }
        }
        out += any ? 'w' : '.';
    }
    return out;
}

}  // namespace guitest
