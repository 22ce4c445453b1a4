#pragma once
#include <allegro5/allegro.h>

#include <string>
#include <vector>

#include "engine/BitmapEntry.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "tests/support/AllegroEnvironment.h"

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

// Every pixel of a bitmap, read in one lock.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;  // 4 bytes a pixel, row by row

    explicit Image(ALLEGRO_BITMAP* b)
        : width(al_get_bitmap_width(b)), height(al_get_bitmap_height(b)) {
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
    // Pixels within a box (the whole image by default) for which `test` holds.
    template <typename Test>
    int count(Test test, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const {
        int n = 0;
        for (int y = y0; y < (y1 < 0 ? height : y1); ++y)
            for (int x = x0; x < (x1 < 0 ? width : x1); ++x) n += test(at(x, y)) ? 1 : 0;
        return n;
    }
};

inline bool whitish(const unsigned char* p) {
    return p[0] > 200 && p[1] > 200 && p[2] > 200 && p[3] > 200;
}

}  // namespace guitest
