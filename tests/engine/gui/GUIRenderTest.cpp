#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "engine/GUISystem.h"
#include "tests/engine/gui/GuiTestKit.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Pixels.h"

namespace {

using guitest::Image;
using guitest::whitish;

bool blueish(const unsigned char* p) {
    return p[0] < 40 && p[1] < 40 && p[2] > 200 && p[3] > 200;
}
bool transparent(const unsigned char* p) {
    return p[3] == 0;
}

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
    // Window pixel of a widget-screen point under the default 1920x1080 view.
    int wx(float x) const { return static_cast<int>(x * display.windowWidth / 1920.0f); }
    int wy(float y) const { return static_cast<int>(y * display.windowHeight / 1080.0f); }

    NK::GUISystem gui{nktest::engine().input, nktest::engine().renderContext, &guitest::fonts()};
    NK::Display& display = *nktest::engine().display;
    NK::BitmapEntry blue = guitest::solidImage(16, 16, al_map_rgb(0, 0, 255));
};

}  // namespace

TEST_F(GUIRender, ButtonTextSetTwiceLeavesOnlyTheSecondOnItsImage) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 400, 100}, "twice", false);
    gui.createButton(blue, {0, 0, 400, 100}, "once", false);
    gui.setButtonText("twice", "MMMMMMMM", 1);
    const int wide = Image(buttonImage("twice")).count(whitish);
    gui.setButtonText("twice", "i", 1);
    gui.setButtonText("once", "i", 1);

    Image twice(buttonImage("twice"));
    Image once(buttonImage("once"));
    const int narrow = once.count(whitish);
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow * 4);
    // Pixel for pixel what a button that only ever had the second text shows.
    EXPECT_EQ(twice.rgba, once.rgba);
    // The image around the text is still the button's picture.
    EXPECT_TRUE(blueish(twice.at(5, 5)));
    EXPECT_TRUE(blueish(twice.at(395, 95)));
}

TEST_F(GUIRender, ButtonWithoutFontKeepsItsTextUntilGivenOne) {
    gui.createButton(blue, {100, 100, 300, 80}, "late", true);
    gui.setButtonText("late", "MMMM", 1);
    EXPECT_EQ(Image(buttonImage("late")).count(whitish), 0);
    EXPECT_EQ(gui.getButton("late").text, "MMMM");
    gui.setButtonFont("late", "font", 12, NK::Color::white());
    EXPECT_GT(Image(buttonImage("late")).count(whitish), 50);
    // Centred: the rectangle's middle is at its x, y.
    EXPECT_EQ(gui.buttonImages().get("late").rect, NK::Rect(-50, 60, 300, 80));
}

TEST_F(GUIRender, ButtonMarginsKeepTheTextInsideThem) {
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

TEST_F(GUIRender, LabelSetToItsOwnTextDoesNotRedraw) {
    gui.createTextLabel({0, 0, 200, 60}, "font", 10, NK::Color::white(), {}, "same", "l");
    // A mark no text rendering would leave: any redraw clears it.
    al_set_target_bitmap(layer("l_tl_t"));
    al_put_pixel(0, 0, al_map_rgb(255, 0, 0));
    al_set_target_backbuffer(display.display);
    gui.setTextLabelText("l", "same");
    EXPECT_TRUE(nktest::near(nktest::pixelAt(0, 0, layer("l_tl_t")), 255, 0, 0, 0));
    gui.setTextLabelText("l", "other");
    EXPECT_EQ(nktest::pixelAt(0, 0, layer("l_tl_t")).a, 0);
}

TEST_F(GUIRender, LabelAlignmentPutsTheTextOnItsSide) {
    gui.createTextLabel({0, 0, 600, 60}, "font", 10, NK::Color::white(), {10, 0, 10, 0}, "", "a");
    gui.getTextLabel("a").alignment = 2;
    gui.setTextLabelText("a", "MMM");
    Image right(layer("a_tl_t"));
    EXPECT_EQ(right.count(whitish, 0, 0, 300, 60), 0);
    EXPECT_GT(right.count(whitish, 300, 0, 590, 60), 0);
    EXPECT_EQ(right.count(whitish, 590, 0, 600, 60), 0);  // right margin
    gui.getTextLabel("a").alignment = 0;
    gui.setTextLabelText("a", "WWW");
    Image left(layer("a_tl_t"));
    EXPECT_EQ(left.count(whitish, 300, 0, 600, 60), 0);
    EXPECT_EQ(left.count(whitish, 0, 0, 10, 60), 0);  // left margin
    EXPECT_GT(left.count(whitish, 10, 0, 300, 60), 0);
}

TEST_F(GUIRender, TransparentLabelShowsOnlyItsText) {
    gui.createTextLabel({0, 0, 300, 60}, "font", 10, NK::Color::white(), {}, "MMM", "t");
    Image background(layer("t_tl"));
    EXPECT_EQ(background.count(transparent), background.width * background.height);
    Image text(layer("t_tl_t"));
    EXPECT_GT(text.count(whitish), 0);
    // Vertically centred: one line of a 30-pixel font leaves the top rows empty.
    EXPECT_EQ(text.count(whitish, 0, 0, 300, 10), 0);
}

TEST_F(GUIRender, LabelAndInputStayOnTheScreenUnderAMovedView) {
    NK::BitmapEntry red = guitest::solidImage(8, 8, al_map_rgb(255, 0, 0));
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

    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(110), wy(110)), 255, 0, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(490), wy(190)), 255, 0, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(90), wy(110)), 0, 0, 0));
    // The input was centred on 1400, 700.
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(1210), wy(660)), 0, 255, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(1590), wy(740)), 0, 255, 0));
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(1610), wy(700)), 0, 0, 0));
    // And the text sits on top of both.
    Image screen(al_get_backbuffer(display.display));
    EXPECT_GT(screen.count(whitish, wx(100), wy(100), wx(500), wy(200)), 0);
    EXPECT_GT(screen.count(whitish, wx(1200), wy(650), wx(1600), wy(750)), 0);
}

TEST_F(GUIRender, HiddenOrFullyFadedWidgetsDrawNothing) {
    NK::BitmapEntry red = guitest::solidImage(8, 8, al_map_rgb(255, 0, 0));
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
    EXPECT_TRUE(nktest::near(nktest::pixelAt(wx(510), wy(110)), 255, 0, 0));
}

TEST_F(GUIRender, ButtonOpacityFadesByTicksAndSettingItStopsTheFade) {
    gui.setNextButtonsFont("font", 12, NK::Color::white());
    gui.createButton(blue, {0, 0, 100, 50}, "fade", false);
    NK::ExtBitmap& image = gui.buttonImages().get("fade");
    gui.animateButtonOpacity("fade", 0.0f, 0.25f);
    for (int i = 0; i < 3; ++i) gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.25f);
    gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.0f);
    EXPECT_FALSE(image.alpha.active);

    gui.animateButtonOpacity("fade", 1.0f, 0.1f);
    gui.update();
    gui.setButtonOpacity("fade", 0.7f);
    gui.update();
    EXPECT_FLOAT_EQ(image.alpha.current, 0.7f);
    EXPECT_FLOAT_EQ(image.alpha.start, 0.7f);

    gui.animateButtonTint("fade", 1.0f, 0.0f, 0.0f, 10.0f);
    gui.update();
    EXPECT_EQ(image.colour.current, (NK::Rgb{1.0f, 0.0f, 0.0f}));
    gui.setButtonTint("fade", 0.5f, 0.5f, 0.5f);
    gui.update();
    EXPECT_EQ(image.colour.current, (NK::Rgb{0.5f, 0.5f, 0.5f}));
}
