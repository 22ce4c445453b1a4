
#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "tests/engine/anim/SheetFixture.h"
#include "tests/support/Testing.h"

namespace {

class ExtBitmapDraw : public nktest::DrawTest {
protected:
    // The colours at logical points (see nktest::colours); the screen is
    // cleared for the next draw.
    std::string seen(const nktest::Points& points) {
        std::string s = nktest::colours(points);
        al_clear_to_color(black);
        return s;
    }
    // A red 100 x 50 picture centred at (500, 300).
    NK::ExtBitmap& box() {
        return store.create(nktest::solidImage(10, 10, red), {500, 300, 100, 50}, "box", true);
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
    EXPECT_EQ(seen({{458, 280}, {542, 320}, {440, 300}, {560, 300}, {500, 268}, {500, 332}}),
              "RRKKKK");
    store.get("box").visible = false;
    store.drawExtBitmap("box");
    EXPECT_EQ(seen({{500, 300}}), "K");
}

TEST_F(ExtBitmapDraw, FlipXSwapsLeftAndRightFlipYTopAndBottom) {
    store.create(animtest::halvesEntry(20, 20, red, green, true), {100, 100, 200, 200}, "lr");
    store.create(animtest::halvesEntry(20, 20, red, green, false), {400, 100, 200, 200}, "tb");
    store.drawExtBitmap("lr");
    EXPECT_EQ(seen({{120, 200}, {280, 200}}), "RG");
    store.get("lr").flipX = true;
    store.get("tb").flipY = true;
    store.drawExtBitmap("lr");
    store.drawExtBitmap("tb");
    EXPECT_EQ(seen({{120, 200}, {280, 200}, {500, 120}, {500, 280}}), "GRGR");
}

TEST_F(ExtBitmapDraw, AlphaAndTintReachThePixels) {
    NK::ExtBitmap& w = store.create(nktest::solidImage(10, 10, al_map_rgb(255, 255, 255)),
                                    {100, 100, 100, 100}, "w");
    w.colour.current = {0.0f, 1.0f, 0.0f};
    store.drawExtBitmap("w");
    EXPECT_EQ(seen({{150, 150}}), "G");
    w.colour.current = {1.0f, 1.0f, 1.0f};
    w.alpha.current = 0.5f;
    store.drawExtBitmap("w");
    EXPECT_TRUE(animtest::looks(150, 150, al_map_rgb(128, 128, 128), 10));
}

TEST_F(ExtBitmapDraw, ScreenSpaceKeepsItsPlaceUnderAZoomedMovedView) {
    NK::BitmapEntry image = nktest::solidImage(10, 10, red);
    image.placement = {200, 100, 200, 100};
    store.create(std::move(image), "ui");
    store.create(nktest::solidImage(10, 10, green), {200, 100, 200, 100}, "world");
    view.x = 700;
    view.y = -300;
    view.width = 3840;  // zoomed out twice
    view.height = 2160;
    view.apply();
    store.drawExtBitmap("ui");
    store.drawExtBitmap("world");
    // Screen pixels, whatever the view: the red one sits where it was laid
    // out; the world one moved to ((200-700)/2, (100+300)/2), off to the left.
    EXPECT_EQ(seen({{210, 110}, {390, 190}, {190, 150}, {300, 210}}), "RRKK");
}

// The projection stays at the default view while only the view's rectangle
// moves, so a culled bitmap is one that would have been seen.
// 100 x 50 centred at (500, 300), pivot in the middle: the rotation-proof
// half side is (100 + 50) / 2 + 100 / 8 = 87.5. The view's centre is at
// (view.x + 960, view.y + 540), so the box is culled once view.x > 587.5
// or view.y > 387.5; pivot x 1.0 on the longer side adds 0.5 x 100, and the
// flips change nothing.
TEST_F(ExtBitmapDraw, CulledInsideTheRotationProofSquareOrDrawnBeyondIt) {
    NK::ExtBitmap& b = box();
    const struct {
        float x, y, pivotX;
        bool flips, noCulling;
        const char* seen;  // at the centre, and at 550 and 450 for the off-centre pivot
    } cases[] = {{587, 0, .5f, false, false, "R"},  {588, 0, .5f, false, false, "K"},
                 {588, 0, .5f, false, true, "R"},   {0, 387, .5f, false, false, "R"},
                 {0, 388, .5f, false, false, "K"},  {0, 388, .5f, false, true, "R"},
                 {637, -200, 1, true, false, "RK"}, {638, -200, 1, true, false, "KK"}};
    for (const auto& c : cases) {
        view.x = c.x;
        view.y = c.y;
        b.pivot = {c.pivotX, 0.5f};
        b.flipX = b.flipY = c.flips;
        rc.noCulling = c.noCulling;
        store.drawExtBitmap("box");
        // The pivot (the picture's right edge) sits on the centre and the x
        // scale is negative, so the mirrored picture spans 500..600.
        EXPECT_EQ(
            seen(c.flips ? nktest::Points{{550, 300}, {450, 300}} : nktest::Points{{500, 300}}),
            c.seen)
            << c.x << "," << c.y;
    }
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
