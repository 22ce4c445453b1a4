#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "engine/GUISystem.h"
#include "tests/engine/gui/GuiTestKit.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Pixels.h"

namespace {

using guitest::Image;
using guitest::whitish;
using guitest::windowX;
using guitest::windowY;
using nktest::near;
using nktest::pixelAt;

class GUIRender : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
    }
    void TearDown() override { nktest::resetDrawing(); }

    ALLEGRO_BITMAP* buttonImage(const std::string& key) {
        return gui.buttonImages().get(key).image.get();
    }
    ALLEGRO_BITMAP* layer(const std::string& key) { return gui.layerStore().get(key).get(); }
    nktest::Rgba screenAt(float x, float y) const { return pixelAt(windowX(x), windowY(y)); }

    NK::GUISystem gui{nktest::engine().input, nktest::engine().renderContext, &guitest::fonts()};
    NK::Display& display = *nktest::engine().display;
    NK::BitmapEntry blue = guitest::solidImage(16, 16, al_map_rgb(0, 0, 255));
    NK::BitmapEntry red = guitest::solidImage(8, 8, al_map_rgb(255, 0, 0));
};

}  // namespace

TEST_F(GUIRender, ButtonTextReplacedLeavesTheFirstTextOnItsImage) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 400, 100}, "twice", false);
    gui.createButton(blue, {0, 0, 400, 100}, "once", false);
    gui.setButtonText("twice", "MMMMMMMM", 1);
    gui.setButtonText("twice", "i", 1);
    gui.setButtonText("once", "i", 1);
    Image twice(buttonImage("twice"));
    Image once(buttonImage("once"));
    EXPECT_GT(once.count(whitish), 0);
    // Pixel for pixel what a button that only ever had the second text shows.
    EXPECT_EQ(twice.rgba, once.rgba);
    // The picture around the text survives.
    EXPECT_TRUE(near(pixelAt(5, 5, buttonImage("twice")), 0, 0, 255));
    EXPECT_TRUE(near(pixelAt(395, 95, buttonImage("twice")), 0, 0, 255));
}

TEST_F(GUIRender, ButtonWithoutFontDrawsOrLosesItsTextOrIsNotCentred) {
    gui.createButton(blue, {100, 100, 300, 80}, "late", true);
    gui.setButtonText("late", "MMMM", 1);
    EXPECT_EQ(Image(buttonImage("late")).count(whitish), 0);
    gui.setButtonFont("late", "font", 12, NK::Color::white());
    EXPECT_GT(Image(buttonImage("late")).count(whitish), 50);
    EXPECT_EQ(gui.buttonImages().get("late").rect, NK::Rect(-50, 60, 300, 80));
}

TEST_F(GUIRender, ButtonTextDrawnIntoItsMargins) {
    gui.setNextButtonsFont("font", 14, NK::Color::white());
    gui.createButton(blue, {0, 0, 400, 100}, "m", false);
    gui.setButtonText("m", "MMMMMMMMMMMM", 1);
    EXPECT_GT(Image(buttonImage("m")).count(whitish, 0, 0, 200, 100), 0);
    gui.setButtonTextMargins("m", 200, 0, 0, 50);
    Image image(buttonImage("m"));
    EXPECT_EQ(image.count(whitish, 0, 0, 200, 100), 0);
    EXPECT_EQ(image.count(whitish, 0, 50, 400, 100), 0);
    EXPECT_GT(image.count(whitish, 200, 0, 400, 50), 0);
}

TEST_F(GUIRender, LabelSetToItsOwnTextRedraws) {
    gui.createTextLabel({0, 0, 200, 60}, "font", 10, NK::Color::white(), {}, "same", "l");
    // A mark no text rendering would leave: any redraw clears it.
    al_set_target_bitmap(layer("l_tl_t"));
    al_put_pixel(0, 0, al_map_rgb(255, 0, 0));
    al_set_target_backbuffer(display.display);
    gui.setTextLabelText("l", "same");
    EXPECT_TRUE(near(pixelAt(0, 0, layer("l_tl_t")), 255, 0, 0, 0));
    gui.setTextLabelText("l", "other");
    EXPECT_EQ(pixelAt(0, 0, layer("l_tl_t")).a, 0);
}

TEST_F(GUIRender, LabelTextOnTheWrongSideOrInItsMargin) {
    gui.createTextLabel({0, 0, 600, 60}, "font", 10, NK::Color::white(), {10, 0, 10, 0}, "", "a");
    gui.getTextLabel("a").alignment = 2;
    gui.setTextLabelText("a", "MMM");
    Image right(layer("a_tl_t"));
    EXPECT_EQ(right.count(whitish, 0, 0, 300, 60), 0);
    EXPECT_GT(right.count(whitish, 300, 0, 590, 60), 0);
    EXPECT_EQ(right.count(whitish, 590, 0, 600, 60), 0);
    gui.getTextLabel("a").alignment = 0;
    gui.setTextLabelText("a", "WWW");
    Image left(layer("a_tl_t"));
    EXPECT_EQ(left.count(whitish, 300, 0, 600, 60), 0);
    EXPECT_EQ(left.count(whitish, 0, 0, 10, 60), 0);
    EXPECT_GT(left.count(whitish, 10, 0, 300, 60), 0);
}

TEST_F(GUIRender, LabelWithoutImageShowsABackgroundOrUncentredText) {
    gui.createTextLabel({0, 0, 300, 60}, "font", 10, NK::Color::white(), {}, "MMM", "t");
    Image background(layer("t_tl"));
    EXPECT_EQ(background.count([](const unsigned char* p) { return p[3] != 0; }), 0);
    Image text(layer("t_tl_t"));
    EXPECT_GT(text.count(whitish), 0);
    // One line of a 30-pixel font, vertically centred, leaves the top rows empty.
    EXPECT_EQ(text.count(whitish, 0, 0, 300, 10), 0);
}

TEST_F(GUIRender, LabelAndInputFollowAMovedViewOffTheScreen) {
    NK::BitmapEntry green = guitest::solidImage(8, 8, al_map_rgb(0, 255, 0));
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
    EXPECT_TRUE(near(screenAt(110, 110), 255, 0, 0));
    EXPECT_TRUE(near(screenAt(490, 190), 255, 0, 0));
    EXPECT_TRUE(near(screenAt(90, 110), 0, 0, 0));
    // The input was centred on 1400, 700.
    EXPECT_TRUE(near(screenAt(1210, 660), 0, 255, 0));
    EXPECT_TRUE(near(screenAt(1610, 700), 0, 0, 0));
    // And the text sits on top.
    Image screen(al_get_backbuffer(display.display));
    EXPECT_GT(screen.count(whitish, windowX(100), windowY(100), windowX(500), windowY(200)), 0);
}

TEST_F(GUIRender, HiddenOrFullyFadedWidgetsStillDrawn) {
    gui.createTextLabel(red, {100, 100, 200, 100}, "font", 12, NK::Color::white(), {}, "M", "l");
    gui.createTextInput({500, 100, 200, 100}, false, red, "font", 12, NK::Color::white(), {}, 1, 4,
                        false, "M", "i");
    gui.setTextLabelVisible("l", false);
    gui.setTextInputOpacity("i", 0.0f);
    gui.drawTextLabel("l");
    gui.drawTextInput("i");
    Image screen(al_get_backbuffer(display.display));
    EXPECT_EQ(screen.count([](const unsigned char* p) { return p[0] > 20; }), 0);
    gui.setTextInputOpacity("i", 1.0f);
    gui.drawTextInput("i");
    EXPECT_TRUE(near(screenAt(510, 110), 255, 0, 0));
}

TEST_F(GUIRender, ButtonFadeRunsAtTheWrongPaceOrOverridesALaterSetting) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 100, 50}, "fade", false);
    NK::ExtBitmap& image = gui.buttonImages().get("fade");
    gui.animateButtonOpacity("fade", 0.0f, 0.25f);
    for (int i = 0; i < 3; ++i) gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.25f);
    gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.0f);
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
