#include <gtest/gtest.h>

#include <allegro5/allegro_primitives.h>

#include <cmath>

#include "engine/BitmapStore.h"
#include "engine/ScreenSpace.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Pixels.h"

namespace {

// World-space draws onto a canvas wider than the view, so the pixels just
// past the view's right and bottom edges show whether a draw was culled.
class BitmapDraw : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        canvas.clear();
        NK::BitmapEntry& e = store.create({0, 0, 100, 100}, "white");
        nktest::fill(e.get(), al_map_rgb(255, 255, 255));
    }
    void TearDown() override { store.destroyAll(); }

    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BitmapStore store{&rc};
    nktest::Canvas canvas;
};

}  // namespace

TEST_F(BitmapDraw, ImageTouchingViewsRightEdgeIsDrawn) {
    store.draw("white", {1920, 100, 100, 100});
    EXPECT_TRUE(canvas.coloured(1970, 150));
}

TEST_F(BitmapDraw, ImageOnePixelPastRightEdgeIsSkipped) {
    store.draw("white", {1921, 100, 100, 100});
    EXPECT_FALSE(canvas.coloured(1971, 150));
}

TEST_F(BitmapDraw, ImageOnePixelBelowBottomEdgeIsSkippedTouchingIsDrawn) {
    store.draw("white", {100, 1081, 100, 100});
    EXPECT_FALSE(canvas.coloured(150, 1131));
    store.draw("white", {300, 1080, 100, 100});
    EXPECT_TRUE(canvas.coloured(350, 1130));
}

TEST_F(BitmapDraw, NoCullingDrawsBothTouchingAndBeyond) {
    rc.noCulling = true;
    store.draw("white", {1920, 100, 100, 100});
    store.draw("white", {1921, 300, 100, 100});
    EXPECT_TRUE(canvas.coloured(1970, 150));
    EXPECT_TRUE(canvas.coloured(1971, 350));
}

TEST_F(BitmapDraw, CullingFollowsTheMovedView) {
    // The view moved left by 500: its right edge is now at 1420.
    nktest::engine().view->x = -500;
    store.draw("white", {1421, 100, 100, 100});
    store.draw("white", {1420, 300, 100, 100});
    EXPECT_FALSE(canvas.coloured(1471, 150));
    EXPECT_TRUE(canvas.coloured(1470, 350));
}

TEST_F(BitmapDraw, CulledDrawNeverTouchesTheBitmap) {
    // A null bitmap would crash any Allegro draw: passing proves the culled
    // path returns before reaching Allegro.
    NK::BitmapEntry empty;
    empty.source = {0, 0, 10, 10};
    NK::BitmapStore::drawEntry(rc, empty, {5000, 5000, 10, 10});
    NK::BitmapStore::drawEntryRotated(rc, empty, {5000, 5000, 10, 10}, {0.5f, 0.5f},
                                      NK::Color::white(), 1.0f);
    SUCCEED();
}

TEST_F(BitmapDraw, CentredTintedDrawPutsRectangleCentreAtThePoint) {
    store.drawTinted("white", {500, 500, 100, 60}, true, NK::Color(0, 1, 0, 1));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(500, 500, canvas.bitmap), 0, 255, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(451, 471, canvas.bitmap), 0, 255, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(548, 528, canvas.bitmap), 0, 255, 0));
    EXPECT_FALSE(canvas.coloured(448, 500));
    EXPECT_FALSE(canvas.coloured(552, 500));
    EXPECT_FALSE(canvas.coloured(500, 468));
    EXPECT_FALSE(canvas.coloured(500, 532));
}

TEST_F(BitmapDraw, UncentredTintedDrawStartsAtThePoint) {
    store.drawTinted("white", {500, 500, 100, 60}, false, NK::Color(1, 0, 0, 1));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(502, 502, canvas.bitmap), 255, 0, 0));
    EXPECT_FALSE(canvas.coloured(498, 502));
}

TEST_F(BitmapDraw, CentredTintedDrawIsCulledOnItsMovedRectangle) {
    // Centred at 1970 the rectangle spans 1920..2020: it touches, so it draws.
    store.drawTinted("white", {1970, 200, 100, 100}, true, NK::Color::white());
    EXPECT_TRUE(canvas.coloured(1960, 200));
    store.drawTinted("white", {1971, 500, 100, 100}, true, NK::Color::white());
    EXPECT_FALSE(canvas.coloured(1961, 500));
}

TEST_F(BitmapDraw, RotatedDrawPlacesPivotAndTurnsAboutIt) {
    NK::BitmapEntry& bar = store.create({0, 0, 100, 20}, "bar");
    nktest::fill(bar.get(), al_map_rgb(255, 255, 255));
    // Pivot at the left middle, turned a quarter: the bar hangs down from 600, 600.
    store.drawRotated("bar", {600, 600, 100, 20}, {0.0f, 0.5f}, NK::Color::white(),
                      static_cast<float>(M_PI / 2));
    EXPECT_TRUE(canvas.coloured(600, 650));
    EXPECT_FALSE(canvas.coloured(650, 600));
    EXPECT_FALSE(canvas.coloured(600, 550));
}

TEST_F(BitmapDraw, RotatedDrawCulledOnlyOutsideItsSquare) {
    NK::BitmapEntry& bar = store.create({0, 0, 100, 20}, "bar");
    nktest::fill(bar.get(), al_map_rgb(255, 255, 255));
    // Width 100 is the longer side, pivot x 0.5: half side 60 + 0 + 12.5.
    store.drawRotated("bar", {1920 + 72.5f, 200, 100, 20}, {0.5f, 0.5f}, NK::Color::white(), 0);
    EXPECT_TRUE(canvas.coloured(1992, 200));
    store.drawRotated("bar", {1920 + 73, 400, 100, 20}, {0.5f, 0.5f}, NK::Color::white(), 0);
    EXPECT_FALSE(canvas.coloured(1993, 400));
    // Pivot x 0 adds 100 * 0.5: half side 122.5.
    store.drawRotated("bar", {1920 + 122.5f, 600, 100, 20}, {0.0f, 0.5f}, NK::Color::white(), 0);
    EXPECT_TRUE(canvas.coloured(2092, 600));
    store.drawRotated("bar", {1920 + 123, 800, 100, 20}, {0.0f, 0.5f}, NK::Color::white(), 0);
    EXPECT_FALSE(canvas.coloured(2093, 800));
}

TEST(RotatedCullSquare, TallImageUsesPivotY) {
    // Height 100 is the longer side: pivot y 1 counts, pivot x 0 does not.
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 1.0f), 60 + 50 + 12.5f);
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 0.5f), 60 + 0 + 12.5f);
    // A square image takes pivot y too.
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(40, 40, 0.0f, 0.5f), 40 + 0 + 5);
}

TEST_F(BitmapDraw, RotatedDrawShowsWholeBitmapNotOnlySource) {
    // Left half red, right half white; the source is the left half only.
    NK::BitmapEntry& e = store.create({0, 0, 100, 100}, "halves");
    nktest::fill(e.get(), al_map_rgb(255, 255, 255));
    al_set_target_bitmap(e.get());
    al_draw_filled_rectangle(0, 0, 50, 100, al_map_rgb(255, 0, 0));
    canvas.clear();
    e.source = {0, 0, 50, 100};
    // Scale 100 / 50 = 2 across: the whole 100-wide bitmap becomes 200 wide.
    store.drawRotated("halves", {1000, 500, 100, 100}, {0.0f, 0.0f}, NK::Color::white(), 0);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(1050, 550, canvas.bitmap), 255, 0, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(1150, 550, canvas.bitmap), 255, 255, 255));
}

namespace {

// Screen-space draws on the window itself, under a moved and zoomed view.
class ScreenDraw : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        NK::BitmapEntry& e = store.create({0, 0, 64, 64}, "blue");
        nktest::fill(e.get(), al_map_rgb(0, 0, 255));
    }
    void TearDown() override {
        store.destroyAll();
        nktest::resetDrawing();
    }
    void moveAndZoom() {
        NK::View& v = *nktest::engine().view;
        v.x = 3000;
        v.y = -700;
        v.width = 960;
        v.height = 540;
        v.apply();
    }
    bool blue(float fx, float fy) {
        NK::Display& d = *nktest::engine().display;
        return nktest::near(nktest::pixelAt(static_cast<int>(fx * d.windowWidth),
                                            static_cast<int>(fy * d.windowHeight)),
                            0, 0, 255, 40);
    }

    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BitmapStore store{&rc};
};

}  // namespace

TEST_F(ScreenDraw, WholeScreenCoversWholeWindowUnderDefaultView) {
    store.drawOnScreen("blue", {0, 0, 1920, 1080});
    EXPECT_TRUE(blue(0.001f, 0.001f));
    EXPECT_TRUE(blue(0.999f, 0.999f));
}

TEST_F(ScreenDraw, WholeScreenCoversWholeWindowUnderMovedZoomedView) {
    moveAndZoom();
    store.drawOnScreen("blue", {0, 0, 1920, 1080});
    EXPECT_TRUE(blue(0.001f, 0.001f));
    EXPECT_TRUE(blue(0.5f, 0.5f));
    EXPECT_TRUE(blue(0.999f, 0.999f));
}

TEST_F(ScreenDraw, QuarterStaysInPlaceUnderMovedZoomedView) {
    moveAndZoom();
    // The lower-right quarter of the screen, whatever the view.
    store.drawOnScreen("blue", {960, 540, 960, 540});
    EXPECT_TRUE(blue(0.52f, 0.52f));
    EXPECT_TRUE(blue(0.98f, 0.98f));
    EXPECT_FALSE(blue(0.48f, 0.52f));
    EXPECT_FALSE(blue(0.52f, 0.48f));
}

TEST_F(ScreenDraw, ScreenDrawIsNeverCulled) {
    // The view is far from the origin; the rectangle in screen units is not.
    moveAndZoom();
    store.drawOnScreenTinted("blue", {0, 0, 100, 100}, NK::Color::white());
    EXPECT_TRUE(blue(0.02f, 0.02f));
}

TEST_F(ScreenDraw, PlacementDrawUsesTheEntrysPlacementWithTint) {
    moveAndZoom();
    store.create({960, 0, 960, 540}, "corner");  // placement: the upper-right quarter
    nktest::fill(store.get("corner").get(), al_map_rgb(255, 255, 255));
    store.drawPlacementOnScreenTinted("corner", NK::Color(0, 0, 1, 1));
    EXPECT_TRUE(blue(0.75f, 0.25f));
    EXPECT_FALSE(blue(0.25f, 0.25f));
    EXPECT_FALSE(blue(0.75f, 0.75f));
}

TEST(ScreenSpaceMapping, ScalesByViewSizeOverScreenSize) {
    NK::View v(nullptr);
    v.x = 100;
    v.y = 50;
    v.width = 3840;
    v.height = 2160;
    NK::Rect r = NK::screenToView({960, 540, 192, 108}, v);
    EXPECT_FLOAT_EQ(r.x, 100 + 1920);
    EXPECT_FLOAT_EQ(r.y, 50 + 1080);
    EXPECT_FLOAT_EQ(r.width, 384);
    EXPECT_FLOAT_EQ(r.height, 216);
}

namespace {

class BitmapStoreEntries : public testing::Test {
protected:
    void SetUp() override { nktest::engine(); }
    NK::BitmapStore store{nktest::engine().renderContext};
};

}  // namespace

TEST_F(BitmapStoreEntries, LoadSetsSourceAndPlacementToWholeImage) {
    std::string path = nktest::imageFile("load", 40, 30, al_map_rgb(1, 2, 3));
    NK::BitmapEntry& e = store.load(path, "k");
    EXPECT_EQ(e.source, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(e.placement, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(e.path, path);
    EXPECT_EQ(e.pristine, nullptr);
}

TEST_F(BitmapStoreEntries, LoadWithPlacementAndWithSource) {
    std::string path = nktest::imageFile("load", 40, 30, al_map_rgb(1, 2, 3));
    NK::BitmapEntry& placed = store.load(path, {5, 6, 7, 8}, "placed");
    EXPECT_EQ(placed.source, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(placed.placement, NK::Rect(5, 6, 7, 8));
    NK::BitmapEntry& part = store.loadWithSource(path, {10, 5, 20, 15}, "part");
    EXPECT_EQ(part.source, NK::Rect(10, 5, 20, 15));
    EXPECT_EQ(part.placement, NK::Rect(0, 0, 20, 15));
}

TEST_F(BitmapStoreEntries, ReloadUnderSameKeyLogsOneLineAndKeepsSecondFile) {
    std::string first = nktest::imageFile("first", 10, 10, al_map_rgb(255, 0, 0));
    std::string second = nktest::imageFile("second", 20, 12, al_map_rgb(0, 255, 0));
    store.load(first, "k");
    nktest::LogCapture log;
    store.load(second, "k");
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Bitmap with key \"k\" rewrote"});
    EXPECT_EQ(store.get("k").path, second);
    EXPECT_EQ(store.get("k").width(), 20);
    EXPECT_EQ(store.get("k").height(), 12);
}

TEST_F(BitmapStoreEntries, CreateTruncatesSizeAndKeepsRectangleAsPlacement) {
    NK::BitmapEntry& e = store.create({3.5f, 4.5f, 10.9f, 7.2f}, "made");
    EXPECT_EQ(e.width(), 10);
    EXPECT_EQ(e.height(), 7);
    EXPECT_EQ(e.source, NK::Rect(0, 0, 10, 7));
    EXPECT_EQ(e.placement, NK::Rect(3.5f, 4.5f, 10.9f, 7.2f));
    EXPECT_EQ(e.path, "RuntimeCreatedBitmap");
}

TEST_F(BitmapStoreEntries, CopyAndGetCopyCloneTheImage) {
    std::string path = nktest::imageFile("load", 40, 30, al_map_rgb(1, 2, 3));
    store.load(path, {1, 2, 3, 4}, "orig");
    NK::BitmapEntry& c = store.copy("orig", "copy");
    EXPECT_NE(c.get(), store.get("orig").get());
    EXPECT_EQ(c.placement, NK::Rect(1, 2, 3, 4));
    EXPECT_EQ(c.path, path);
    auto loose = store.getCopy("orig");
    EXPECT_NE(loose->get(), store.get("orig").get());
    EXPECT_EQ(loose->width(), 40);
    EXPECT_FALSE(store.contains("loose"));
}

TEST_F(BitmapStoreEntries, MissingFileIsFatal) {
    EXPECT_FATAL(store.load("/tmp/nk_no_such_image.png", "k"),
                 "Bitmap path \"/tmp/nk_no_such_image.png\" not found or initialization failed");
}

TEST_F(BitmapStoreEntries, MissingKeyIsFatalInLookupDrawAndCopy) {
    EXPECT_FATAL(store.get("nope"), "Bitmap key \"nope\" not found");
    EXPECT_FATAL(store.draw("nope", {0, 0, 1, 1}), "Bitmap key \"nope\" not found");
    EXPECT_FATAL(store.copy("nope", "x"), "Bitmap key \"nope\" not found");
}

TEST_F(BitmapStoreEntries, DestroyingMissingKeyLogsAndDestroyRemoves) {
    store.create({0, 0, 4, 4}, "k");
    nktest::LogCapture log;
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"INFO: Bitmap with key \"k\" not found to destroy"});
    EXPECT_FALSE(store.contains("k"));
}
