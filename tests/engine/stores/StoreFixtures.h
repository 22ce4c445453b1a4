#pragma once
#include <allegro5/allegro.h>

#include <string>
#include <vector>

#include "engine/RenderContext.h"
#include "engine/View.h"
#include "tests/support/AllegroEnvironment.h"

// What the store tests share: files made on the spot and pixel read-back.
namespace nktest {

using Lines = std::vector<std::string>;  // what a LogCapture expects

// A PNG of one colour under /tmp (rewritten on every call).
std::string imageFile(const std::string& name, int width, int height, ALLEGRO_COLOR color);
// A tenth of a second of sine tone as a WAV under /tmp.
std::string toneFile();
// The game's copy of Clear Sans when present, else the system's.
std::string clearSansPath();
// Fills a bitmap with one colour, leaving the drawing target where it was.
void fill(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR color);
// The window's pixel at x, y in 1920x1080 screen units is near r, g, b.
bool screenNear(int x, int y, int r, int g, int b, int tolerance = 40);

// An off-screen target bigger than the view, drawn to in plain world pixels,
// so draws just past the view's edges can be read back; culling still tests
// against the view at 0, 0, 1920, 1080.
class Canvas {
public:
    Canvas();
    ~Canvas();
    void clear();                       // black, and the drawing target again
    bool coloured(int x, int y) const;  // not black
    bool near(int x, int y, int r, int g, int b) const;
    ALLEGRO_BITMAP* bitmap = nullptr;
};

}  // namespace nktest
