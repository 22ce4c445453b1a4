#include "engine/GUISystem.h"

#include <allegro5/allegro_primitives.h>

#include <cctype>
#include <sstream>

#include "engine/FontStore.h"
#include "tests/support/Testing.h"

namespace {

// A widget system over the shared input, with Clear Sans as "font".
class GUI : public nktest::DrawTest {
protected:
    GUI() { fonts.load("Resources/Fonts/NK-ClearSans.ttf", "font"); }
    NK::Input& input = *nktest::engine().input;
    NK::FontStore fonts{nktest::engine().renderContext};
    NK::GUISystem gui{&input, nktest::engine().renderContext, &fonts};
};

class GUIShrunk : public GUI {};  // run in a process of its own: the build says why

}  // namespace

// Each row sets `start` as the input's text, then with the modes in `mods`
// (U unfocused, H hidden, # numbers only; S Shift held, C Caps Lock, N Num
// Lock; K the field clicked every tick, its click focusing it) types one key
// set per tick, the ticks parted by spaces, and lists the slots called (1
// click, 2 Escape, 3 Enter, 4 text changed). A key typed with the click that
// focuses lands in the field. Keys: a letter or
// digit itself, '-' minus, '*' keypad minus, ',' comma, '.' full stop, '!'
// quote, '_' space, '@' '%' '~' keypad 0, 5 and 9, '<' Backspace, '>'
// Delete, ')' keypad Delete, '=' Enter, '+' keypad Enter, '^' Escape. Of
// several keys in one tick the highest letter or digit wins, a letter over
// punctuation, a dead keypad digit over a letter; Shift's own punctuation
// comes first ('_' before '?'), and Shift lets go of the rest.
TEST_F(GUI, TypingGivesWrongTextOrWrongSlotCalls) {
    gui.createTextInput({600, 100, 300, 60}, false, nktest::solidImage(8, 8, {}), "font", 10,
                        NK::Color::white(), {}, 1, 6, false, "", "name");
    std::string calls;
    gui.setTextInputFirstCallback("name", [&](std::string) {
        calls += '1';
        gui.getTextInput("name").focused = true;
    });
    for (auto [slot, set] : {std::pair{'2', &NK::GUISystem::setTextInputSecondCallback},
                             {'3', &NK::GUISystem::setTextInputThirdCallback},
                             {'4', &NK::GUISystem::setTextInputFourthCallback}})
        (gui.*set)("name", [&calls, slot = slot](std::string) { calls += slot; });
    const struct {
        std::string mods, start, ticks, text, calls;
    } cases[] = {{"U", "", "a = ^", "", ""},
                 {"H", "ab", "a = <", "ab", ""},
                 {"", "", "+ ^ =", "", "323"},
                 {"S", "", "a", "A", "4"},
                 {"C", "", "a", "A", "4"},
                 {"SC", "", "a", "A", "4"},
                 {"N", "", "@ % ~", "059", "444"},
                 {"", "", "@ ~", "", ""},
                 {"", "", "ba a% -a", "ba", "44"},
                 {"S", "", ",- . , ! * _", "_.?!- ", "444444"},
                 {"", "", ", ! * _ 9", ",- 9", "4444"},
                 {"#", "", "- - 5 . - q . 2", "-5..2", "44444"},
                 {"", "ab", "<c=", "a", "4"},
                 {"", "a", "< <", "", "4"},
                 {"", "ab", "><", "a", "4"},
                 {"", "ab", ") >", "", "4"},
                 {"", "abcdef", "g 1 _", "abcdef", ""},
                 {"UK", "", "a b", "ab", "1414"},
                 {"HUK", "", "a", "", ""}};
    const std::string symbols = "-._%<>)=+^,@~!*";
    const int symbolCodes[] = {
        ALLEGRO_KEY_MINUS,     ALLEGRO_KEY_FULLSTOP, ALLEGRO_KEY_SPACE,      ALLEGRO_KEY_PAD_5,
        ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_DELETE,   ALLEGRO_KEY_PAD_DELETE, ALLEGRO_KEY_ENTER,
        ALLEGRO_KEY_PAD_ENTER, ALLEGRO_KEY_ESCAPE,   ALLEGRO_KEY_COMMA,      ALLEGRO_KEY_PAD_0,
        ALLEGRO_KEY_PAD_9,     ALLEGRO_KEY_QUOTE,    ALLEGRO_KEY_PAD_MINUS};
    NK::GUISystem::TextInput& in = gui.getTextInput("name");
    for (const auto& c : cases) {
        auto has = [&c](char m) { return c.mods.find(m) != std::string::npos; };
        in.focused = !has('U');
        gui.setTextInputVisible("name", !has('H'));
        in.numbersOnly = has('#');
        nktest::holdKey(input, ALLEGRO_KEY_RSHIFT, has('S'));
        input.capsLock = has('C');
        input.numLock = has('N');
        input.mouse.x = (has('K') ? 750 : 0) * input.display->windowWidth / 1920;
        input.mouse.y = 130 * input.display->windowHeight / 1080;
        gui.setTextInputText("name", c.start);
        calls.clear();
        std::istringstream ticks(c.ticks);
        for (std::string keys; ticks >> keys;) {
            for (char k : keys)
                input.keyPressed[symbols.find(k) != std::string::npos ? symbolCodes[symbols.find(k)]
                                 : std::isdigit(k)                    ? ALLEGRO_KEY_0 + (k - '0')
                                                   : ALLEGRO_KEY_A + (k - 'a')] = 1;
            input.mousePressed[1] = 1;
            gui.update();
            input.endUpdate();
        }
        EXPECT_EQ(gui.getTextInputText("name") + "|" + calls, c.text + "|" + c.calls)
            << c.mods << " " << c.start << " " << c.ticks;
    }
    nktest::resetInput();
}

// A controller's focus goes through the shown buttons in reading order (rows
// by height, each left to right), skips hidden ones, wraps round, and clicks
// only the focused button; the pointer plays no part while it is set. Then
// the pointer hovers, clicks and leaves a button, each button its own calls.
TEST_F(GUI, FocusOutOfReadingOrderOntoHiddenButtonsOrClickingTheWrongOne) {
    std::string clicked, hovers;
    // Made out of order; "left" sits 40 lower than "right" but on its row.
    const std::pair<const char*, NK::Rect> buttons[] = {{"bottom", {480, 900, 600, 100}},
                                                        {"right", {840, 700, 100, 100}},
                                                        {"top", {40, 40, 75, 75}},
                                                        {"left", {120, 740, 100, 100}},
                                                        {"hidden", {480, 300, 600, 100}}};
    for (const auto& [key, rect] : buttons) {
        gui.createButton(nktest::solidImage(8, 8, {}), rect, key, true);
        gui.setButtonFirstCallback(key, [&clicked](std::string k) { clicked += k + " "; });
        gui.setButtonSecondCallback(key, [&hovers](std::string k) { hovers += "+" + k; });
        gui.setButtonThirdCallback(key, [&hovers](std::string k) { hovers += "-" + k; });
    }
    gui.setButtonShown("hidden", false);
    std::string order;
    for (int step : {1, 1, 1, 1, 1, -1, -1}) gui.stepFocus(step), order += gui.focus() + " ";
    EXPECT_EQ(order, "top left right bottom top bottom right ");

    // The pointer lies on "left" and its button is pressed: ignored while the
    // pad has the focus, so only the focused button is clicked (the first
    // word of `clicked` at the end).
    nktest::resetInput();
    input.mouse.x = 120;
    input.mouse.y = 740;
    input.mousePressed[1] = 1;
    gui.update();
    gui.clickFocus();
    gui.update();
    gui.dropFocus();
    gui.stepFocus(-1);
    EXPECT_EQ(gui.focus(), "bottom") << "a fresh focus going back starts at the last";
    gui.dropFocus();
    for (int x : {300, 100, 110, 110, 300}) {  // "left" spans 70..170 x 690..790
        input.mouse.x = x * input.display->windowWidth / 1920;
        input.mouse.y = 700 * input.display->windowHeight / 1080;
        input.mousePressed[1] = x == 110;
        gui.update();
    }
    EXPECT_EQ(hovers + " " + clicked, "+right-right+left-left right left left ");
    // The pointer is a pixel's box: over a button touching its corner, not beyond.
    EXPECT_TRUE(NK::GUIPointer::over({70, 650, 100, 100}, {170, 750}) &&
                !NK::GUIPointer::over({70, 650, 100, 100}, {170.25f, 700}));
}

// A name far longer than its field: focus redraws it (its end in view, not
// its start) and the text itself stays whole. (Which part shows: the
// TextWindow table; the field's margins kept clear: the screen table's
// frames.)
TEST_F(GUI, LongNameNotRedrawnOnFocusOrStoredCut) {
    const std::string name = "a_very_long_level_name_for_the_field.txt";
    gui.createTextInput({100, 100, 260, 50}, false, nktest::solidImage(8, 8, {}), "font", 10,
                        NK::Color::white(), {10, 0, 10, 0}, 1, 120, false, name, "name");
    ALLEGRO_BITMAP* layer = gui.layerStore().get(NK::GUISystem::inputTextKey("name")).get();
    int ink[2] = {};  // opaque pixels of the field, idle and focused
    for (bool focused : {false, true}) {
        gui.getTextInput("name").focused = focused;
        gui.drawTextInput("name");
        al_lock_bitmap(layer, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
        for (int x = 0; x < 260; ++x)
            for (int y = 0; y < 50; ++y) ink[focused] += nktest::pixelAt(x, y, layer).a > 0;
        al_unlock_bitmap(layer);
    }
    EXPECT_NE(ink[0], ink[1]);
    EXPECT_EQ(gui.getTextInputText("name"), name);
}

// A 1280 x 720 window shows the GUI at two thirds, where picking one texel
// per pixel never shows every third column: a letter's thin stem there
// vanishes ("ADD Statc"). Stems on just those columns must still show, on a
// button after its text is printed and on a label.
TEST_F(GUIShrunk, StemsOnSkippedColumnsVanishInASmallWindow) {
    const NK::BitmapEntry stems = nktest::solidImage(30, 30, al_map_rgb(0, 0, 0));
    al_set_target_bitmap(stems.get());
    for (int x = 1; x < 30; x += 3)
        al_draw_filled_rectangle(x, 0, x + 1, 30, al_map_rgb(255, 255, 255));
    gui.setNextButtonsFont("font", 10, NK::Color::white());
    gui.createButton(stems, {0, 0, 30, 30}, "button", false);
    gui.setButtonText("button", " ", 1);
    gui.createTextLabel(stems, {0, 30, 30, 30}, "font", 10, NK::Color::white(), {}, "", "label");

    const NK::BitmapEntry window = nktest::solidImage(20, 40, al_map_rgb(0, 0, 0));
    al_set_target_bitmap(window.get());
    ALLEGRO_TRANSFORM twoThirds;
    al_build_transform(&twoThirds, 0, 0, 2.0f / 3.0f, 2.0f / 3.0f, 0);
    al_use_transform(&twoThirds);
    gui.drawButton("button");
    gui.drawTextLabel("label");
    for (int y : {10, 30})
        for (int x = 0; x < 20; ++x)
            EXPECT_GT(nktest::pixelAt(x, y, window.get()).r, 40) << "dark at " << x << ", " << y;
}

// The check that every shown widget was drawn: a shown button the screen
// never draws is the widget that takes clicks unseen; a hidden one drawn
// anyway draws nothing and must not count. A missing button is logged or
// fatal in its own words, whatever asks for it; a label goes with its
// layers, and destroy all leaves no widget. (Where each widget is drawn: the screen table's frames.)
TEST_F(GUI, OnButUndrawnMissedOrHiddenCountedAsDrawnOrMissingButtonUnreported) {
    const NK::BitmapEntry image = nktest::solidImage(8, 8, al_map_rgb(255, 255, 255));
    gui.createButton(image, {960, 690, 600, 100}, "menu", true);
    gui.createButton(image, {300, 300, 200, 200}, "hidden", true);
    gui.setButtonShown("hidden", false);
    gui.drawButton("hidden");
    std::vector<std::string> shown;
    for (const NK::ShownWidget& w : gui.shownWidgets()) shown.push_back(w.key);
    EXPECT_EQ(NK::widgetMismatches(shown, gui.drawnWidgets()),
              nktest::Lines{"shown, not drawn: menu"});
    EXPECT_EQ(NK::widgetMismatches({}, {"menu"}), nktest::Lines{"drawn, not shown: menu"});
    nktest::LogCapture log;
    gui.destroyButton("x");
    gui.createTextLabel({0, 30, 30, 30}, "font", 10, {}, {}, "t", "label");
    gui.destroyTextLabel("label");
    gui.destroyTextLabel("label");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Button with key \"x\" not found to destroy",
                                          "INFO: TextLabel with key \"label\" not found to destroy"}));
    for (const std::string& layer : gui.layerStore().keys())
        EXPECT_NE(layer.rfind("label", 0), 0u) << layer << " outlived its label";
    EXPECT_FATAL(gui.setButtonShown("x", false), "Button key \"x\" not found");
    EXPECT_FATAL(gui.setButtonOpacity("x", 1), "Button key \"x\" not found");
    EXPECT_FATAL(gui.setButtonTint("x", 1, 1, 1), "Button key \"x\" not found");
    EXPECT_FATAL(gui.animateButtonOpacity("x", 1, 1), "Button key \"x\" not found");
    EXPECT_FATAL(gui.animateButtonTint("x", 1, 1, 1, 1), "Button key \"x\" not found");
    EXPECT_FATAL(gui.drawButton("x"), "Button key \"x\" not found");
    gui.destroyAll();
    EXPECT_EQ(gui.clickableCount() + gui.shownWidgets().size(), 0u);
}
