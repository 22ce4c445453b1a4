#include <gtest/gtest.h>

#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"

namespace {

class ExtBitmapDraw : public testing::Test {
protected:
    void SetUp() override { nktest::resetDrawing(); }
    void TearDown() override { nktest::resetDrawing(); }

    // The pixel at a logical point, loosely enough for filtered edges.
    testing::AssertionResult shows(float x, float y, ALLEGRO_COLOR want) {
        return animtest::looks(x, y, want, 40);
    }
    void clear() { al_clear_to_color(black); }
    // A red 100 x 50 picture centred at (500, 300).
    NK::ExtBitmap& box() {
        return store.create(animtest::solidEntry(10, 10, red), {500, 300, 100, 50}, "box", true);
    }

    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
    NK::ExtBitmapStore store{&rc};
    const ALLEGRO_COLOR red = al_map_rgb(255, 0, 0);
    const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
    const ALLEGRO_COLOR black = al_map_rgb(0, 0, 0);
};

}  // namespace

TEST_F(ExtBitmapDraw, CentredRectangleCoversHalfItsSizeAroundItsCentreUnlessInvisible) {
    box();
    store.drawExtBitmap("box");
    EXPECT_TRUE(shows(458, 280, red));
    EXPECT_TRUE(shows(542, 320, red));
    EXPECT_TRUE(shows(440, 300, black));
    EXPECT_TRUE(shows(560, 300, black));
    EXPECT_TRUE(shows(500, 268, black));
    EXPECT_TRUE(shows(500, 332, black));
    clear();
    store.get("box").visible = false;
    store.drawExtBitmap("box");
    EXPECT_TRUE(shows(500, 300, black));
}

TEST_F(ExtBitmapDraw, FlipXSwapsLeftAndRightFlipYTopAndBottom) {
    store.create(animtest::halvesEntry(20, 20, red, green, true), {100, 100, 200, 200}, "lr");
    store.drawExtBitmap("lr");
    EXPECT_TRUE(shows(120, 200, red));
    EXPECT_TRUE(shows(280, 200, green));
    clear();
    store.get("lr").flipX = true;
    store.drawExtBitmap("lr");
    EXPECT_TRUE(shows(120, 200, green));
    EXPECT_TRUE(shows(280, 200, red));

    clear();
    store.create(animtest::halvesEntry(20, 20, red, green, false), {100, 100, 200, 200}, "tb");
    store.get("tb").flipY = true;
    store.drawExtBitmap("tb");
    EXPECT_TRUE(shows(200, 120, green));
    EXPECT_TRUE(shows(200, 280, red));
}

TEST_F(ExtBitmapDraw, AlphaAndTintReachThePixels) {
    NK::ExtBitmap& w = store.create(animtest::solidEntry(10, 10, al_map_rgb(255, 255, 255)),
                                    {100, 100, 100, 100}, "w");
    w.colour.current = {0.0f, 1.0f, 0.0f};
    store.drawExtBitmap("w");
    EXPECT_TRUE(shows(150, 150, green));
    clear();
    w.colour.current = {1.0f, 1.0f, 1.0f};
    w.alpha.current = 0.5f;
    store.drawExtBitmap("w");
    EXPECT_TRUE(animtest::looks(150, 150, al_map_rgb(128, 128, 128), 10));
}

TEST_F(ExtBitmapDraw, ScreenSpaceKeepsItsPlaceUnderAZoomedMovedView) {
    NK::BitmapEntry image = animtest::solidEntry(10, 10, red);
    image.placement = {200, 100, 200, 100};
    store.create(std::move(image), "ui");
    store.create(animtest::solidEntry(10, 10, green), {200, 100, 200, 100}, "world");
    view.x = 700;
    view.y = -300;
    view.width = 3840;  // zoomed out twice
    view.height = 2160;
    view.apply();
    store.drawExtBitmap("ui");
    store.drawExtBitmap("world");
    // Screen pixels, whatever the view: the red one sits where it was laid out.
    EXPECT_TRUE(shows(210, 110, red));
    EXPECT_TRUE(shows(390, 190, red));
    EXPECT_TRUE(shows(190, 150, black));
    EXPECT_TRUE(shows(300, 210, black));
    // The world one moved: (200,100) is at screen ((200-700)/2, (100+300)/2), off to the left.
    EXPECT_FALSE(shows(300, 150, green));
}

// The projection stays at the default view while only the view's rectangle
// moves, so a culled bitmap is one that would have been seen.
// 100 x 50 centred at (500, 300), pivot in the middle: the rotation-proof
// half side is (100 + 50) / 2 + 100 / 8 = 87.5. The view's centre is at
// (view.x + 960, view.y + 540), so the box is culled once view.x > 587.5
// or view.y > 387.5.
TEST_F(ExtBitmapDraw, CullingSkipsJustBeyondTheRotationProofSquare) {
    box();
    struct Edge {
        float* axis;
        float inside, outside;
    } edges[] = {{&view.x, 587, 588}, {&view.y, 387, 388}};
    for (const Edge& e : edges) {
        *e.axis = e.inside;
        store.drawExtBitmap("box");
        EXPECT_TRUE(shows(500, 300, red)) << "at " << e.inside;
        clear();
        *e.axis = e.outside;
        store.drawExtBitmap("box");
        EXPECT_TRUE(shows(500, 300, black)) << "at " << e.outside;
        rc.noCulling = true;
        store.drawExtBitmap("box");
        EXPECT_TRUE(shows(500, 300, red)) << "noCulling at " << e.outside;
        rc.noCulling = false;
        clear();
        *e.axis = 0;
    }
}

TEST_F(ExtBitmapDraw, CullingWidensForAnOffCentrePivotAndIgnoresFlips) {
    // Pivot x 1.0 on the longer side adds 0.5 * 100: culled past view.x 637.5.
    NK::ExtBitmap& b = box();
    b.pivot = {1.0f, 0.5f};
    b.flipX = true;
    b.flipY = true;
    view.x = 637;
    view.y = -200;  // vertical distance 40, well within the vertical limit
    store.drawExtBitmap("box");
    // The pivot (the picture's right edge) sits on the centre and the x scale
    // is negative, so the mirrored picture spans 500..600.
    EXPECT_TRUE(shows(550, 300, red));
    EXPECT_TRUE(shows(450, 300, black));
    clear();
    view.x = 638;
    store.drawExtBitmap("box");
    EXPECT_TRUE(shows(550, 300, black));
}

TEST_F(ExtBitmapDraw, AnimatedBitmapDrawsItsCurrentFrameFromItsOwnCopies) {
    NK::AnimationStore animations;
    animations.loadAnimation(animtest::sheetFile("strip", 256, 32, 8, 1), 8, 1, "strip");
    store.createAnimated(animations.get("strip"), {100, 100, 100, 100}, "hero");
    animations.clearAnimations();  // the bitmap keeps frames of its own
    store.get("hero").frame.current = 5;
    store.drawExtBitmap("hero");
    EXPECT_TRUE(animtest::looks(150, 150, animtest::cellColour(5, 0), 4));
}
