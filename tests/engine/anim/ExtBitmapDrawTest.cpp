#include <gtest/gtest.h>

#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/Pixels.h"

using animtest::wx;
using animtest::wy;

namespace {

class ExtBitmapDraw : public testing::Test {
protected:
    void SetUp() override { nktest::resetDrawing(); }
    void TearDown() override { nktest::resetDrawing(); }

    bool red(float x, float y) {
        return nktest::near(nktest::pixelAt(wx(x), wy(y)), 255, 0, 0, 40);
    }
    bool green(float x, float y) {
        return nktest::near(nktest::pixelAt(wx(x), wy(y)), 0, 255, 0, 40);
    }
    bool black(float x, float y) { return nktest::near(nktest::pixelAt(wx(x), wy(y)), 0, 0, 0, 8); }
    void clear() { al_clear_to_color(al_map_rgb(0, 0, 0)); }

    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
    NK::ExtBitmapStore store{&rc};
    ALLEGRO_COLOR redColour = al_map_rgb(255, 0, 0);
    ALLEGRO_COLOR greenColour = al_map_rgb(0, 255, 0);
};

}  // namespace

TEST_F(ExtBitmapDraw, CentredRectangleCoversHalfItsSizeAroundItsCentre) {
    store.create(animtest::solidEntry(10, 10, redColour), {500, 300, 100, 50}, "box", true);
    store.drawExtBitmap("box");
    EXPECT_TRUE(red(458, 280));
    EXPECT_TRUE(red(542, 320));
    EXPECT_TRUE(black(440, 300));
    EXPECT_TRUE(black(560, 300));
    EXPECT_TRUE(black(500, 268));
    EXPECT_TRUE(black(500, 332));
}

TEST_F(ExtBitmapDraw, InvisibleBitmapDrawsNothing) {
    store.create(animtest::solidEntry(10, 10, redColour), {500, 300, 100, 50}, "box", true);
    store.get("box").visible = false;
    store.drawExtBitmap("box");
    EXPECT_TRUE(black(500, 300));
}

TEST_F(ExtBitmapDraw, FlipXSwapsLeftAndRightFlipYTopAndBottom) {
    store.create(animtest::halvesEntry(20, 20, redColour, greenColour, true), {100, 100, 200, 200},
                 "lr");
    store.drawExtBitmap("lr");
    EXPECT_TRUE(red(120, 200));
    EXPECT_TRUE(green(280, 200));
    clear();
    store.get("lr").flipX = true;
    store.drawExtBitmap("lr");
    EXPECT_TRUE(green(120, 200));
    EXPECT_TRUE(red(280, 200));

    clear();
    store.create(animtest::halvesEntry(20, 20, redColour, greenColour, false), {100, 100, 200, 200},
                 "tb");
    store.get("tb").flipY = true;
    store.drawExtBitmap("tb");
    EXPECT_TRUE(green(200, 120));
    EXPECT_TRUE(red(200, 280));
}

TEST_F(ExtBitmapDraw, AlphaAndTintReachThePixels) {
    store.create(animtest::solidEntry(10, 10, al_map_rgb(255, 255, 255)), {100, 100, 100, 100},
                 "w");
    NK::ExtBitmap& w = store.get("w");
    w.colour.current = {0.0f, 1.0f, 0.0f};
    store.drawExtBitmap("w");
    EXPECT_TRUE(green(150, 150));
    clear();
    w.colour.current = {1.0f, 1.0f, 1.0f};
    w.alpha.current = 0.5f;
    store.drawExtBitmap("w");
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(150), wy(150)), 128, 128, 128, 10));
}

TEST_F(ExtBitmapDraw, ScreenSpaceKeepsItsPlaceUnderAZoomedMovedView) {
    NK::BitmapEntry image = animtest::solidEntry(10, 10, redColour);
    image.placement = {200, 100, 200, 100};
    store.create(std::move(image), "ui");
    store.create(animtest::solidEntry(10, 10, greenColour), {200, 100, 200, 100}, "world");
    view.x = 700;
    view.y = -300;
    view.width = 3840;  // zoomed out twice
    view.height = 2160;
    view.apply();
    store.drawExtBitmap("ui");
    store.drawExtBitmap("world");
    // Screen pixels, whatever the view: the red one sits where it was laid out.
    EXPECT_TRUE(red(210, 110));
    EXPECT_TRUE(red(390, 190));
    EXPECT_TRUE(black(190, 150));
    EXPECT_TRUE(black(300, 210));
    // The world one moved: (200,100) is at screen ((200-700)/2, (100+300)/2), off to the left.
    EXPECT_FALSE(green(300, 150));
}

// The projection stays at the default view while only the view's rectangle
// moves, so a culled bitmap is one that would have been seen.
// 100 x 50 centred at (500, 300), pivot in the middle: the rotation-proof
// half side is (100 + 50) / 2 + 100 / 8 = 87.5; the view's centre is at
// view.x + 960, so it is culled once view.x + 960 - 500 > 87.5 + 960.
TEST_F(ExtBitmapDraw, CullingSkipsJustBeyondTheRotationProofSquare) {
    store.create(animtest::solidEntry(10, 10, redColour), {500, 300, 100, 50}, "box", true);
    view.x = 587;
    store.drawExtBitmap("box");
    EXPECT_TRUE(red(500, 300));
    clear();
    view.x = 588;
    store.drawExtBitmap("box");
    EXPECT_TRUE(black(500, 300));
    rc.noCulling = true;
    store.drawExtBitmap("box");
    EXPECT_TRUE(red(500, 300));
    rc.noCulling = false;
}

TEST_F(ExtBitmapDraw, CullingWidensForAnOffCentrePivotAndIgnoresFlips) {
    // Pivot x 1.0 on the longer side adds 0.5 * 100: culled past view.x 637.5.
    NK::ExtBitmap& box =
        store.create(animtest::solidEntry(10, 10, redColour), {500, 300, 100, 50}, "box", true);
    box.pivot = {1.0f, 0.5f};
    box.flipX = true;
    box.flipY = true;
    view.x = 637;
    view.y = -200;  // vertical distance 40, well within the vertical limit
    store.drawExtBitmap("box");
    // The pivot (the picture's right edge) sits on the centre and the x scale
    // is negative, so the mirrored picture spans 500..600.
    EXPECT_TRUE(red(550, 300));
    EXPECT_TRUE(black(450, 300));
    clear();
    view.x = 638;
    store.drawExtBitmap("box");
    EXPECT_TRUE(black(550, 300));
}

TEST_F(ExtBitmapDraw, CullingOnTheVerticalAxis) {
    store.create(animtest::solidEntry(10, 10, redColour), {500, 300, 100, 50}, "box", true);
    // View centre y = view.y + 540; culled once view.y + 540 - 300 > 87.5 + 540.
    view.y = 387;
    store.drawExtBitmap("box");
    EXPECT_TRUE(red(500, 300));
    clear();
    view.y = 388;
    store.drawExtBitmap("box");
    EXPECT_TRUE(black(500, 300));
}

TEST_F(ExtBitmapDraw, AnimatedBitmapDrawsItsCurrentFrame) {
    NK::AnimationStore animations;
    animations.loadAnimation(animtest::sheetFile("strip", 256, 32, 8, 1), 8, 1, "strip");
    store.createAnimated(animations.get("strip"), {100, 100, 100, 100}, "hero");
    animations.clearAnimations();  // the bitmap keeps frames of its own
    store.get("hero").frame.current = 5;
    store.drawExtBitmap("hero");
    unsigned char r, g, b;
    al_unmap_rgb(animtest::cellColour(5, 0), &r, &g, &b);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(150), wy(150)), r, g, b, 4));
}
