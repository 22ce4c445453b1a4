#pragma once
// What the test files share: GoogleTest, Allegro on the virtual display, the
// fatal-error trap, log capture, pixel read-back and the standard pieces
// they use, so each file includes this and the code it tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/BitmapEntry.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Pixels.h"

namespace nktest {

using Lines = std::vector<std::string>;  // what a LogCapture holds
using Floats = std::vector<float>;
using Ints = std::vector<int>;

// An opaque image of one colour, drawn whole; the drawing target is kept.
inline NK::BitmapEntry solidImage(int w, int h, ALLEGRO_COLOR colour) {
    NK::BitmapEntry e = NK::BitmapEntry::blank(NK::Rect(0, 0, float(w), float(h)), "");
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(e.get());
    al_clear_to_color(colour);
    al_set_target_bitmap(previous);
    return e;
}

// A w x h PNG in the test's own temporary folder, by name; its path. Of one
// colour, or cut into `columns` x `rows` cells coloured in turn red, green,
// blue, yellow, magenta and cyan, pixels right of or below the whole cells
// keeping the colour.
inline std::string imageFile(const std::string& name, int w, int h, ALLEGRO_COLOR colour,
                             int columns = 0, int rows = 1) {
    NK::BitmapEntry image = solidImage(w, h, colour);
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(image.get());
    const int cw = columns ? w / columns : 0, ch = h / rows, rgb[] = {1, 2, 4, 3, 5, 6};
    for (int i = 0; i < columns * rows; ++i) {
        al_set_clipping_rectangle(i % columns * cw, i / columns * ch, cw, ch);
        const int c = rgb[i % 6];
        al_clear_to_color(al_map_rgb(c & 1 ? 255 : 0, c & 2 ? 255 : 0, c & 4 ? 255 : 0));
    }
    al_reset_clipping_rectangle();
    al_set_target_bitmap(previous);
    const std::string path = tempPath(name + ".png");
    al_save_bitmap(path.c_str(), image.get());
    return path;
}

// A test that draws on the window: drawing and input are reset before it,
// and drawing after it.
class DrawTest : public testing::Test {
protected:
    void SetUp() override { resetDrawing(), resetInput(); }
    void TearDown() override { resetDrawing(); }
};

}  // namespace nktest
