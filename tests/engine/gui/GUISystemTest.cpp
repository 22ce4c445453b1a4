#include "engine/GUISystem.h"

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/gui/GuiTestKit.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

namespace {

using guitest::pointAt;
using guitest::tick;

// A system with one button at 200..400 x 100..160 and one input at
// 600..900 x 100..160, each slot writing "<slot>:<key>" into `calls`.
class GUIUpdate : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
        pointAt(1800, 1000);  // away from every widget
        gui.setNextButtonsFont("font", 10, NK::Color::white());
        NK::BitmapEntry grey = guitest::solidImage(20, 20, al_map_rgb(90, 90, 90));
        gui.createButton(grey, {200, 100, 200, 60}, "ok", false);
        gui.setButtonFirstCallback("ok", record("first"));
        gui.setButtonSecondCallback("ok", record("second"));
        gui.setButtonThirdCallback("ok", record("third"));
        gui.createTextInput({600, 100, 300, 60}, false, grey, "font", 10, NK::Color::white(), {}, 1,
                            6, false, "", "name");
        gui.setTextInputFirstCallback("name", record("first"));
        gui.setTextInputSecondCallback("name", record("second"));
        gui.setTextInputThirdCallback("name", record("third"));
        gui.setTextInputFourthCallback("name", record("fourth"));
    }
    void TearDown() override { nktest::resetInput(); }

    NK::GUISystem::Callback record(const std::string& slot) {
        return [this, slot](std::string key) { calls.push_back(slot + ":" + key); };
    }
    // Types into the focused input, one key per tick.
    void type(std::vector<int> keys) {
        for (int k : keys) tick(gui, {k});
    }
    std::string text() { return gui.getTextInputText("name"); }

    NK::GUISystem gui{nktest::engine().input, nktest::engine().renderContext, &guitest::fonts()};
    NK::Input& input = *nktest::engine().input;
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(GUIUpdate, PointerEntersOnceStaysQuietClicksAndLeavesOnce) {
    pointAt(300, 130);
    tick(gui);
    EXPECT_EQ(calls, Calls({"second:ok"}));
    tick(gui);
    tick(gui);
    EXPECT_EQ(calls, Calls({"second:ok"}));
    tick(gui, {}, true);
    EXPECT_EQ(calls, Calls({"second:ok", "first:ok"}));
    pointAt(300, 400);
    tick(gui);
    tick(gui);
    EXPECT_EQ(calls, Calls({"second:ok", "first:ok", "third:ok"}));
}

TEST_F(GUIUpdate, ClickInTheTickThePointerArrivesReportsClickBeforeEnter) {
    pointAt(300, 130);
    tick(gui, {}, true);
    EXPECT_EQ(calls, Calls({"first:ok", "second:ok"}));
}

TEST_F(GUIUpdate, ButtonEdgeIsHitThroughThePointersOwnPixel) {
    // The pointer pixel starting one unit left of the button still touches it.
    pointAt(199, 130);
    tick(gui, {}, true);
    EXPECT_EQ(calls, Calls({"first:ok", "second:ok"}));
}

TEST_F(GUIUpdate, HiddenButtonNeitherHoversNorClicks) {
    gui.setButtonShown("ok", false);
    pointAt(300, 130);
    tick(gui, {}, true);
    EXPECT_TRUE(calls.empty());
    gui.setButtonShown("ok", true);
    tick(gui);
    EXPECT_EQ(calls, Calls({"second:ok"}));
}

TEST_F(GUIUpdate, ClickHandlerThatDestroysItsButtonEndsThatButtonsTick) {
    gui.setButtonFirstCallback("ok", [this](std::string key) {
        calls.push_back("first:" + key);
        gui.destroyButton(key);
    });
    pointAt(300, 130);
    tick(gui, {}, true);
    EXPECT_EQ(calls, Calls({"first:ok"}));
    tick(gui);
    EXPECT_EQ(calls, Calls({"first:ok"}));
}

TEST_F(GUIUpdate, ClickThatFocusesTheInputTakesTheSameTicksKey) {
    gui.setTextInputFirstCallback("name", [this](std::string key) {
        calls.push_back("first:" + key);
        gui.getTextInput(key).focused = true;
    });
    pointAt(750, 130);
    tick(gui, {ALLEGRO_KEY_K}, true);
    EXPECT_EQ(text(), "k");
    EXPECT_EQ(calls, Calls({"first:name", "fourth:name"}));
}

TEST_F(GUIUpdate, UnfocusedOrHiddenInputTakesNoTyping) {
    type({ALLEGRO_KEY_A});
    EXPECT_EQ(text(), "");
    gui.getTextInput("name").focused = true;
    gui.setTextInputVisible("name", false);
    type({ALLEGRO_KEY_A, ALLEGRO_KEY_ENTER, ALLEGRO_KEY_BACKSPACE});
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(calls.empty());
}

TEST_F(GUIUpdate, CapsLockAndShiftTogetherStillTypeCapitals) {
    gui.getTextInput("name").focused = true;
    type({ALLEGRO_KEY_A});
    input.capsLock = true;
    type({ALLEGRO_KEY_A});
    nktest::holdKey(input, ALLEGRO_KEY_RSHIFT);
    type({ALLEGRO_KEY_A});
    input.capsLock = false;
    tick(gui, {ALLEGRO_KEY_A, ALLEGRO_KEY_MINUS});
    nktest::holdKey(input, ALLEGRO_KEY_RSHIFT, false);
    type({ALLEGRO_KEY_A});
    // The fourth tick had A and Minus together: the letter wins over "_".
    EXPECT_EQ(text(), "aAAAa");
}

TEST_F(GUIUpdate, KeypadDigitsNeedNumLock) {
    gui.getTextInput("name").focused = true;
    type({ALLEGRO_KEY_PAD_5});
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(calls.empty());
    input.numLock = true;
    type({ALLEGRO_KEY_PAD_5});
    EXPECT_EQ(text(), "5");
}

TEST_F(GUIUpdate, NumbersOnlyInputTakesLeadingMinusAndAnyDots) {
    NK::GUISystem::TextInput& in = gui.getTextInput("name");
    in.focused = true;
    in.numbersOnly = true;
    type({ALLEGRO_KEY_MINUS, ALLEGRO_KEY_MINUS, ALLEGRO_KEY_5, ALLEGRO_KEY_FULLSTOP,
          ALLEGRO_KEY_MINUS, ALLEGRO_KEY_Q, ALLEGRO_KEY_FULLSTOP, ALLEGRO_KEY_2});
    EXPECT_EQ(text(), "-5..2");
    // One fourth-slot call per byte that made it in, none for the refused keys.
    EXPECT_EQ(calls, Calls(5, "fourth:name"));
}

TEST_F(GUIUpdate, BackspaceWithALetterRemovesOneByteAndTypesNothing) {
    gui.getTextInput("name").focused = true;
    type({ALLEGRO_KEY_A, ALLEGRO_KEY_B});
    calls.clear();
    tick(gui, {ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_C, ALLEGRO_KEY_ENTER});
    EXPECT_EQ(text(), "a");
    // Enter in that tick is swallowed too.
    EXPECT_EQ(calls, Calls({"fourth:name"}));
    type({ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_BACKSPACE});
    EXPECT_EQ(text(), "");
    EXPECT_EQ(calls, Calls(2, "fourth:name"));
}

TEST_F(GUIUpdate, DeleteClearsAndAnEmptyInputReportsNoChange) {
    gui.getTextInput("name").focused = true;
    type({ALLEGRO_KEY_A, ALLEGRO_KEY_B});
    calls.clear();
    type({ALLEGRO_KEY_PAD_DELETE});
    EXPECT_EQ(text(), "");
    type({ALLEGRO_KEY_DELETE});
    EXPECT_EQ(calls, Calls({"fourth:name"}));
}

TEST_F(GUIUpdate, FullInputIgnoresTypingWithoutAFourthCall) {
    gui.getTextInput("name").focused = true;
    gui.setTextInputText("name", "abcdef");  // maximum length 6
    calls.clear();
    type({ALLEGRO_KEY_G, ALLEGRO_KEY_1, ALLEGRO_KEY_SPACE});
    EXPECT_EQ(text(), "abcdef");
    EXPECT_TRUE(calls.empty());
}

TEST_F(GUIUpdate, EnterAndEscapeReachOnlyTheFocusedInput) {
    tick(gui, {ALLEGRO_KEY_ENTER});
    tick(gui, {ALLEGRO_KEY_ESCAPE});
    EXPECT_TRUE(calls.empty());
    gui.getTextInput("name").focused = true;
    tick(gui, {ALLEGRO_KEY_PAD_ENTER});
    tick(gui, {ALLEGRO_KEY_ESCAPE});
    tick(gui, {ALLEGRO_KEY_ENTER});
    EXPECT_EQ(calls, Calls({"third:name", "second:name", "third:name"}));
}

TEST_F(GUIUpdate, SettingTheSameTextReportsNoChange) {
    gui.setTextInputText("name", "x");
    gui.setTextInputText("name", "x");
    EXPECT_EQ(calls, Calls({"fourth:name"}));
}

TEST(GUIMessages, RemakeMissAndLookupWordings) {
    NK::GUISystem gui(nktest::engine().input, nktest::engine().renderContext, &guitest::fonts());
    NK::BitmapEntry image = guitest::solidImage(8, 8, al_map_rgb(0, 0, 0));
    nktest::LogCapture log;
    gui.createButton(image, {0, 0, 50, 20}, "b", false);
    gui.setNextButtonsFont("font", 10, NK::Color::white());
    gui.createButton(image, {0, 0, 50, 20}, "b", false);
    gui.destroyButton("b");
    gui.destroyButton("b");
    gui.createTextLabel({0, 0, 50, 20}, "font", 10, NK::Color::white(), {}, "t", "l");
    gui.createTextLabel(image, {0, 0, 50, 20}, "font", 10, NK::Color::white(), {}, "t", "l");
    gui.destroyTextLabel("l");
    gui.destroyTextLabel("l");
    gui.createTextInput({0, 0, 50, 20}, true, image, "font", 10, NK::Color::white(), {}, 1, 5,
                        false, "", "i");
    gui.createTextInput({0, 0, 50, 20}, true, image, "font", 10, NK::Color::white(), {}, 1, 5,
                        false, "", "i");
    EXPECT_EQ(log.lines(),
              std::vector<std::string>({
                  "INFO: GUISystem(\"b\") - You should use setNextButtonsFont(...) before "
                  "creating Buttons.",
                  "INFO: Button with key \"b\" remade",
                  "INFO: Button with key \"b\" not found to destroy",
                  "INFO: TextLabel with key \"l\" remade",
                  "INFO: TextLabel with key \"l\" not found to destroy",
                  "INFO: TextInput with key \"i\" remade",
              }));
    EXPECT_FATAL(gui.getButton("b"), "Button key \"b\" not found");
    EXPECT_FATAL(gui.setButtonText("b", "x", 1), "Button key \"b\" not found");
    EXPECT_FATAL(gui.drawButton("b"), "Button key \"b\" not found");
    EXPECT_FATAL(gui.setButtonOpacity("b", 0.7f), "Button key \"b\" not found");
    EXPECT_FATAL(gui.getTextLabel("l"), "TextLabel key \"l\" not found");
    EXPECT_FATAL(gui.drawTextLabel("l"), "TextLabel key \"l\" not found");
    EXPECT_FATAL(gui.getTextInput("x"), "TextInput key \"x\" not found");
    EXPECT_FATAL(gui.setTextInputText("x", "1"), "TextInput key \"x\" not found");
    // The remade input's layers replaced the old ones; destroy-all takes every one.
    EXPECT_TRUE(gui.layerStore().contains("i_ti"));
    EXPECT_FALSE(gui.layerStore().contains("l_tl"));
    gui.destroyAll();
    EXPECT_FALSE(gui.layerStore().contains("i_ti"));
    EXPECT_FALSE(gui.layerStore().contains("i_ti_t"));
    EXPECT_EQ(gui.buttonImages().size(), 0u);
}
