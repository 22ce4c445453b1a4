#include <allegro5/allegro.h>

#include "engine/GUISystem.h"
#include "tests/engine/gui/GuiTestKit.h"
#include "tests/support/Testing.h"

namespace {

using guitest::inked;

class GUIRender : public nktest::DrawTest {
protected:
    ALLEGRO_BITMAP* buttonImage(const std::string& key) {
        return gui.buttonImages().get(key).image.get();
    }
    ALLEGRO_BITMAP* layer(const std::string& key) { return gui.layerStore().get(key).get(); }
    ALLEGRO_BITMAP* screen() const { return al_get_backbuffer(display.display); }

    NK::GUISystem gui{nktest::engine().input, nktest::engine().renderContext, &guitest::fonts()};
    NK::Display& display = *nktest::engine().display;
    NK::BitmapEntry blue = nktest::solidImage(16, 16, al_map_rgb(0, 0, 255));
    NK::BitmapEntry red = nktest::solidImage(8, 8, al_map_rgb(255, 0, 0));
};

}  // namespace

// Pixel for pixel what a button that only ever had the second text shows,
// with the picture around the text kept.
TEST_F(GUIRender, ButtonTextReplacedLeavesTheFirstTextOnItsImage) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 400, 100}, "twice", false);
    gui.createButton(blue, {0, 0, 400, 100}, "once", false);
    gui.setButtonText("twice", "MMMMMMMM", 1);
    gui.setButtonText("twice", "i", 1);
    gui.setButtonText("once", "i", 1);
    EXPECT_EQ(inked(buttonImage("once"), {{0, 0, 400, 100}}), "w");
    EXPECT_EQ(guitest::pixels(buttonImage("twice")), guitest::pixels(buttonImage("once")));
    EXPECT_EQ(nktest::colours({{5, 5}, {395, 95}}, buttonImage("twice")), "BB");
}

// Without a font the text is kept and drawn once one is set; the image is
// centred on the given point; margins keep the text out of them.
TEST_F(GUIRender, ButtonTextLostDrawnWithoutFontUncentredOrInItsMargins) {
    gui.createButton(blue, {100, 100, 300, 80}, "late", true);
    gui.setButtonText("late", "MMMM", 1);
    EXPECT_EQ(inked(buttonImage("late"), {{0, 0, 300, 80}}), ".");
    gui.setButtonFont("late", "font", 12, NK::Color::white());
    EXPECT_EQ(inked(buttonImage("late"), {{0, 0, 300, 80}}), "w");
    EXPECT_EQ(gui.buttonImages().get("late").rect, NK::Rect(-50, 60, 300, 80));
    gui.setNextButtonsFont("font", 14, NK::Color::white());
    gui.createButton(blue, {0, 0, 400, 100}, "m", false);
    gui.setButtonText("m", "MMMMMMMMMMMM", 1);
    EXPECT_EQ(inked(buttonImage("m"), {{0, 0, 200, 100}}), "w");
    gui.setButtonTextMargins("m", 200, 0, 0, 50);
    EXPECT_EQ(inked(buttonImage("m"), {{0, 0, 200, 100}, {0, 50, 400, 100}, {200, 0, 400, 50}}),
              "..w");
}

// A label set to its own text is not redrawn (a mark no text rendering
// would leave stays), to another one it is; right and left text keep to their side and out of
// the margins; without an image no background shows and one line of a
// 30-pixel font, vertically centred, leaves the top rows empty.
TEST_F(GUIRender, LabelRedrawnForItsOwnTextOrTextOnTheWrongSideInItsMarginOrOverABackground) {
    gui.createTextLabel({0, 0, 200, 60}, "font", 10, NK::Color::white(), {}, "same", "l");
    al_set_target_bitmap(layer("l_tl_t"));
    al_put_pixel(0, 0, al_map_rgb(255, 0, 0));
    al_set_target_backbuffer(display.display);
    gui.setTextLabelText("l", "same");
    EXPECT_EQ(nktest::colours({{0, 0}}, layer("l_tl_t"), 0), "R");
    gui.setTextLabelText("l", "other");
    EXPECT_EQ(nktest::pixelAt(0, 0, layer("l_tl_t")).a, 0);
    gui.createTextLabel({0, 0, 600, 60}, "font", 10, NK::Color::white(), {10, 0, 10, 0}, "", "a");
    gui.getTextLabel("a").alignment = 2;
    gui.setTextLabelText("a", "MMM");
    EXPECT_EQ(inked(layer("a_tl_t"), {{0, 0, 300, 60}, {300, 0, 590, 60}, {590, 0, 600, 60}}),
              ".w.");
    gui.getTextLabel("a").alignment = 0;
    gui.setTextLabelText("a", "WWW");
    EXPECT_EQ(inked(layer("a_tl_t"), {{300, 0, 600, 60}, {0, 0, 10, 60}, {10, 0, 300, 60}}), "..w");
    EXPECT_EQ(inked(layer("a_tl_t"), {{0, 0, 600, 10}}), ".");
    const std::vector<unsigned char> background = guitest::pixels(layer("a_tl"));
    for (std::size_t i = 3; i < background.size(); i += 4) ASSERT_EQ(background[i], 0) << i / 4;
}

TEST_F(GUIRender, LabelAndInputFollowAMovedViewOffTheScreen) {
    NK::BitmapEntry green = nktest::solidImage(8, 8, al_map_rgb(0, 255, 0));
    gui.createTextLabel(red, {100, 100, 400, 100}, "font", 12, NK::Color::white(), {}, "MMM",
                        "label");
    gui.createTextInput({1400, 700, 400, 100}, true, green, "font", 12, NK::Color::white(), {}, 1,
                        10, false, "MMM", "input");
    NK::View& view = *nktest::engine().view;
    view.x = 5000;
    view.y = -3000;
    view.width = 3840;  // zoomed out twice
    view.height = 2160;
    view.apply();
    gui.drawTextLabel("label");
    gui.drawTextInput("input");
    // The input was centred on 1400, 700; the label's text sits on top.
    EXPECT_EQ(nktest::colours({{110, 110}, {490, 190}, {90, 110}, {1210, 660}, {1610, 700}}),
              "RRKGK");
    EXPECT_EQ(inked(screen(), {{guitest::windowX(100), guitest::windowY(100), guitest::windowX(500),
                                guitest::windowY(200)}}),
              "w");
}

TEST_F(GUIRender, HiddenOrFullyFadedWidgetsStillDrawn) {
    gui.createTextLabel(red, {100, 100, 200, 100}, "font", 12, NK::Color::white(), {}, "M", "l");
    gui.createTextInput({500, 100, 200, 100}, false, red, "font", 12, NK::Color::white(), {}, 1, 4,
                        false, "M", "i");
    gui.setTextLabelVisible("l", false);
    gui.setTextInputOpacity("i", 0.0f);
    gui.drawTextLabel("l");
    gui.drawTextInput("i");
    const std::vector<unsigned char> drawn = guitest::pixels(screen());
    for (std::size_t i = 0; i < drawn.size(); i += 4) ASSERT_LE(drawn[i], 20) << i / 4;
    gui.setTextInputOpacity("i", 1.0f);
    gui.drawTextInput("i");
    EXPECT_EQ(nktest::colours({{510, 110}}), "R");
}

// A fade moves by its step each update; a setting made later wins over a
// running fade or tint.
TEST_F(GUIRender, ButtonFadeRunsAtTheWrongPaceOrOverridesALaterSetting) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 100, 50}, "fade", false);
    NK::ExtBitmap& image = gui.buttonImages().get("fade");
    std::vector<float> alphas;
    gui.animateButtonOpacity("fade", 0.0f, 0.25f);
    for (int i = 0; i < 4; ++i, alphas.push_back(image.alpha.current)) gui.update();
    EXPECT_EQ(alphas, (std::vector<float>{0.75f, 0.5f, 0.25f, 0.0f}));
    gui.animateButtonOpacity("fade", 1.0f, 0.1f);
    gui.update();
    gui.setButtonOpacity("fade", 0.7f);
    gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.7f);
    gui.animateButtonTint("fade", 1.0f, 0.0f, 0.0f, 10.0f);
    gui.update();
    EXPECT_EQ(image.colour.current, (NK::Rgb{1.0f, 0.0f, 0.0f}));
    gui.setButtonTint("fade", 0.5f, 0.5f, 0.5f);
    gui.update();
    EXPECT_EQ(image.colour.current, (NK::Rgb{0.5f, 0.5f, 0.5f}));
}
