#include "engine/GUISystem.h"

#include <allegro5/allegro.h>

#include "tests/engine/gui/GuiTestKit.h"
#include "tests/support/Testing.h"

namespace {

using guitest::pointAt;
using guitest::tick;
using Calls = std::vector<std::string>;

// A button at 200..400 x 100..160 and an input (at most 6 bytes) at
// 600..900 x 100..160, each slot writing "<slot>:<key>" into `calls`.
class GUIUpdate : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
        pointAt(1800, 1000);  // away from every widget
        gui.setNextButtonsFont("font", 10, NK::Color::white());
        NK::BitmapEntry grey = nktest::solidImage(20, 20, al_map_rgb(90, 90, 90));
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
    std::string text() { return gui.getTextInputText("name"); }

    NK::GUISystem gui{nktest::engine().input, nktest::engine().renderContext, &guitest::fonts()};
    NK::Input& input = *nktest::engine().input;
    Calls calls;
};

}  // namespace

// Each row moves the pointer once a tick, to 'f' far away, 'o' over the
// button or 'a' just away from it, with '!' a click that tick or '.' none,
// and lists the slot calls that follow. Mode 'h': the button is hidden for
// the first tick; 'd': its click handler destroys it.
TEST_F(GUIUpdate, ButtonCallbacksMissingRepeatedOrOutOfOrder) {
    const struct {
        const char* rule;
        char mode;
        std::string ticks;
        Calls calls;
    } cases[] = {
        {"enter, click, leave", '-', "f!o.o.o!a!a.", {"second:ok", "first:ok", "third:ok"}},
        {"a click in the tick the pointer arrives comes first",
         '-',
         "o!",
         {"first:ok", "second:ok"}},
        {"a hidden button takes neither", 'h', "o!o.", {"second:ok"}},
        {"a handler destroying its button is not called into", 'd', "o!o.", {"first:ok"}}};
    for (const auto& c : cases) {
        {
            nktest::LogCapture quiet;  // "remade", for the widgets made afresh
            SetUp();
        }
        calls.clear();
        if (c.mode == 'h') gui.setButtonShown("ok", false);
        if (c.mode == 'd') {
            gui.setButtonFirstCallback("ok", [this](std::string key) {
                calls.push_back("first:" + key);
                gui.destroyButton(key);
            });
        }
        for (std::size_t i = 0; i < c.ticks.size(); i += 2) {
            const char at = c.ticks[i];
            pointAt(at == 'f' ? 1800 : 300, at == 'f' ? 1000 : at == 'o' ? 130 : 400);
            tick(gui, {}, c.ticks[i + 1] == '!');
            if (c.mode == 'h') gui.setButtonShown("ok", true);
        }
        EXPECT_EQ(calls, c.calls) << c.rule;
    }
}

TEST_F(GUIUpdate, ClickThatFocusesTheInputLosesTheSameTicksKey) {
    gui.setTextInputFirstCallback("name", [this](std::string key) {
        calls.push_back("first:" + key);
        gui.getTextInput(key).focused = true;
    });
    pointAt(750, 130);
    tick(gui, {ALLEGRO_KEY_K}, true);
    EXPECT_EQ(text(), "k");
    EXPECT_EQ(calls, Calls({"first:name", "fourth:name"}));
}

// Each row sets `start` as the input's text, then with the modes in `mods`
// (U unfocused, H hidden, # numbers only; Shift held, Caps Lock, Num Lock)
// types one key set per tick and lists the slot calls that follow.
TEST_F(GUIUpdate, TypingGivesWrongTextOrWrongSlotCalls) {
    const std::string fourth = "fourth:name";
    struct Case {
        const char* rule;
        std::string mods, start;
        std::vector<std::vector<int>> ticks;
        const char* text;
        Calls calls;
    };
    // clang-format off
    const Case cases[] = {
        {"an unfocused input takes no keys", "U", "",
         {{ALLEGRO_KEY_A}, {ALLEGRO_KEY_ENTER}, {ALLEGRO_KEY_ESCAPE}}, "", {}},
        {"a hidden input takes no keys", "H", "ab",
         {{ALLEGRO_KEY_A}, {ALLEGRO_KEY_ENTER}, {ALLEGRO_KEY_BACKSPACE}}, "ab", {}},
        {"Enter, keypad Enter and Escape", "", "",
         {{ALLEGRO_KEY_PAD_ENTER}, {ALLEGRO_KEY_ESCAPE}, {ALLEGRO_KEY_ENTER}}, "",
         {"third:name", "second:name", "third:name"}},
        {"Shift capitalises", "S", "", {{ALLEGRO_KEY_A}}, "A", {fourth}},
        {"Caps Lock capitalises", "C", "", {{ALLEGRO_KEY_A}}, "A", {fourth}},
        {"Caps Lock with Shift still capitalises", "SC", "", {{ALLEGRO_KEY_A}}, "A", {fourth}},
        {"keypad digit with Num Lock off", "", "", {{ALLEGRO_KEY_PAD_5}}, "", {}},
        {"keypad digit with Num Lock on", "N", "", {{ALLEGRO_KEY_PAD_5}}, "5", {fourth}},
        {"'-' only first, '.' anywhere, a call per byte taken", "#", "",
         {{ALLEGRO_KEY_MINUS}, {ALLEGRO_KEY_MINUS}, {ALLEGRO_KEY_5}, {ALLEGRO_KEY_FULLSTOP},
          {ALLEGRO_KEY_MINUS}, {ALLEGRO_KEY_Q}, {ALLEGRO_KEY_FULLSTOP}, {ALLEGRO_KEY_2}},
         "-5..2", Calls(5, fourth)},
        {"Backspace with a letter and Enter removes one byte, no more", "", "ab",
         {{ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_C, ALLEGRO_KEY_ENTER}}, "a", {fourth}},
        {"Backspace on an empty input reports nothing", "", "a",
         {{ALLEGRO_KEY_BACKSPACE}, {ALLEGRO_KEY_BACKSPACE}}, "", {fourth}},
        {"Backspace outranks Delete", "", "ab",
         {{ALLEGRO_KEY_DELETE, ALLEGRO_KEY_BACKSPACE}}, "a", {fourth}},
        {"either Delete clears", "", "ab",
         {{ALLEGRO_KEY_PAD_DELETE}, {ALLEGRO_KEY_DELETE}}, "", {fourth}},
        {"a full input takes nothing, reports nothing", "", "abcdef",
         {{ALLEGRO_KEY_G}, {ALLEGRO_KEY_1}, {ALLEGRO_KEY_SPACE}}, "abcdef", {}},
    };
    // clang-format on
    NK::GUISystem::TextInput& in = gui.getTextInput("name");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        auto has = [&c](char m) { return c.mods.find(m) != std::string::npos; };
        in.focused = !has('U');
        gui.setTextInputVisible("name", !has('H'));
        in.numbersOnly = has('#');
        nktest::holdKey(input, ALLEGRO_KEY_RSHIFT, has('S'));
        input.capsLock = has('C');
        input.numLock = has('N');
        gui.setTextInputText("name", c.start);
        calls.clear();
        for (const std::vector<int>& keys : c.ticks) tick(gui, keys);
        EXPECT_EQ(text(), c.text);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(GUIMessages, WrongWordingOrLeftoverLayersOnRemakeMissAndDestroy) {
    NK::GUISystem gui(nktest::engine().input, nktest::engine().renderContext, &guitest::fonts());
    NK::BitmapEntry image = nktest::solidImage(8, 8, al_map_rgb(0, 0, 0));
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
    for (int i = 0; i < 2; ++i)
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
    // A missing button is reported as a button, not as its image.
    EXPECT_FATAL(gui.drawButton("b"), "Button key \"b\" not found");
    EXPECT_FATAL(gui.setButtonOpacity("b", 0.7f), "Button key \"b\" not found");
    EXPECT_TRUE(gui.layerStore().contains("i_ti"));
    EXPECT_FALSE(gui.layerStore().contains("l_tl"));
    gui.destroyAll();
    EXPECT_FALSE(gui.layerStore().contains("i_ti"));
    EXPECT_FALSE(gui.layerStore().contains("i_ti_t"));
    EXPECT_EQ(gui.buttonImages().size(), 0u);
}
