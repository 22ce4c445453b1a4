#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/BitmapEntry.h"
#include "engine/Display.h"
#include "engine/PhysicsWorld.h"
#include "engine/RenderContext.h"
#include "engine/View.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Pixels.h"

namespace {

// Draw tests run on the virtual display (tools/headless.sh).
class PhysicsDraw : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        red.bitmap.reset(al_create_bitmap(16, 8));
        ALLEGRO_BITMAP* old = al_get_target_bitmap();
        al_set_target_bitmap(red.get());
        al_clear_to_color(al_map_rgb(255, 0, 0));
        al_set_target_bitmap(old);
        red.source = NK::Rect(0, 0, 16, 8);
        red.placement = red.source;
    }
    void TearDown() override { nktest::resetDrawing(); }

    // The window pixel showing screen point (x, y) of the 1920 x 1080 frame.
    auto at(float x, float y) {
        const auto& d = *nktest::engine().display;
        return nktest::pixelAt(static_cast<int>(x * d.windowWidth / 1920.0f),
                               static_cast<int>(y * d.windowHeight / 1080.0f));
    }
    bool redAt(float x, float y) { return nktest::near(at(x, y), 255, 0, 0, 40); }
    bool blackAt(float x, float y) { return nktest::near(at(x, y), 0, 0, 0, 10); }

    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
    NK::PhysicsWorld world{{0.0f, 10.0f}, &rc};
    NK::BitmapEntry red;
};

}  // namespace

TEST_F(PhysicsDraw, SquareStretchesTheWholeBitmapOverTheBody) {
    world.createStaticSquare({400, 300}, {100, 50}, 0, "b_1");  // 300..500 x 250..350
    world.drawSquare("b_1", red);
    EXPECT_TRUE(redAt(305, 255));
    EXPECT_TRUE(redAt(494, 344));
    EXPECT_TRUE(blackAt(510, 300));
    EXPECT_TRUE(blackAt(400, 360));
}

TEST_F(PhysicsDraw, SquareTurnsWithItsBody) {
    world.createStaticSquare({400, 300}, {100, 10}, static_cast<float>(M_PI / 2), "b_1");
    world.drawSquare("b_1", red);
    EXPECT_TRUE(redAt(400, 380));  // now a vertical bar
    EXPECT_TRUE(redAt(400, 220));
    EXPECT_TRUE(blackAt(480, 300));
    EXPECT_TRUE(blackAt(320, 300));
}

TEST_F(PhysicsDraw, CircleDrawsItsBitmapInTheTwoRadiusBox) {
    NK::Circle& c = world.createStaticCircle({800, 500}, "c_1", 60, 0);  // 740..860
    c.draw(red);
    EXPECT_TRUE(redAt(745, 445));  // the bitmap's corner, not clipped to the circle
    EXPECT_TRUE(blackAt(870, 500));
    EXPECT_TRUE(blackAt(800, 570));
}

TEST_F(PhysicsDraw, DrawsFollowTheView) {
    view.x = 200;
    view.y = 100;
    view.apply();
    world.createStaticSquare({400, 300}, {50, 50}, 0, "b_1");
    world.drawSquare("b_1", red);
    EXPECT_TRUE(redAt(200, 200));  // window point of level (400, 300)
    EXPECT_TRUE(blackAt(400, 300));
}

// The visibility box is twice the body's size and is used whatever noCulling
// says. Drawn into a bitmap with no view transform, so level pixels land on
// bitmap pixels whichever part of the level the view covers.
TEST_F(PhysicsDraw, VisibilityUsesADoubleSizeBoxAndIgnoresNoCulling) {
    world.createStaticSquare({500, 300}, {50, 50}, 0, "b_1");  // W = H = 100
    NK::Circle& c = world.createStaticCircle({500, 300}, "c_1", 50, 0);
    NK::BitmapEntry target;
    target.bitmap.reset(al_create_bitmap(1000, 600));
    al_set_target_bitmap(target.get());
    auto drawnWithViewAt = [&](float vx, bool circle, bool noCulling) {
        al_clear_to_color(al_map_rgb(0, 0, 0));
        view.x = vx;  // not applied: the target keeps its identity transform
        rc.noCulling = noCulling;
        if (circle)
            c.draw(red);
        else
            world.drawSquare("b_1", red);
        return nktest::near(nktest::pixelAt(500, 300, target.get()), 255, 0, 0, 40);
    };
    // Drawn while |500 - (vx + 960)| <= 100 + 960, i.e. vx in [-1520, 600].
    for (bool circle : {false, true}) {
        for (bool noCulling : {false, true}) {
            EXPECT_TRUE(drawnWithViewAt(600, circle, noCulling)) << circle << noCulling;
            EXPECT_FALSE(drawnWithViewAt(601, circle, noCulling)) << circle << noCulling;
            EXPECT_TRUE(drawnWithViewAt(-1520, circle, noCulling)) << circle << noCulling;
            EXPECT_FALSE(drawnWithViewAt(-1521, circle, noCulling)) << circle << noCulling;
        }
    }
}

TEST_F(PhysicsDraw, RaysCastThisTickAreDrawnUntilTheNextStep) {
    ASSERT_TRUE(world.isLineClear({100, 500}, {900, 500}, 1000));
    world.drawRays(NK::Color(1, 0, 0, 1));
    EXPECT_TRUE(redAt(500, 500));
    EXPECT_TRUE(blackAt(500, 520));

    al_clear_to_color(al_map_rgb(0, 0, 0));
    world.step(60.0f);
    world.drawRays(NK::Color(1, 0, 0, 1));
    EXPECT_TRUE(blackAt(500, 500));

    // Rays cast after the step in the same tick are drawn in that tick's frame.
    world.isLineClear({500, 100}, {500, 900}, 1000);
    world.drawRays(NK::Color(0, 1, 0, 1));
    EXPECT_TRUE(nktest::near(at(500, 300), 0, 255, 0, 40));
}

TEST_F(PhysicsDraw, BlockedRayIsDrawnUpToTheHit) {
    world.createStaticSquare({600, 500}, {10, 200}, 0, "b_wall");  // face at 590
    world.isLineClear({100, 500}, {1200, 500}, 2000);
    world.drawRays(NK::Color(1, 0, 0, 1));
    EXPECT_TRUE(redAt(400, 500));
    EXPECT_TRUE(blackAt(800, 500));
}
