#include "tests/elements/LevelKit.h"

#include <iomanip>
#include <sstream>

namespace {

// Boxes and circles in a real world.
class BlocksTest : public LevelTest {
protected:
    void add(Blocks& kind, const NK::Rect& r, float delay, bool isDynamic = false) {
        kind.add(nktest::solidImage(64, 32, al_map_rgb(90, 60, 30)), isDynamic, r, 0.0f, 1.0f, 0.5f,
                 false, delay);
    }

    std::unique_ptr<NK::PhysicsWorld> world =
        std::make_unique<NK::PhysicsWorld>(NK::Vec2(0.0f, 10.0f), e.renderContext);
    Boxes& boxes = *level.boxes;
    Circles& circles = *level.circles;
};

// A culled box waiting for its touch is told of once per run, not 60 times a
// second; a culled circle goes unsaid. A body on the picture's centre (250,
// 330 here), a circle's radius half the width; a dynamic one with the
// block's density, friction and fixed rotation.
TEST_F(BlocksTest, MissingBodyToldTwiceOrBodyTakesTheWrongPlaceSizeOrPhysicsOrPageTheWrongKind) {
    const NK::BitmapEntry image = nktest::solidImage(64, 32, al_map_rgb(0, 0, 0));
    add(boxes, {0, 0, 50, 50}, 1.0f);
    add(circles, {0, 0, 50, 50}, 1.0f);
    const std::vector<std::string> once{"ERROR: Square with key \"b_0\" not found"};
    for (int run = 0; run < 2; ++run) {
        boxes.startPlay();  // no bodies made
        circles.startPlay();
        nktest::LogCapture log;
        for (int tick = 0; tick < 120; ++tick) boxes.updatePlay(*world), circles.updatePlay(*world);
        EXPECT_EQ(log.lines(), once) << "run " << run;
    }
    boxes.clear();
    circles.clear();
    add(circles, {200, 300, 100, 60}, -1.0f);
    circles.add(image, true, {200, 300, 100, 60}, 0.0f, 2.5f, 0.25f, true, -1.0f);
    boxes.add(image, true, {200, 300, 100, 60}, 0.0f, 3.5f, 0.75f, false, -1.0f);
    circles.createBodies(*world);
    boxes.createBodies(*world);
    std::ostringstream seen;
    for (b2Fixture* f : {world->getCircle("c_0").fixture, world->getCircle("c_1").fixture,
                         world->getSquare("b_0").fixture}) {
        const b2AABB box = f->GetAABB(0);  // a polygon's skin adds 0.01
        seen << std::setprecision(2) << box.lowerBound.x << " " << box.lowerBound.y << " "
             << box.upperBound.x << " " << box.upperBound.y;
        if (f->GetBody()->GetType() == b2_dynamicBody)
            seen << " " << f->GetDensity() << " " << f->GetFriction() << " "
                 << f->GetBody()->IsFixedRotation();
        seen << "; ";
    }
    EXPECT_EQ(seen.str(), "2 2.8 3 3.8; 2 2.8 3 3.8 2.5 0.25 1; 2 3 3 3.6 3.5 0.75 0; ");

    // On the page the circle is found within its radius, not in the
    // picture's corners. (That circles have no ratio lock: the screen table's
    // circles page; that a block's kind button only shows it: PageFields.)
    openPage(circles);
    circles.editor().select(2);       // nothing selected
    clickLevel(circles, {203, 302});  // inside the picture, outside the circle
    EXPECT_EQ(circles.editor().selected, 2);
    clickLevel(circles, {250, 340});
    EXPECT_EQ(circles.editor().selected, 0);
}

}  // namespace
