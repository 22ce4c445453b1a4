

#include "game/Game.h"
#include "game/SceneMachine.h"
#include "game/TutorialBook.h"
#include "tests/support/Testing.h"

namespace {

// Records what each update asked of the game as short words, the updates
// parted by '|': v view reset, l logo, M-- / -B- / --T / --- the menu
// widgets shown, u editor update, x editor Escape, n editor entered, p play
// update, L level left.
class RecordingHooks : public SceneHooks {
public:
    std::string calls;
    bool testRunning = false;

    void resetMenuView() override { add("v"); }
    void updateLogo() override { add("l"); }
    void showMenuWidgets(bool m, bool b, bool t) override {
        add(std::string(m ? "M" : "-") + (b ? "B" : "-") + (t ? "T" : "-"));
    }
    void updateEditor() override { add("u"); }
    bool editorEscape() override {
        add("x");
        const bool leaves = !testRunning;
        testRunning = false;
        return leaves;
    }
    void enterEditor() override { add("n"); }
    void updatePlay() override { add("p"); }
    void leaveLevel() override { add("L"); }
    void add(const std::string& word) {
        calls += (calls.empty() || calls.back() == '|' ? "" : " ") + word;
    }
};

}  // namespace

// A button sets the scene; each row then runs one update per letter ('e'
// with Escape pressed). Entry work runs in the first update after a change
// and only then; Escape leads back to the menu, except in the main menu and
// while the editor's test run ends; a level is left once.
TEST(Scenes, EntryWorkLateOrRepeatedOrEscapeLeadsElsewhere) {
    const struct {
        int scene;
        bool testRunning;
        std::string updates, calls;
    } cases[] = {
        {MainMenu, false, "e", "v l"},
        {Tutorial, false, "..e.", "v --T|v|v --T|v l M--"},
        {LevelBrowser, false, ".e.", "v l -B-|v l -B-|v l M--"},
        {Editor, true, ".ee.", "u --- n|u x|u x --- n|v l M--"},
        {Play, false, ".e.e", "p ---|p L ---|v l M--|v l"},
    };
    for (const auto& c : cases) {
        SceneMachine m;
        RecordingHooks h;
        h.testRunning = c.testRunning;
        m.scene = c.scene;
        for (char u : c.updates) {
            m.update(u == 'e', h);
            h.calls += "|";
        }
        h.calls.pop_back();
        EXPECT_EQ(h.calls, c.calls) << c.scene;
    }
}

// Forward from the first page past the last, then back past the first: a
// wrap anywhere but past either end shows as a wrong letter.
TEST(TutorialBook, PagesWrapOnlyPastTheEnds) {
    TutorialBook book;
    book.setPages({"a", "b", "c"});
    std::string seen;
    for (int i = 0; i < 4; ++i, book.next()) seen += book.current();
    for (int i = 0; i < 4; ++i, book.previous()) seen += book.current();
    EXPECT_EQ(seen, "abcabacb");
}

// The whole game on the test window, driven through its buttons: the
// tutorial keeps its page when left for the menu and entered again, and
// PREVIOUS PAGE turns back one page.
TEST(GameTutorial, PageLostOnReEnteringOrPreviousNotOnePageBack) {
    nktest::Engine& e = nktest::engine();
    nktest::resetInput();
    Game game;
    game.display = e.display;
    game.view = e.view;
    game.input = e.input;
    game.renderContext = e.renderContext;
    {
        nktest::LogCapture quiet;  // the start line
        game.create();
        game.load();
    }
    // One update per letter as the loop runs it: a click on the menu's
    // "Tutorial" (T), on "NEXT PAGE" (N) or "PREVIOUS PAGE" (P), Escape
    // pressed (e), or neither (.).
    auto play = [&](const std::string& steps) {
        for (char step : steps) {
            const NK::Vec2 at = step == 'T'   ? NK::Vec2(672, 760)
                                : step == 'N' ? NK::Vec2(1700, 115)
                                : step == 'P' ? NK::Vec2(1450, 115)
                                              : NK::Vec2(1900, 1060);
            e.input->mouse.x = static_cast<int>(at.x * e.display->windowWidth / 1920.0f);
            e.input->mouse.y = static_cast<int>(at.y * e.display->windowHeight / 1080.0f);
            e.input->mousePressed[1] = step != 'e' && step != '.';
            e.input->keyPressed[ALLEGRO_KEY_ESCAPE] = step == 'e';
            game.update();
            e.input->endUpdate();
        }
    };
    play("T.N");
    ASSERT_EQ(game.tutorialBook.current(), "tutorial_editor_main");
    play("e.T.");
    ASSERT_EQ(game.scene(), Tutorial);
    EXPECT_EQ(game.tutorialBook.current(), "tutorial_editor_main");
    play("P");
    EXPECT_EQ(game.tutorialBook.current(), "tutorial_game");
    game.destroy();
    nktest::resetDrawing();
    nktest::resetInput();
}
