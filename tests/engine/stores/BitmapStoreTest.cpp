#include <gtest/gtest.h>

#include <allegro5/allegro_primitives.h>

#include <cmath>

#include "engine/BitmapStore.h"
#include "engine/ScreenSpace.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

const NK::Color white = NK::Color::white();

// World-space draws onto a canvas wider than the view, so the pixels just
// past the view's right and bottom edges show whether a draw was culled.
class BitmapDraw : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        canvas.clear();
        nktest::fill(store.create({0, 0, 100, 100}, "white").get(), al_map_rgb(255, 255, 255));
        nktest::fill(store.create({0, 0, 100, 20}, "bar").get(), al_map_rgb(255, 255, 255));
    }
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BitmapStore store{&rc};
    nktest::Canvas canvas;
};

// Screen-space draws on the window itself, under a moved and zoomed view;
// positions are in 1920x1080 screen units.
class ScreenDraw : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        nktest::fill(store.create({0, 0, 64, 64}, "blue").get(), al_map_rgb(0, 0, 255));
        NK::View& v = *nktest::engine().view;
        v.x = 3000, v.y = -700, v.width = 960, v.height = 540;
        v.apply();
    }
    void TearDown() override { nktest::resetDrawing(); }
    static bool blue(int x, int y) { return nktest::screenNear(x, y, 0, 0, 255); }
    NK::BitmapStore store{nktest::engine().renderContext};
};

class BitmapStoreEntries : public testing::Test {
protected:
    NK::BitmapStore store{nktest::engine().renderContext};
    std::string path = nktest::imageFile("load", 40, 30, al_map_rgb(1, 2, 3));
};

}  // namespace

TEST_F(BitmapDraw, CullingDrawsImagesTouchingTheViewEdgeAndSkipsOnePixelBeyond) {
    struct Case {
        int x, y;
        bool noCulling;
        float viewX;
        bool drawn;
    };
    const Case cases[] = {
        {1920, 100, false, 0, true},    {1921, 100, false, 0, false},     // right edge
        {100, 1080, false, 0, true},    {100, 1081, false, 0, false},     // bottom edge
        {1920, 100, true, 0, true},     {1921, 100, true, 0, true},       // noCulling draws both
        {1420, 100, false, -500, true}, {1421, 100, false, -500, false},  // moved view
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << "," << c.y << " noCulling " << c.noCulling << " view x " << c.viewX);
        canvas.clear();
        rc.noCulling = c.noCulling;
        nktest::engine().view->x = c.viewX;
        store.draw("white", {float(c.x), float(c.y), 100, 100});
        EXPECT_EQ(canvas.coloured(c.x + 50, c.y + 50), c.drawn);
    }
}

TEST_F(BitmapDraw, TintedDrawIsCentredOnThePointOnlyWhenAsked) {
    store.drawTinted("white", {500, 500, 100, 60}, true, NK::Color(0, 1, 0, 1));
    EXPECT_TRUE(canvas.near(451, 471, 0, 255, 0));
    EXPECT_TRUE(canvas.near(548, 528, 0, 255, 0));
    for (auto [x, y] : {std::pair{448, 500}, {552, 500}, {500, 468}, {500, 532}})
        EXPECT_FALSE(canvas.coloured(x, y)) << x << "," << y;
    canvas.clear();
    store.drawTinted("white", {500, 500, 100, 60}, false, NK::Color(1, 0, 0, 1));
    EXPECT_TRUE(canvas.near(502, 502, 255, 0, 0));
    EXPECT_FALSE(canvas.coloured(498, 502));
}

TEST_F(BitmapDraw, CentredTintedDrawIsCulledOnItsMovedRectangle) {
    // Centred at 1970 the rectangle spans 1920..2020: it touches, so it draws.
    store.drawTinted("white", {1970, 200, 100, 100}, true, white);
    store.drawTinted("white", {1971, 500, 100, 100}, true, white);
    EXPECT_TRUE(canvas.coloured(1960, 200));
    EXPECT_FALSE(canvas.coloured(1961, 500));
}

TEST_F(BitmapDraw, RotatedDrawPlacesPivotAndTurnsAboutIt) {
    // Pivot at the left middle, turned a quarter: the bar hangs down from 600, 600.
    store.drawRotated("bar", {600, 600, 100, 20}, {0.0f, 0.5f}, white, float(M_PI / 2));
    EXPECT_TRUE(canvas.coloured(600, 650));
    EXPECT_FALSE(canvas.coloured(650, 600));
    EXPECT_FALSE(canvas.coloured(600, 550));
}

TEST_F(BitmapDraw, RotatedDrawCulledOnlyOutsideItsSquare) {
    // Width 100 is the longer side. Pivot x 0.5: half side 60 + 0 + 12.5;
    // pivot x 0 adds 100 * 0.5: half side 122.5.
    store.drawRotated("bar", {1920 + 72.5f, 200, 100, 20}, {0.5f, 0.5f}, white, 0);
    store.drawRotated("bar", {1920 + 73.0f, 400, 100, 20}, {0.5f, 0.5f}, white, 0);
    store.drawRotated("bar", {1920 + 122.5f, 600, 100, 20}, {0.0f, 0.5f}, white, 0);
    store.drawRotated("bar", {1920 + 123.0f, 800, 100, 20}, {0.0f, 0.5f}, white, 0);
    EXPECT_TRUE(canvas.coloured(1992, 200));
    EXPECT_FALSE(canvas.coloured(1993, 400));
    EXPECT_TRUE(canvas.coloured(2092, 600));
    EXPECT_FALSE(canvas.coloured(2093, 800));
}

TEST(RotatedCullSquare, TallImageUsesPivotY) {
    // Height 100 is the longer side: pivot y counts, pivot x does not; a square takes y.
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 1.0f), 60 + 50 + 12.5f);
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 0.5f), 60 + 0 + 12.5f);
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(40, 40, 0.0f, 0.5f), 40 + 0 + 5);
}

TEST_F(BitmapDraw, RotatedDrawShowsWholeBitmapNotOnlySource) {
    // Left half red, right half white; the source is the left half only.
    NK::BitmapEntry& e = store.get("white");
    al_set_target_bitmap(e.get());
    al_draw_filled_rectangle(0, 0, 50, 100, al_map_rgb(255, 0, 0));
    canvas.clear();
    e.source = {0, 0, 50, 100};
    // Scale 100 / 50 = 2 across: the whole 100-wide bitmap becomes 200 wide.
    store.drawRotated("white", {1000, 500, 100, 100}, {0.0f, 0.0f}, white, 0);
    EXPECT_TRUE(canvas.near(1050, 550, 255, 0, 0));
    EXPECT_TRUE(canvas.near(1150, 550, 255, 255, 255));
}

TEST_F(ScreenDraw, ScreenRectanglesKeepTheirPlaceAndAreNeverCulled) {
    store.drawOnScreen("blue", {0, 0, 1920, 1080});
    EXPECT_TRUE(blue(2, 1) && blue(960, 540) && blue(1918, 1078));
    al_clear_to_color(al_map_rgb(0, 0, 0));
    store.drawOnScreenTinted("blue", {960, 540, 960, 540}, white);  // the lower-right quarter
    EXPECT_TRUE(blue(998, 561) && blue(1882, 1058));
    EXPECT_FALSE(blue(922, 561) || blue(998, 518));
}

TEST_F(ScreenDraw, PlacementDrawUsesTheEntrysPlacementWithTint) {
    nktest::fill(store.create({960, 0, 960, 540}, "corner").get(), al_map_rgb(255, 255, 255));
    store.drawPlacementOnScreenTinted("corner", NK::Color(0, 0, 1, 1));
    EXPECT_TRUE(blue(1440, 270));
    EXPECT_FALSE(blue(480, 270) || blue(1440, 810));
}

TEST_F(BitmapStoreEntries, LoadsSetSourceAndPlacement) {
    NK::BitmapEntry& whole = store.load(path, "whole");
    EXPECT_EQ(whole.source, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(whole.placement, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(whole.path, path);
    NK::BitmapEntry& placed = store.load(path, {5, 6, 7, 8}, "placed");
    EXPECT_EQ(placed.source, NK::Rect(0, 0, 40, 30));
    EXPECT_EQ(placed.placement, NK::Rect(5, 6, 7, 8));
    NK::BitmapEntry& part = store.loadWithSource(path, {10, 5, 20, 15}, "part");
    EXPECT_EQ(part.source, NK::Rect(10, 5, 20, 15));
    EXPECT_EQ(part.placement, NK::Rect(0, 0, 20, 15));
}

TEST_F(BitmapStoreEntries, ReloadUnderSameKeyLogsOneLineAndKeepsSecondFile) {
    std::string second = nktest::imageFile("second", 20, 12, al_map_rgb(0, 255, 0));
    store.load(path, "k");
    nktest::LogCapture log;
    store.load(second, "k");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Bitmap with key \"k\" rewrote"});
    EXPECT_EQ(store.get("k").path, second);
    EXPECT_EQ(store.get("k").width(), 20);
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
    store.load(path, {1, 2, 3, 4}, "orig");
    NK::BitmapEntry& c = store.copy("orig", "copy");
    EXPECT_NE(c.get(), store.get("orig").get());
    EXPECT_EQ(c.placement, NK::Rect(1, 2, 3, 4));
    EXPECT_EQ(c.path, path);
    auto loose = store.getCopy("orig");
    EXPECT_NE(loose->get(), store.get("orig").get());
    EXPECT_EQ(loose->width(), 40);
}

TEST_F(BitmapStoreEntries, MissingFileOrKeyIsFatalAndMissingDestroyLogs) {
    EXPECT_FATAL(store.load("/tmp/nk_no_such_image.png", "k"),
                 "Bitmap path \"/tmp/nk_no_such_image.png\" not found or initialization failed");
    EXPECT_FATAL(store.get("nope"), "Bitmap key \"nope\" not found");
    store.create({0, 0, 4, 4}, "k");
    nktest::LogCapture log;
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Bitmap with key \"k\" not found to destroy"});
    EXPECT_FALSE(store.contains("k"));
}
