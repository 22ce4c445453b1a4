#pragma once
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <cmath>
#include <fstream>

#include "engine/RenderContext.h"
#include "engine/View.h"
#include "tests/support/Testing.h"

// What the store tests share: files made on the spot and pixel read-back.
namespace nktest {

// Fills a bitmap with one colour, leaving the drawing target where it was.
inline void fill(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR color) {
    ALLEGRO_BITMAP* was = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_clear_to_color(color);
    al_set_target_bitmap(was);
}

// A PNG of one colour in the test's own temporary folder.
inline std::string imageFile(const std::string& name, int width, int height, ALLEGRO_COLOR color) {
    engine();
    std::string path = tempPath(name + ".png");
    ALLEGRO_BITMAP* b = al_create_bitmap(width, height);
    fill(b, color);
    al_save_bitmap(path.c_str(), b);
    al_destroy_bitmap(b);
    return path;
}

// A tenth of a second of sine tone as a WAV in the test's own temporary folder.
inline std::string toneFile() {
    engine();
    static const std::string path = [] {
        const unsigned rate = 22050, frames = 2205;
        auto* data = static_cast<int16_t*>(al_malloc(frames * sizeof(int16_t)));
        for (unsigned i = 0; i < frames; ++i)
            data[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        ALLEGRO_SAMPLE* s = al_create_sample(data, frames, rate, ALLEGRO_AUDIO_DEPTH_INT16,
                                             ALLEGRO_CHANNEL_CONF_1, true);
        std::string p = tempPath("tone.wav");
        al_save_sample(p.c_str(), s);
        al_destroy_sample(s);
        return p;
    }();
    return path;
}

// The game's copy of Clear Sans when present, else the system's.
inline std::string clearSansPath() {
    std::string game = sourcePath("Resources/Fonts/NK-ClearSans.ttf");
    if (std::ifstream(game).good()) return game;
    return "/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf";
}

// An off-screen target bigger than the view, drawn to in plain world pixels,
// so draws just past the view's edges can be read back; culling still tests
// against the view at 0, 0, 1920, 1080.
struct Canvas {
    Canvas() : bitmap((engine(), al_create_bitmap(2200, 1300))) { clear(); }
    ~Canvas() {
        resetDrawing();
        al_destroy_bitmap(bitmap);
    }
    void clear() {  // black, and the drawing target again
        al_set_target_bitmap(bitmap);
        al_clear_to_color(al_map_rgba_f(0, 0, 0, 1));
    }
    std::string seen(const Points& points) const { return colours(points, bitmap, 8); }
    ALLEGRO_BITMAP* bitmap = nullptr;
};

}  // namespace nktest
