#include "elements/Gate.h"

#include <gtest/gtest.h>

#include <vector>

#include "elements/PanelRules.h"
#include "engine/ExtBitmap.h"
#include "tests/elements/PanelTestKit.h"

namespace {

class GateTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        gate.build();
        gate.setCameraHook([this](NK::Vec2 c) { centres.push_back(c); });
        gate.show();
    }
    NK::ExtBitmap& picture() { return gate.images().get("gate"); }
    NK::GUISystem& gui() { return gate.panel().gui(); }

    nktest::Engine& e = nktest::engine();
    Gate gate{e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(), e.renderContext};
    std::vector<NK::Vec2> centres;
};

TEST_F(GateTest, FrameFollowsOpenOnceARunningAnimationEndsAndResetCloses) {
    gate.open = true;
    gate.update();
    EXPECT_EQ(picture().frame.current, 1);
    gate.images().playFrames("gate", 1, 0, 10, false, false, 0);
    gate.open = false;
    gate.update();
    EXPECT_EQ(picture().frame.rest, 0);
    EXPECT_EQ(picture().frame.current, 1);  // the run goes on

    gate.setPosition(5, 5);
    gate.open = true;
    gate.changed = true;
    gate.reset();
    EXPECT_EQ(gate.rectangle(), NK::Rect(850, 625, 300, 350));
    EXPECT_FALSE(gate.changed);
    EXPECT_EQ(gui().getTextInputText("position_x"), "1000.00");
}

TEST_F(GateTest, PressInsideDragsPressOutsideDoesNotAndCCentresTheCamera) {
    drag(gate, {700, 800}, {300, 300});  // left of the gate
    release(gate);
    EXPECT_FALSE(gate.changed);
    const NK::Vec2 from = pointAtLevel(1000, 800);
    tick(gate, false, {}, true);
    const NK::Vec2 to = pointAtLevel(1200, 700);
    tick(gate, false);
    release(gate);
    EXPECT_EQ(gate.record().x, 1000.0f + to.x - from.x);
    EXPECT_EQ(gate.record().y, 800.0f + to.y - from.y);
    EXPECT_TRUE(gate.changed);
    EXPECT_EQ(gui().getTextInputText("position_y"), PanelRules::fieldText(gate.record().y));
    tick(gate, true, {ALLEGRO_KEY_C});
    ASSERT_EQ(centres.size(), 1u);
    EXPECT_EQ(centres[0].x, gate.record().x);
}

}  // namespace
