#include "tests/engine/stores/StoreFixtures.h"

#include <allegro5/allegro_audio.h>

#include <cmath>
#include <fstream>

#include "tests/support/Pixels.h"

namespace nktest {

std::string imageFile(const std::string& name, int width, int height, ALLEGRO_COLOR color) {
    engine();
    std::string path = "/tmp/nk_stores_" + name + ".png";
    ALLEGRO_BITMAP* b = al_create_bitmap(width, height);
    fill(b, color);
    al_save_bitmap(path.c_str(), b);
    al_destroy_bitmap(b);
    return path;
}

std::string toneFile() {
    engine();
    static const std::string path = [] {
        const unsigned rate = 22050, frames = 2205;  // a tenth of a second
        auto* data = static_cast<int16_t*>(al_malloc(frames * sizeof(int16_t)));
        for (unsigned i = 0; i < frames; ++i)
            data[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        ALLEGRO_SAMPLE* s = al_create_sample(data, frames, rate, ALLEGRO_AUDIO_DEPTH_INT16,
                                             ALLEGRO_CHANNEL_CONF_1, true);
        std::string p = "/tmp/nk_stores_tone.wav";
        al_save_sample(p.c_str(), s);
        al_destroy_sample(s);
        return p;
    }();
    return path;
}

std::string clearSansPath() {
    std::string game = sourcePath("Resources/Fonts/NK-ClearSans.ttf");
    if (std::ifstream(game).good()) return game;
    return "/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf";
}

void fill(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR color) {
    ALLEGRO_BITMAP* was = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_clear_to_color(color);
    al_set_target_bitmap(was);
}

bool screenNear(int x, int y, int r, int g, int b, int tolerance) {
    NK::Display& d = *engine().display;
    return near(pixelAt(x * d.windowWidth / 1920, y * d.windowHeight / 1080), r, g, b, tolerance);
}

Canvas::Canvas() {
    engine();
    bitmap = al_create_bitmap(2200, 1300);
    clear();
}

Canvas::~Canvas() {
    resetDrawing();
    al_destroy_bitmap(bitmap);
}

void Canvas::clear() {
    al_set_target_bitmap(bitmap);
    al_clear_to_color(al_map_rgba_f(0, 0, 0, 1));
}

bool Canvas::coloured(int x, int y) const {
    return !nktest::near(pixelAt(x, y, bitmap), 0, 0, 0, 8);
}

bool Canvas::near(int x, int y, int r, int g, int b) const {
    return nktest::near(pixelAt(x, y, bitmap), r, g, b);
}

}  // namespace nktest
