

#include "game/Game.h"
#include "game/SceneMachine.h"
#include "game/TutorialBook.h"
#include "tests/support/Testing.h"

namespace {

// Records what each update asked of the game, in order.
class RecordingHooks : public SceneHooks {
public:
    std::vector<std::string> calls;
    bool testRunning = false;

    void resetMenuView() override { calls.push_back("view"); }
    void updateLogo() override { calls.push_back("logo"); }
    void showMenuWidgets(bool m, bool b, bool t) override {
        calls.push_back(std::string("show:") + (m ? "M" : "-") + (b ? "B" : "-") + (t ? "T" : "-"));
    }
    void updateEditor() override { calls.push_back("editor"); }
    bool editorEscape() override {
        calls.push_back("editorEscape");
        const bool leaves = !testRunning;
        testRunning = false;
        return leaves;
    }
    void enterEditor() override { calls.push_back("enterEditor"); }
    void updatePlay() override { calls.push_back("play"); }
    void leaveLevel() override { calls.push_back("leaveLevel"); }
};

class Scenes : public testing::Test {
protected:
    int count(const std::string& what) const {
        int n = 0;
        for (const auto& c : h.calls) n += c == what;
        return n;
    }
    SceneMachine m;
    RecordingHooks h;
};

}  // namespace

TEST_F(Scenes, EscapeInMainMenuGoesNowhere) {
    m.update(true, h);
    EXPECT_EQ(m.scene, MainMenu);
    EXPECT_EQ(count("show:M--"), 0) << "the menu was never left, so nothing is re-entered";
}

TEST_F(Scenes, EntryWorkLateOrRepeatedAfterAChange) {
    m.scene = Tutorial;  // what a button callback does
    m.update(false, h);
    EXPECT_EQ(count("show:--T"), 1) << "the first update after the change enters the scene";
    EXPECT_EQ(m.previousScene, Tutorial);
    m.update(false, h);
    m.update(false, h);
    EXPECT_EQ(count("show:--T"), 1);
}

TEST_F(Scenes, SwitchingAwayAndBackInOneTickIsInvisible) {
    m.update(false, h);
    h.calls.clear();
    m.scene = LevelBrowser;
    m.scene = MainMenu;
    m.update(false, h);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"view", "logo"}));
}

TEST_F(Scenes, EscapeLeavesBrowserAndTutorialBackToTheMenuAndOnlyTheBrowserRunsTheLogo) {
    for (int from : {LevelBrowser, Tutorial}) {
        h.calls.clear();
        m.scene = from;
        m.update(false, h);
        m.update(true, h);
        EXPECT_EQ(m.scene, MainMenu);
        EXPECT_EQ(count("logo"), from == LevelBrowser ? 2 : 0) << from;
        m.update(false, h);
        EXPECT_EQ(count("show:M--"), 1) << "menu entered once after Escape from " << from;
    }
}

TEST_F(Scenes, EscapeDuringTestRunStaysInEditorSecondEscapeLeaves) {
    m.scene = Editor;
    m.update(false, h);
    h.testRunning = true;
    m.update(true, h);
    EXPECT_EQ(m.scene, Editor);
    EXPECT_EQ(count("enterEditor"), 1) << "ending a test run is not re-entering the editor";
    m.update(true, h);
    EXPECT_EQ(m.scene, MainMenu);
}

TEST_F(Scenes, EscapeInPlayLeavesTheLevelOnceAndReturnsToMenu) {
    m.scene = Play;
    m.update(false, h);
    m.update(true, h);
    EXPECT_EQ(m.scene, MainMenu);
    m.update(true, h);
    EXPECT_EQ(count("leaveLevel"), 1);
}

// Forward from the first page, then back from the third: a wrap anywhere
// but past either end shows as a wrong letter.
TEST(TutorialBook, PagesWrapOnlyPastTheEnds) {
    TutorialBook book;
    book.setPages({"a", "b", "c", "d", "e"});
    std::string seen;
    for (int i = 0; i < 6; ++i, book.next()) seen += book.current();
    book.next();
    for (int i = 0; i < 4; ++i, book.previous()) seen += book.current();
    EXPECT_EQ(seen, "abcdea" + std::string("cbae"));
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
    // One update as the loop runs it, the pointer on a logical point and
    // 'c' the left button pressed, 'e' Escape pressed, '.' neither.
    auto tick = [&](float x, float y, char press) {
        NK::Input& in = *e.input;
        in.mouse.x = static_cast<int>(x * e.display->windowWidth / 1920.0f);
        in.mouse.y = static_cast<int>(y * e.display->windowHeight / 1080.0f);
        in.mousePressed[1] = press == 'c';
        in.keyPressed[ALLEGRO_KEY_ESCAPE] = press == 'e';
        game.update();
        in.endUpdate();
    };
    tick(672, 760, 'c');  // the menu's "Tutorial"
    tick(1900, 1060, '.');
    tick(1700, 115, 'c');  // "NEXT PAGE"
    ASSERT_EQ(game.tutorialBook.current(), "tutorial_editor_main");
    tick(1900, 1060, 'e');
    tick(1900, 1060, '.');
    ASSERT_EQ(game.scene(), MainMenu);
    tick(672, 760, 'c');
    tick(1900, 1060, '.');
    ASSERT_EQ(game.scene(), Tutorial);
    EXPECT_EQ(game.tutorialBook.current(), "tutorial_editor_main");
    tick(1450, 115, 'c');  // "PREVIOUS PAGE"
    EXPECT_EQ(game.tutorialBook.current(), "tutorial_game");
    game.destroy();
    nktest::resetDrawing();
    nktest::resetInput();
}
