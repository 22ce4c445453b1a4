#pragma once
#include <allegro5/allegro.h>

#include <string>
#include <utility>
#include <vector>

// Reading back what was drawn.
namespace nktest {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;  // 0..255
};

// The pixel at x, y of a bitmap (the back buffer when null).
Rgba pixelAt(int x, int y, ALLEGRO_BITMAP* bitmap = nullptr);

// One letter per point for the colour seen there, every channel within
// `tolerance` of 0 or 255: K black, R red, G green, Y yellow, B blue,
// M magenta, C cyan, W white, and '?' for anything else. The points are
// pixels of `bitmap`, or logical points of the default 1920x1080 view when
// it is null (the back buffer, scaled to the window's size).
using Points = std::vector<std::pair<float, float>>;
std::string colours(const Points& points, ALLEGRO_BITMAP* bitmap = nullptr, int tolerance = 40);

// A PNG read into memory, without needing a display; null if unreadable.
// The caller destroys it.
ALLEGRO_BITMAP* loadImage(const std::string& path);
// Mean absolute channel difference (0..255) between a w x h region of `a` at
// (ax, ay) and one of `b` at (bx, by), sampling every `step` pixels.
double meanDifference(ALLEGRO_BITMAP* a, int ax, int ay, ALLEGRO_BITMAP* b, int bx, int by, int w,
                      int h, int step = 8);

}  // namespace nktest
