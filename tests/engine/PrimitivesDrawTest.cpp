
#include "engine/RenderContext.h"
#include "tests/support/Testing.h"

namespace {

class PrimitivesDraw : public nktest::DrawTest {
protected:
    // The window pixel of a logical point under the default view is near r, g, b.
    static bool seen(float x, float y, int r, int g, int b, int tolerance) {
        const NK::Display& d = *nktest::engine().display;
        return nktest::near(nktest::pixelAt(static_cast<int>(x * d.windowWidth / 1920.0f),
                                            static_cast<int>(y * d.windowHeight / 1080.0f)),
                            r, g, b, tolerance);
    }
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
};

}  // namespace

// A vertical line's box has no width, yet it is not culled; the default view
// maps the logical corners onto the window's corners.
TEST_F(PrimitivesDraw, LineOfNoWidthCulledOrCornersOffTheWindowCorners) {
    rc.drawLine({10, 10}, {10, 500}, NK::Color::white(), 6);
    rc.drawLine({0, 0}, {40, 0}, NK::Color::white(), 8);
    rc.drawLine({1880, 1080}, {1920, 1080}, NK::Color::white(), 8);
    EXPECT_TRUE(seen(10, 250, 255, 255, 255, 30));
    EXPECT_TRUE(seen(1, 1, 255, 255, 255, 30));
    EXPECT_TRUE(seen(1918.5f, 1078.5f, 255, 255, 255, 30));
}

TEST_F(PrimitivesDraw, CircleJustInsideCullingDrawsFarOutsideDoesNot) {
    // Moving the view right leaves its left edge at 1000: a circle centred
    // 49 px left of it still reaches in; culling off draws anything.
    view.x = 1000;
    view.apply();
    rc.noCulling = true;
    rc.drawCircle({1000 - 101, 300}, NK::Color::red(), 50, 200);  // thick enough to be seen at 0
    EXPECT_TRUE(seen(0, 300, 255, 0, 0, 40));
    al_clear_to_color(al_map_rgb(0, 0, 0));
    rc.noCulling = false;
    rc.drawCircle({1000 - 101, 300}, NK::Color::red(), 50, 200);
    EXPECT_TRUE(seen(0, 300, 0, 0, 0, 0));
    rc.drawCircle({1000 - 49, 300}, NK::Color::red(), 50, 6);
    EXPECT_TRUE(seen(0, 300, 255, 0, 0, 60));
}

TEST_F(PrimitivesDraw, LoadedImagesBlendWithStraightAlphaNotDarkened) {
    // A half-transparent white PNG over black must come out mid grey; an
    // image premultiplied on load under the straight-alpha blender would
    // come out at a quarter.
    const std::string path = nktest::tempPath("half-white.png");
    ALLEGRO_BITMAP* half = al_create_bitmap(4, 4);
    al_set_target_bitmap(half);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_clear_to_color(al_map_rgba(255, 255, 255, 128));
    ASSERT_TRUE(al_save_bitmap(path.c_str(), half));
    al_destroy_bitmap(half);
    nktest::resetDrawing();
    ALLEGRO_BITMAP* loaded = al_load_bitmap(path.c_str());
    ASSERT_NE(loaded, nullptr);
    al_draw_scaled_bitmap(loaded, 0, 0, 4, 4, 0, 0, 400, 400, 0);
    al_destroy_bitmap(loaded);
    EXPECT_TRUE(seen(200, 200, 128, 128, 128, 6));
}
