#include "elements/ElementPanel.h"

#include "engine/ExtBitmap.h"
#include "tests/elements/LevelKit.h"

namespace {

// The shared mechanics, driven through the Backgrounds panel: a click on a
// widget, keys and mouse work in the level, one tick at a time.
class ElementPanelTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        openPage(backgrounds);
        backgrounds.setCameraHook([this](NK::Vec2 c) { centres.push_back(c); });
    }

    void addPicture(const NK::Rect& r, float angle = 0.0f) {
        backgrounds.add(nktest::solidImage(64, 32, al_map_rgb(200, 40, 40)), r, angle);
    }
    ElementPanel& panel() { return backgrounds.editor(); }
    NK::ExtBitmap& picture(int i) { return backgrounds.picture(i); }

    Backgrounds& backgrounds = *level.backgrounds;
    std::vector<NK::Vec2> centres;
};

// Delete moves the choice back, spares an input being typed in, and with
// none left every input shows 0.
TEST_F(ElementPanelTest, SelectTypedOrArrowsPastTheEndsOrDeleteMoveTheChoiceWrongOrLeaveValues) {
    for (int i = 0; i < 3; ++i) addPicture({100.0f * i, 0, 100, 100});
    clickInput("select");
    EXPECT_TRUE(shown("select").empty() && backgrounds.typing());
    clickInput("select");
    EXPECT_EQ(panel().selected, 0);  // nothing typed: not a number

    // Typed, then the element chosen (3: none) and what the input shows.
    const std::pair<const char*, const char*> cases[] = {
        {"2", "1 2"}, {"0", "0 1"}, {"-3", "0 1"}, {"9", "3 4"}, {".", "0 1"}};
    for (const auto& [typed, chosen] : cases) {
        enter("select", typed);
        EXPECT_EQ(std::to_string(panel().selected) + " " + shown("select"), chosen) << typed;
    }
    EXPECT_FALSE(backgrounds.typing());
    // The arrows and Q and E stop at the ends.
    panel().select(0);
    centres.clear();
    clickButton("left");
    EXPECT_TRUE(panel().selected == 0 && centres.empty());
    tick(backgrounds, true, {ALLEGRO_KEY_E});
    EXPECT_EQ(panel().selected, 1);
    clickButton("right");
    clickButton("right");
    tick(backgrounds, true, {ALLEGRO_KEY_E});
    EXPECT_EQ(std::make_pair(panel().selected, centres.size()), std::make_pair(2, std::size_t{2}));
    // How the others dim, and show again once the page hides: the screens'
    // frames of every page.

    tick(backgrounds, true, {ALLEGRO_KEY_DELETE});
    EXPECT_TRUE(panel().selected == 1 && shown("position_x") == "100.00");
    clickInput("position_x");
    tick(backgrounds, true, {ALLEGRO_KEY_DELETE});
    EXPECT_EQ(backgrounds.count(), 2);
    clickInput("position_x");  // empty: unchanged
    EXPECT_EQ(picture(1).rect.x, 100.0f);
    for (int i = 0; i < 2; ++i) tick(backgrounds, true, {ALLEGRO_KEY_DELETE});
    EXPECT_TRUE(backgrounds.empty() && !panel().hasSelection() && shown("select") == "1");
    for (const char* input : {"position_x", "position_y", "size_x", "size_y", "angle"})
        EXPECT_EQ(shown(input), "0.00") << input;
}

TEST_F(ElementPanelTest, LockedCornerKeepsTwoToOneAndNoSideEverGoesBelowFive) {
    addPicture({100, 100, 100, 50});
    panel().select(0);
    clickButton("size_lock");
    EXPECT_EQ(buttonText("size_lock"), "LOCK W-H: ON");
    drag(backgrounds, {200, 150}, {500, 170});
    for (NK::Vec2 to : {NK::Vec2(300, 600), NK::Vec2(0, 0)}) {
        pointAtLevel(to.x, to.y);
        tick(backgrounds, false);
        const NK::Rect& r = picture(0).rect;
        EXPECT_TRUE(std::abs(r.width / r.height - 2.0f) < 1e-4f && r.height >= 5.0f)
            << to.x << "," << to.y << ": " << r.width << " x " << r.height;
    }
    release(backgrounds);
    clickButton("size_lock");
    drag(backgrounds, {110, 105}, {20, 20});  // unlocked, toward the top-left
    EXPECT_EQ(std::make_pair(picture(0).rect.width, picture(0).rect.height),
              std::make_pair(5.0f, 5.0f));
}

// Later pictures are drawn over earlier ones, yet a click picks the earlier.
TEST_F(ElementPanelTest, ClickPicksDragsRotatesAndClearsOnlyInsideTheEditingAreaOrDrawsOnTop) {
    backgrounds.add(nktest::solidImage(64, 32, al_map_rgb(255, 0, 0)), {100, 100, 200, 100}, 0.0f);
    backgrounds.add(nktest::solidImage(64, 32, al_map_rgb(0, 0, 255)), {150, 100, 200, 100}, 0.0f);
    backgrounds.draw();
    EXPECT_EQ(nktest::colours({{200, 150}, {120, 150}}), "BR");
    panel().select(2);
    pointAtLevel(160, 130);
    tick(backgrounds, true, {}, true);  // over the panel: not for the level
    release(backgrounds);
    EXPECT_FALSE(panel().hasSelection());

    drag(backgrounds, {160, 130}, {260, 180});
    // The first in list order, not the one on top.
    EXPECT_EQ(std::make_tuple(panel().selected, picture(0).rect.x, shown("position_y")),
              std::make_tuple(0, 200.0f, std::string("150.00")));
    release(backgrounds);

    // From the rotate handle (centre + (100 + 40, 0)) to below and right of
    // the centre: the picture turns to face the pointer, an eighth of a turn.
    drag(backgrounds, {440, 200}, {400, 300});
    EXPECT_NEAR(picture(0).angle, 0.7853982f, 1e-6);
    release(backgrounds);
    clickLevel(backgrounds, {1000, 900});
    EXPECT_FALSE(panel().hasSelection());
}

TEST_F(ElementPanelTest, ImageCheckSilentOnEmptyRedWhenMissingAndAddsOnlyFound) {
    clickButton("set_path");
    EXPECT_TRUE(panel().widgets.typingIn("path"));
    clickButton("set_path");
    EXPECT_EQ(gui().getTextLabel("is_path").text, "");
    clickButton("set_path");
    gui().setTextInputText("path", "Dovra/none.png");
    clickButton("set_path");
    const NK::GUISystem::TextLabel& check = gui().getTextLabel("is_path");
    EXPECT_EQ(std::make_tuple(check.text, check.textColor.r, check.textColor.g),
              std::make_tuple("Image not found", 1.0f, 0.0f));
    clickButton("add");
    EXPECT_TRUE(backgrounds.empty());

    // Found, and what is added then: the screen table's backgrounds_added.
    for (int i = 0; i < 20; ++i) clickButton("set_precreated");
    EXPECT_EQ(shown("path"), "Dovra/level9-2.png");
    clickButton("set_precreated");
    EXPECT_EQ(shown("path"), "Dovra/VAZEzadide-screen.png");
    clickButton("set_path");
    tick(backgrounds, true, {ALLEGRO_KEY_C});  // a letter of the path, not "centre"
    EXPECT_TRUE(centres.empty());
}

}  // namespace
