#include <gtest/gtest.h>

#include "engine/RenderContext.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Pixels.h"

namespace {

class PrimitivesDraw : public testing::Test {
protected:
    void SetUp() override { nktest::resetDrawing(); }
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
    // Window pixel of a logical point under the default view.
    int wx(float x) {
        return static_cast<int>(x * nktest::engine().display->windowWidth / 1920.0f);
    }
    int wy(float y) {
        return static_cast<int>(y * nktest::engine().display->windowHeight / 1080.0f);
    }
};

}  // namespace

TEST_F(PrimitivesDraw, VerticalLineOfZeroWidthIsDrawn) {
    rc.drawLine({10, 10}, {10, 500}, NK::Color::white(), 6);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(10), wy(250)), 255, 255, 255, 30));
}

TEST_F(PrimitivesDraw, CircleJustInsideCullingDrawsFarOutsideDoesNot) {
    // Moving the view right leaves its left edge at 1000: a circle centred
    // 49 px left of it still reaches in; culling off draws anything.
    view.x = 1000;
    view.apply();
    rc.noCulling = true;
    rc.drawCircle({1000 - 101, 300}, NK::Color::red(), 50, 200);  // thick enough to be seen at 0
    EXPECT_TRUE(nktest::near(nktest::pixelAt(0, wy(300)), 255, 0, 0, 40));
    al_clear_to_color(al_map_rgb(0, 0, 0));
    rc.noCulling = false;
    rc.drawCircle({1000 - 101, 300}, NK::Color::red(), 50, 200);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(0, wy(300)), 0, 0, 0, 0));
    rc.drawCircle({1000 - 49, 300}, NK::Color::red(), 50, 6);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(0, wy(300)), 255, 0, 0, 60));
}

TEST_F(PrimitivesDraw, DefaultViewMapsLogicalCornersToWindowCorners) {
    NK::Display& d = *nktest::engine().display;
    rc.drawLine({0, 0}, {40, 0}, NK::Color::white(), 8);
    rc.drawLine({1880, 1080}, {1920, 1080}, NK::Color::white(), 8);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(1, 1), 255, 255, 255, 30));
    EXPECT_TRUE(
        nktest::near(nktest::pixelAt(d.windowWidth - 2, d.windowHeight - 2), 255, 255, 255, 30));
}

TEST_F(PrimitivesDraw, LoadedImagesBlendWithStraightAlphaNotDarkened) {
    // A half-transparent white PNG over black must come out mid grey; an
    // image premultiplied on load under the straight-alpha blender would
    // come out at a quarter.
    const char* path = "/tmp/dovra-half-white.png";
    ALLEGRO_BITMAP* half = al_create_bitmap(4, 4);
    al_set_target_bitmap(half);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_clear_to_color(al_map_rgba(255, 255, 255, 128));
    ASSERT_TRUE(al_save_bitmap(path, half));
    al_destroy_bitmap(half);
    nktest::resetDrawing();

    ALLEGRO_BITMAP* loaded = al_load_bitmap(path);
    ASSERT_NE(loaded, nullptr);
    al_draw_scaled_bitmap(loaded, 0, 0, 4, 4, 0, 0, 400, 400, 0);
    al_destroy_bitmap(loaded);
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(200), wy(200)), 128, 128, 128, 6))
        << nktest::pixelAt(wx(200), wy(200));
}
