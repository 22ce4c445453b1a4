#include <allegro5/allegro_primitives.h>

#include <cmath>

#include "engine/BatchStore.h"
#include "engine/BitmapStore.h"
#include "engine/ScreenSpace.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/Testing.h"

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

class BitmapStoreEntries : public testing::Test {
protected:
    NK::BitmapStore store{nktest::engine().renderContext};
    std::string path = nktest::imageFile("load", 40, 30, al_map_rgb(1, 2, 3));
};

}  // namespace

// Each draw is culled on its own rectangle: a plain draw on the one given, a
// centred tinted draw on it moved by half its size, a rotated draw on the
// square that holds it at any angle (for the 100 x 20 bar with its pivot in
// the middle 60 + 0 + 12.5; pivot x 0 adds 100 x 0.5).
TEST_F(BitmapDraw, DrawCulledTouchingTheViewOrDrawnOnePixelBeyond) {
    struct Case {
        char kind;  // 'd' draw, 't' centred tinted, 'r' rotated
        float x, y, pivotX;
        bool noCulling;
        float viewX;
        float probeX;
        bool drawn;
    };
    // clang-format off
    const Case cases[] = {
        {'d', 1920, 100, 0, false, 0, 1970, true},     {'d', 1921, 100, 0, false, 0, 1971, false},
        {'d', 100, 1080, 0, false, 0, 150, true},      {'d', 100, 1081, 0, false, 0, 151, false},
        {'d', 1920, 100, 0, true, 0, 1970, true},      {'d', 1921, 100, 0, true, 0, 1971, true},
        {'d', 1420, 100, 0, false, -500, 1470, true}, {'d', 1421, 100, 0, false, -500, 1471, false},
        {'t', 1970, 200, 0, false, 0, 1960, true},     {'t', 1971, 200, 0, false, 0, 1961, false},
        {'r', 1992.5, 200, .5, false, 0, 1992, true},  {'r', 1993, 200, .5, false, 0, 1993, false},
        {'r', 2042.5f, 200, 0, false, 0, 2092, true},  {'r', 2043, 200, 0, false, 0, 2093, false}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.x << "," << c.y << " noCulling "
                                        << c.noCulling << " view x " << c.viewX);
        canvas.clear();
        rc.noCulling = c.noCulling;
        nktest::engine().view->x = c.viewX;
        if (c.kind == 'd') store.draw("white", {c.x, c.y, 100, 100});
        if (c.kind == 't') store.drawTinted("white", {c.x, c.y, 100, 100}, true, white);
        if (c.kind == 'r') store.drawRotated("bar", {c.x, c.y, 100, 20}, {c.pivotX, .5f}, white, 0);
        const float probeY = c.y + (c.kind == 'd' ? 50 : 0);
        EXPECT_EQ(canvas.seen({{c.probeX, probeY}}), c.drawn ? "W" : "K");
    }
}

TEST(RotatedCullSquare, TallImageUsesPivotY) {
    // Height 100 is the longer side: pivot y counts, pivot x does not; a square takes y.
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 1.0f), 60 + 50 + 12.5f);
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 0.5f), 60 + 0 + 12.5f);
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(40, 40, 0.0f, 0.5f), 40 + 0 + 5);
}

TEST_F(BitmapDraw, TintedDrawIsCentredOnThePointOnlyWhenAsked) {
    store.drawTinted("white", {500, 500, 100, 60}, true, NK::Color(0, 1, 0, 1));
    store.drawTinted("white", {800, 500, 100, 60}, false, NK::Color(1, 0, 0, 1));
    EXPECT_EQ(canvas.seen({{451, 471}, {548, 528}, {448, 500}, {552, 500}, {500, 468}, {500, 532}}),
              "GGKKKK");
    EXPECT_EQ(canvas.seen({{802, 502}, {898, 558}, {798, 502}, {802, 498}}), "RRKK");
}

TEST_F(BitmapDraw, RotatedDrawPlacesPivotTurnsAboutItAndShowsTheWholeBitmap) {
    // Pivot at the left middle, turned a quarter: the bar hangs down from 600, 600.
    store.drawRotated("bar", {600, 600, 100, 20}, {0.0f, 0.5f}, white, float(M_PI / 2));
    // Left half red, right half white, the source the left half only: scaled
    // 100 / 50 = 2 across, the whole 100-wide bitmap becomes 200 wide.
    NK::BitmapEntry& e = store.get("white");
    al_set_target_bitmap(e.get());
    al_draw_filled_rectangle(0, 0, 50, 100, al_map_rgb(255, 0, 0));
    al_set_target_bitmap(canvas.bitmap);
    e.source = {0, 0, 50, 100};
    store.drawRotated("white", {1000, 500, 100, 100}, {0.0f, 0.0f}, white, 0);
    EXPECT_EQ(canvas.seen({{600, 650}, {650, 600}, {600, 550}, {1050, 550}, {1150, 550}}), "WKKRW");
}

// Screen-space draws keep their place on the window under a moved and
// zoomed view, and are never culled; positions in 1920x1080 screen units.
TEST(ScreenDraw, ScreenRectanglesMovedWithTheViewOrCulledOrPlacementIgnored) {
    nktest::resetDrawing();
    NK::BitmapStore store{nktest::engine().renderContext};
    nktest::fill(store.create({0, 0, 64, 64}, "blue").get(), al_map_rgb(0, 0, 255));
    nktest::fill(store.create({960, 0, 960, 540}, "corner").get(), al_map_rgb(255, 255, 255));
    NK::View& v = *nktest::engine().view;
    v.x = 3000, v.y = -700, v.width = 960, v.height = 540;
    v.apply();
    store.drawOnScreen("blue", {0, 0, 1920, 1080});
    EXPECT_EQ(nktest::colours({{2, 1}, {960, 540}, {1918, 1078}}), "BBB");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    store.drawOnScreenTinted("blue", {960, 540, 960, 540}, white);  // the lower-right quarter
    EXPECT_EQ(nktest::colours({{998, 561}, {1882, 1058}, {922, 561}, {998, 518}}), "BBKK");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    store.drawPlacementOnScreenTinted("corner", NK::Color(0, 0, 1, 1));  // the upper-right quarter
    EXPECT_EQ(nktest::colours({{1440, 270}, {480, 270}, {1440, 810}}), "BKK");
    nktest::resetDrawing();
}

TEST_F(BitmapStoreEntries, LoadsAndCreateSetWrongSourcePlacementOrPath) {
    NK::BitmapEntry& whole = store.load(path, "whole");
    NK::BitmapEntry& placed = store.load(path, {5, 6, 7, 8}, "placed");
    NK::BitmapEntry& part = store.loadWithSource(path, {10, 5, 20, 15}, "part");
    NK::BitmapEntry& made = store.create({3.5f, 4.5f, 10.9f, 7.2f}, "made");  // size truncated
    EXPECT_EQ(std::vector<NK::Rect>({whole.source, whole.placement, placed.source, placed.placement,
                                     part.source, part.placement, made.source, made.placement}),
              std::vector<NK::Rect>({{0, 0, 40, 30},
                                     {0, 0, 40, 30},
                                     {0, 0, 40, 30},
                                     {5, 6, 7, 8},
                                     {10, 5, 20, 15},
                                     {0, 0, 20, 15},
                                     {0, 0, 10, 7},
                                     {3.5f, 4.5f, 10.9f, 7.2f}}));
    EXPECT_EQ(whole.path, path);
    EXPECT_EQ(made.path, "RuntimeCreatedBitmap");
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

TEST_F(BitmapStoreEntries, WrongWordsOrOldFileKeptOnReloadMissingFileKeyOrDestroy) {
    std::string second = nktest::imageFile("second", 20, 12, al_map_rgb(0, 255, 0));
    const std::string missing = nktest::tempPath("missing.png");
    store.load(path, "k");
    nktest::LogCapture log;
    store.load(second, "k");
    EXPECT_EQ(store.get("k").path, second);
    EXPECT_EQ(store.get("k").width(), 20);
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Bitmap with key \"k\" rewrote",
                                          "INFO: Bitmap with key \"k\" not found to destroy"}));
    EXPECT_FATAL(store.get("k"), "Bitmap key \"k\" not found");
    EXPECT_FATAL(store.load(missing, "k"),
                 "Bitmap path \"" + missing + "\" not found or initialization failed");
}

namespace {

// Drawing is reset afterwards too, off the batch before it goes.
class BatchStoreTest : public nktest::DrawTest {
protected:
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BatchStore batches{&rc};
    NK::BitmapStore bitmaps{&rc};
};

}  // namespace

TEST_F(BatchStoreTest, BeginTargetsTheBatchAndDrawingIgnoresTheView) {
    // The view is far away: with culling on this draw would be skipped.
    nktest::engine().view->x = 50000;
    nktest::fill(bitmaps.create({0, 0, 8, 8}, "red").get(), al_map_rgb(255, 0, 0));
    NK::BitmapEntry& b = batches.create({10, 20, 64.7f, 64.2f}, "b");
    EXPECT_EQ(b.path, "RuntimCreatedBitmap");  // not the bitmap store's word
    batches.begin("b");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    bitmaps.draw("red", {0, 0, 32, 32});
    EXPECT_TRUE(nktest::near(nktest::pixelAt(16, 16, b.get()), 255, 0, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(48, 48, b.get()), 0, 0, 0));
}

TEST_F(BatchStoreTest, WrongWordsOnRemakeMissingKeyOrDestroyOrCullingLeftOff) {
    batches.create({0, 0, 8, 8}, "b");
    nktest::LogCapture log;
    batches.create({0, 0, 16, 4}, "b");
    EXPECT_EQ(batches.get("b").width(), 16);
    batches.destroy("b");
    batches.destroy("b");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Batch with key \"b\" remade",
                                          "INFO: Batch with key \"b\" not found to destroy"}));
    EXPECT_FATAL(batches.begin("b"), "Batch key \"b\" not found");
    EXPECT_FALSE(rc.noCulling);
}
