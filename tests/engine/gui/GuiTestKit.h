#pragma once
#include <allegro5/allegro.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/BitmapEntry.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "tests/support/AllegroEnvironment.h"

// What the GUI tests share: one font loaded once for the whole binary (all
// 96 sizes take a while), plain images, the pointer placed on the widget
// screen, and ticks run the way the game loop runs them.
namespace guitest {

inline NK::FontStore& fonts() {
    static NK::FontStore* store = [] {
        auto* s = new NK::FontStore(nktest::engine().renderContext);
        s->load("/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf", "font");
        return s;
    }();
    return *store;
}

// An opaque image of one colour, drawn whole.
inline NK::BitmapEntry solidImage(int w, int h, ALLEGRO_COLOR colour) {
    NK::BitmapEntry e;
    e.bitmap.reset(al_create_bitmap(w, h));
    e.source = NK::Rect(0, 0, static_cast<float>(w), static_cast<float>(h));
    e.placement = e.source;
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(e.get());
    al_clear_to_color(colour);
    al_set_target_bitmap(previous);
    return e;
}

// Puts the pointer over a point of the 1920x1080 widget screen.
inline void pointAt(float sx, float sy) {
    NK::Display& d = *nktest::engine().display;
    NK::Input& in = *nktest::engine().input;
    in.mouse.x = static_cast<int>(sx * static_cast<float>(d.windowWidth) / 1920.0f + 0.5f);
    in.mouse.y = static_cast<int>(sy * static_cast<float>(d.windowHeight) / 1080.0f + 0.5f);
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

// Every pixel of a bitmap, read in one lock.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;  // 4 bytes a pixel, row by row

    explicit Image(ALLEGRO_BITMAP* b) {
        width = al_get_bitmap_width(b);
        height = al_get_bitmap_height(b);
        rgba.resize(static_cast<size_t>(width) * height * 4);
        ALLEGRO_LOCKED_REGION* r =
            al_lock_bitmap(b, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
        for (int y = 0; y < height; ++y) {
            const unsigned char* row = static_cast<const unsigned char*>(r->data) + y * r->pitch;
            std::copy(row, row + width * 4, rgba.begin() + static_cast<long>(y) * width * 4);
        }
        al_unlock_bitmap(b);
    }
    const unsigned char* at(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    // Pixels within a box for which `test` (r, g, b, a) holds.
    int count(std::function<bool(const unsigned char*)> test, int x0 = 0, int y0 = 0, int x1 = -1,
              int y1 = -1) const {
        if (x1 < 0) x1 = width;
        if (y1 < 0) y1 = height;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (test(at(x, y))) ++n;
        return n;
    }
};

inline bool whitish(const unsigned char* p) {
    return p[0] > 200 && p[1] > 200 && p[2] > 200 && p[3] > 200;
}

}  // namespace guitest
