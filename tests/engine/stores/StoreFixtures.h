#pragma once
#include <allegro5/allegro.h>

#include <string>

#include "engine/RenderContext.h"
#include "engine/View.h"
#include "tests/support/AllegroEnvironment.h"

// What the store tests share: image, sound and font files made on the spot,
// and a canvas to read world-space draws back from.
namespace nktest {

// A PNG of one colour under /tmp (rewritten on every call).
std::string imageFile(const std::string& name, int width, int height, ALLEGRO_COLOR color);

// A short sine tone as a WAV under /tmp, synthesised in memory and saved.
std::string toneFile();

// The game's copy of Clear Sans when present, else the system's.
std::string clearSansPath();

// Fills a bitmap with one colour, leaving the drawing target where it was.
void fill(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR color);

// An off-screen target bigger than the view, so draws just past the view's
// edges land on pixels that can be read back. Drawing goes to it in plain
// world pixels (its own projection), while culling still tests against the
// view, which stays at 0, 0, 1920, 1080.
class Canvas {
public:
    static constexpr int width = 2200;
    static constexpr int height = 1300;
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    // Black everywhere, and the drawing target again.
    void clear();
    bool coloured(int x, int y) const;  // not black
    ALLEGRO_BITMAP* bitmap = nullptr;
};

}  // namespace nktest
