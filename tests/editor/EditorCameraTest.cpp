#include "editor/EditorCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "elements/MapCodec.h"

namespace {

// Turns the wheel by `notches` (negative: toward the user) and lets one tick pass.
void turn(EditorCamera& camera, int& wheel, int notches) {
    wheel += notches;
    camera.tick({false, false, false, false, false, wheel});
}

// The view eases a tenth of the way a tick in whole percent, so a difference
// under ten never closes; the wheel's target stays within 20..280. The keys
// do nothing while typing, and the camera coasts to a stop at half a pixel a
// tick.
TEST(EditorCamera, ZoomEasesTheWrongWayOrLeavesTwentyToTwoHundredEightyOrKeysMoveWhileTyping) {
    EditorCamera camera;
    int wheel = 0;
    camera.enter(wheel);
    turn(camera, wheel, -1);  // target 110; this tick's ease saw 100 -> 100
    EXPECT_EQ(camera.zoom, 100);
    for (int i = 0; i < 20; ++i) camera.tick({false, false, false, false, false, wheel});
    EXPECT_EQ(camera.zoom, 101);  // (110 - 100) / 10, then nothing
    EXPECT_FLOAT_EQ(camera.view().width, 1920.0f * 1.01f);
    EXPECT_FLOAT_EQ(camera.view().height, 1080.0f * 1.01f);
    // Centred on the camera point whatever the zoom.
    EXPECT_FLOAT_EQ(camera.view().x + camera.view().width / 2.0f, camera.centre.x);
    for (int i = 0; i < 40; ++i) turn(camera, wheel, -1);
    EXPECT_EQ(camera.targetZoom, 280);  // raised while at most 279
    for (int i = 0; i < 40; ++i) turn(camera, wheel, +1);
    EXPECT_EQ(camera.targetZoom, 20);

    // D and S together: both axes alike, capped at 15, then coasting from
    // 14.5 once D is text, 29 ticks to a stop.
    camera.enter(0);  // the wheel left where it is
    for (int i = 0; i < 20; ++i) camera.tick({false, true, false, true, false, 0});
    camera.tick({false, true, false, true, true, 0});
    int ticks = 0;
    for (; camera.velocity.x > 0.0f && ticks < 100; ++ticks)
        camera.tick({false, false, false, false, true, 0});
    EXPECT_EQ(ticks, 29);
    const NK::Vec2 stopped = camera.centre;
    camera.tick({false, false, false, false, false, 0});
    EXPECT_FLOAT_EQ(camera.centre.x, stopped.x);
    EXPECT_NEAR(camera.centre.y - 540.0f, stopped.x - 960.0f, 0.01f);
}

// Minutes of panning, zoomed right out: the view never shows a place whose
// numbers a saved map could not hold.
TEST(EditorCamera, PanningForMinutesTakesTheViewPastWhatAMapHolds) {
    EditorCamera camera;
    int wheel = 0;
    camera.enter(wheel);
    for (int i = 0; i < 40; ++i) turn(camera, wheel, -1);
    for (bool far : {true, false}) {
        for (int i = 0; i < 60 * 60 * 20; ++i) camera.tick({!far, far, !far, far, false, wheel});
        const NK::Rect v = camera.view();
        EXPECT_LE(std::max(std::fabs(v.x), std::fabs(v.x + v.width)), MapCodec::kLargestReal);
        EXPECT_LE(std::max(std::fabs(v.y), std::fabs(v.y + v.height)), MapCodec::kLargestReal);
        EXPECT_GT(std::min(std::fabs(v.x), std::fabs(v.y)), MapCodec::kLargestReal * 0.9f)
            << "it still goes far";
    }
}

}  // namespace
