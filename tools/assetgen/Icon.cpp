// The desktop icon (packaging/icons/hicolor/NxN/apps/dovra.png): the menu
// logo's camera eye in its hexagon, without the name. Drawn afresh for each
// size the icon theme asks for, with less detail and thicker edges as it
// shrinks, so that at 16 pixels it still reads as a lit eye on dark steel.
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

namespace gen {
namespace {

std::vector<float> hexagon(float r) {
    std::vector<float> xy;
    for (int i = 0; i < 6; i++) {
        float a = i * ALLEGRO_PI / 3;
        xy.insert(xy.end(), {128 + r * std::cos(a), 128 + r * std::sin(a)});
    }
    return xy;
}

// Drawn in a 256 x 256 space scaled to `size`.
void icon(int size) {
    Canvas c(size, size);
    const bool small = size <= 24, large = size >= 64;
    push(0, 0, 0, size / 256.0f, size / 256.0f);
    // The hexagon is the silhouette; an ink rim keeps it apart from light
    // and dark panels alike.
    poly(hexagon(127), pal::ink);
    poly(hexagon(small ? 104 : 114), hex(0x121a22));
    if (large) glow(128, 124, 120, pal::teal, 0.30f);
    polyLine(hexagon(small ? 104 : 112), pal::teal, small ? 22 : large ? 9 : 14);
    // The eye: a lens whose iris is the camera's aperture.
    const float rx = small ? 98 : 90, ry = small ? 58 : 50, iris = small ? 46 : 38;
    ellipse(128, 124, rx, ry, pal::paper);
    ellipse(128, 124, rx - (small ? 14 : 10), ry - (small ? 12 : 9), hex(0x0b1117));
    disc(128, 124, iris, pal::amber);
    if (large)
        for (int i = 0; i < 6; i++) {
            float a = i * ALLEGRO_PI / 3 + 0.3f;
            line(128, 124, 128 + iris * std::cos(a), 124 + iris * std::sin(a), hex(0x8a5a18), 4);
        }
    disc(128, 124, small ? 20 : 16, pal::ink);
    if (!small) disc(117, 113, large ? 7 : 9, pal::white);
    // The camera's recording lamp: it has seen you.
    if (size >= 32) {
        glow(196, 70, 26, pal::alarm, 0.6f);
        disc(196, 70, large ? 9 : 12, pal::alarm);
    }
    pop();
    c.save("packaging/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
           "/apps/dovra.png");
}

}  // namespace

void makeIcon() {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon(size);
}

}  // namespace gen
