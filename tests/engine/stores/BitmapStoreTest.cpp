#include "engine/BitmapStore.h"
#include "engine/ScreenSpace.h"
#include "tests/support/Testing.h"

const NK::Color white = NK::Color::white();

// Each draw is culled on its own rectangle: a plain draw on the one given, a
// centred tinted draw on it moved by half its size, a rotated draw on the
// square that holds it at any angle (for the 100 x 20 bar with its pivot in
// the middle 60 + 0 + 12.5; pivot x 0 adds 100 x 0.5). They are drawn onto
// a canvas wider than the view with no view transform, so the pixels just
// past the view's right edge show whether a draw was culled.
using BitmapDraw = nktest::DrawTest;
TEST_F(BitmapDraw, DrawCulledTouchingTheViewOrDrawnOnePixelBeyond) {
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::BitmapStore store{&rc};
    store.load(nktest::imageFile("white", 100, 100, al_map_rgb(255, 255, 255)), "white");
    store.load(nktest::imageFile("bar", 100, 20, al_map_rgb(255, 255, 255)), "bar");
    NK::BitmapEntry canvas = nktest::solidImage(2200, 400, {});
    const struct {
        char kind;  // 'd' draw, 't' centred tinted, 'r' rotated
        float x, pivotX;
        bool noCulling;
        float probeX;
        const char* seen;
    } cases[] = {{'d', 1920, 0, false, 1970, "W"},  {'d', 1921, 0, false, 1971, "K"},
                 {'d', 1921, 0, true, 1971, "W"},   {'t', 1970, 0, false, 1960, "W"},
                 {'t', 1971, 0, false, 1961, "K"},  {'r', 1992.5, .5, false, 1992, "W"},
                 {'r', 1993, .5, false, 1993, "K"}, {'r', 2042.5f, 0, false, 2092, "W"},
                 {'r', 2043, 0, false, 2093, "K"}};
    for (const auto& c : cases) {
        al_set_target_bitmap(canvas.get());
        al_clear_to_color(al_map_rgb(0, 0, 0));
        rc.noCulling = c.noCulling;
        if (c.kind == 'd') store.draw("white", {c.x, 150, 100, 100});
        if (c.kind == 't') store.drawTinted("white", {c.x, 200, 100, 100}, true, white);
        if (c.kind == 'r') store.drawRotated("bar", {c.x, 200, 100, 20}, {c.pivotX, .5f}, white, 0);
        EXPECT_EQ(nktest::colours({{c.probeX, 200}}, canvas.get(), 8), c.seen) << c.kind << c.x;
    }
    // Height 100 the longer side: pivot y counts, pivot x does not.
    EXPECT_FLOAT_EQ(NK::rotatedCullHalfSide(20, 100, 0.0f, 1.0f), 60 + 50 + 12.5f);
}

// The keyed store shape every engine store shares, checked once here (a
// remade key: StoreRemakeTest; a missing file: SharedImagesTest): destroying
// a missing key logs, looking one up is fatal.
TEST(KeyedStore, MissingKeysAreNotReported) {
    NK::BitmapStore store{nktest::engine().renderContext};
    store.load(nktest::imageFile("first", 40, 30, al_map_rgb(1, 2, 3)), "k");
    nktest::LogCapture log;
    store.destroy("k");
    store.destroy("k");
    EXPECT_EQ(log.lines(), nktest::Lines{"INFO: Bitmap with key \"k\" not found to destroy"});
    EXPECT_FATAL(store.get("k"), "Bitmap key \"k\" not found");
}
