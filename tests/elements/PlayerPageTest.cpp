#include <gtest/gtest.h>

#include <vector>

#include "elements/PanelRules.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/Display.h"
#include "tests/elements/PanelTestKit.h"

namespace {

class PlayerPageTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        player.build();
        player.setCameraHook([this](NK::Vec2 c) { centres.push_back(c); });
        player.show();
    }

    NK::GUISystem& gui() { return player.panel().gui(); }
    std::string shown(const std::string& input) { return gui().getTextInputText(input); }
    void enter(const std::string& input, const std::string& text) {
        clickWidget(player, paneltest::inputArea(gui(), input));
        gui().setTextInputText(input, text);
        clickWidget(player, paneltest::inputArea(gui(), input));
    }
    // The level point under the pointer, unrounded, as the player reads it.
    NK::Vec2 pointer() {
        const NK::Display& d = *e.display;
        const NK::View& v = view();
        return {v.x + input().mouse.x * v.width / d.windowWidth,
                v.y + input().mouse.y * v.height / d.windowHeight};
    }

    nktest::Engine& e = nktest::engine();
    NK::AnimationStore animations;
    Player player{e.input,     e.view,  &paneltest::fonts(), &paneltest::bitmaps(),
                  &animations, nullptr, e.renderContext};
    std::vector<NK::Vec2> centres;
};

TEST_F(PlayerPageTest, InputsKeepTheirLimitsDragsMoveAndEveryChangeMarksTheLevel) {
    enter("camera_area_x", "12.5");
    enter("camera_area_x", ".");  // not a number: as it was
    enter("camera_area_w", "-5");
    enter("camera_area_h", ".");  // not a number counts as 0
    EXPECT_EQ(player.cameraArea, NK::Rect(12.5f, 0, 0, 0));
    EXPECT_EQ(shown("camera_area_w"), "0.00");
    EXPECT_TRUE(player.changed);
    enter("position_x", "640");  // the parts move with the player
    EXPECT_NEAR(player.parts().arm.at.x, 650.7f, 1e-3f);
    player.reset();
    EXPECT_FALSE(player.changed);

    pointAtLevel(400, 800);
    const NK::Vec2 from = pointer();
    tick(player, false, {}, true);
    pointAtLevel(600, 700);
    const NK::Vec2 to = pointer();
    tick(player, false);
    release(player);
    EXPECT_NEAR(player.positionRecord().x, 400.0f + to.x - from.x, 1e-3f);
    EXPECT_TRUE(player.changed);
    // The bottom-right corner, dragged past the top-left one, stops 5 short.
    drag(player, {1919, 1079}, {-100, -100});
    release(player);
    EXPECT_EQ(player.cameraArea, NK::Rect(0, 0, 5, 5));
    EXPECT_EQ(shown("camera_area_h"), "5.00");

    tick(player, true, {ALLEGRO_KEY_C});
    ASSERT_EQ(centres.size(), 1u);
    EXPECT_EQ(centres[0].x, player.positionRecord().x);
}

}  // namespace
