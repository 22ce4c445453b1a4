#pragma once
// What the test files share: GoogleTest, Allegro on the virtual display, the
// fatal-error trap, log capture, pixel read-back and the standard pieces
// they use, so each file includes this and the code it tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
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

// A test that draws on the window: drawing and input are reset before it,
// and drawing after it.
class DrawTest : public testing::Test {
protected:
    void SetUp() override {
        resetDrawing();
        resetInput();
    }
    void TearDown() override { resetDrawing(); }
};

}  // namespace nktest
