#include <allegro5/allegro.h>

#include <cmath>

#include "engine/BitmapEntry.h"
#include "engine/PhysicsWorld.h"
#include "engine/RenderContext.h"
#include "engine/View.h"
#include "tests/support/Testing.h"

namespace {

// Draw tests run on the virtual display (tools/headless.sh); points are
// logical points of the 1920 x 1080 frame.
class PhysicsDraw : public nktest::DrawTest {
protected:
    NK::RenderContext& rc = *nktest::engine().renderContext;
    NK::View& view = *nktest::engine().view;
    NK::PhysicsWorld world{{0.0f, 10.0f}, &rc};
    NK::BitmapEntry red = nktest::solidImage(16, 8, al_map_rgb(255, 0, 0));
};

}  // namespace

// The whole bitmap stretched over the body and turned with it; a circle's
// over its 2r box, not clipped to the circle; all where the view puts them.
TEST_F(PhysicsDraw, BitmapNotStretchedOverTheBodyOrNotTurnedOrNotMovedWithTheView) {
    world.createStaticSquare({400, 300}, {100, 50}, 0, "flat");  // 300..500 x 250..350
    world.createStaticSquare({1000, 300}, {100, 10}, float(M_PI / 2), "turned");
    world.drawSquare("flat", red);
    world.drawSquare("turned", red);
    world.createStaticCircle({800, 700}, "c_1", 60, 0).draw(red);  // 740..860 x 640..760
    EXPECT_EQ(nktest::colours({{305, 255}, {494, 344}, {510, 300}, {400, 360}}), "RRKK");
    EXPECT_EQ(nktest::colours({{1000, 380}, {1000, 220}, {1080, 300}, {920, 300}}), "RRKK");
    EXPECT_EQ(nktest::colours({{745, 645}, {870, 700}, {800, 770}}), "RKK");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    view.x = 200;
    view.y = 100;
    view.apply();
    world.drawSquare("flat", red);
    EXPECT_EQ(nktest::colours({{200, 200}, {450, 300}}),
              "RK");  // the level's (400, 300), then (650, 400)
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
    // Drawn while |500 - (vx + 960)| <= 100 + 960, i.e. vx in [-1520, 600].
    for (bool circle : {false, true}) {
        for (bool noCulling : {false, true}) {
            std::string seen;
            for (float vx : {600.0f, 601.0f, -1520.0f, -1521.0f}) {
                al_clear_to_color(al_map_rgb(0, 0, 0));
                view.x = vx;  // not applied: the target keeps its identity transform
                rc.noCulling = noCulling;
                if (circle)
                    c.draw(red);
                else
                    world.drawSquare("b_1", red);
                seen += nktest::colours({{500, 300}}, target.get());
            }
            EXPECT_EQ(seen, "RKRK") << circle << noCulling;
        }
    }
}

// Rays cast this tick are drawn until the next step, a blocked one up to
// the hit; rays cast after the step are drawn in that tick's frame.
TEST_F(PhysicsDraw, RaysDrawnPastTheHitOrAfterTheStepOrNotAtAll) {
    world.createStaticSquare({600, 500}, {10, 200}, 0, "b_wall");  // face at 590
    world.isLineClear({100, 500}, {1200, 500}, 2000);
    ASSERT_TRUE(world.isLineClear({100, 900}, {900, 900}, 1000));
    world.drawRays(NK::Color(1, 0, 0, 1));
    EXPECT_EQ(nktest::colours({{400, 500}, {800, 500}, {500, 900}, {500, 920}}), "RKRK");
    al_clear_to_color(al_map_rgb(0, 0, 0));
    world.step(60.0f);
    world.drawRays(NK::Color(1, 0, 0, 1));
    EXPECT_EQ(nktest::colours({{500, 900}}), "K");
    world.isLineClear({1500, 100}, {1500, 900}, 1000);
    world.drawRays(NK::Color(0, 1, 0, 1));
    EXPECT_EQ(nktest::colours({{1500, 300}}), "G");
}
