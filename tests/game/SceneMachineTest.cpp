#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/SceneMachine.h"
#include "game/TutorialBook.h"

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
        if (testRunning) {
            testRunning = false;
            return false;
        }
        return true;
    }
    void enterEditor() override { calls.push_back("enterEditor"); }
    void updatePlay() override { calls.push_back("play"); }
    void leaveLevel() override { calls.push_back("leaveLevel"); }

    int count(const std::string& what) const {
        int n = 0;
        for (const auto& c : calls) n += c == what;
        return n;
    }
};

}  // namespace

TEST(SceneMachine, EscapeInMainMenuGoesNowhere) {
    SceneMachine m;
    RecordingHooks h;
    m.update(true, h);
    EXPECT_EQ(m.scene, MainMenu);
    EXPECT_EQ(h.count("show:M--"), 0) << "the menu was never left, so nothing is re-entered";
}

TEST(SceneMachine, EntryWorkRunsOnceOnTheFirstUpdateAfterAChange) {
    SceneMachine m;
    RecordingHooks h;
    m.scene = Tutorial;  // what a button callback does
    EXPECT_TRUE(h.calls.empty()) << "the callback itself shows or hides nothing";
    m.update(false, h);
    m.update(false, h);
    m.update(false, h);
    EXPECT_EQ(h.count("show:--T"), 1);
    EXPECT_EQ(m.previousScene, Tutorial);
}

TEST(SceneMachine, SwitchingAwayAndBackInOneTickIsInvisible) {
    SceneMachine m;
    RecordingHooks h;
    m.update(false, h);
    h.calls.clear();
    m.scene = LevelBrowser;
    m.scene = MainMenu;
    m.update(false, h);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"view", "logo"}));
}

TEST(SceneMachine, EscapeLeavesBrowserAndTutorialBackToTheMenu) {
    for (int from : {LevelBrowser, Tutorial}) {
        SceneMachine m;
        RecordingHooks h;
        m.scene = from;
        m.update(false, h);
        m.update(true, h);
        EXPECT_EQ(m.scene, MainMenu);
        m.update(false, h);
        EXPECT_EQ(h.count("show:M--"), 1) << "menu entered once after Escape from " << from;
    }
}

TEST(SceneMachine, TutorialDoesNotRunTheLogo) {
    SceneMachine m;
    RecordingHooks h;
    m.scene = Tutorial;
    m.update(false, h);
    EXPECT_EQ(h.count("logo"), 0);
    m.scene = LevelBrowser;
    m.update(false, h);
    EXPECT_EQ(h.count("logo"), 1);
}

TEST(SceneMachine, EscapeDuringTestRunStaysInEditorSecondEscapeLeaves) {
    SceneMachine m;
    RecordingHooks h;
    m.scene = Editor;
    m.update(false, h);
    EXPECT_EQ(h.count("enterEditor"), 1);
    h.testRunning = true;
    m.update(true, h);
    EXPECT_EQ(m.scene, Editor);
    EXPECT_EQ(h.count("enterEditor"), 1) << "ending a test run is not re-entering the editor";
    m.update(true, h);
    EXPECT_EQ(m.scene, MainMenu);
}

TEST(SceneMachine, EscapeInPlayLeavesTheLevelOnceAndReturnsToMenu) {
    SceneMachine m;
    RecordingHooks h;
    m.scene = Play;
    m.update(false, h);
    m.update(true, h);
    EXPECT_EQ(h.count("leaveLevel"), 1);
    EXPECT_EQ(m.scene, MainMenu);
    m.update(true, h);
    EXPECT_EQ(h.count("leaveLevel"), 1);
}

TEST(TutorialBook, PagesWrapBothWaysAndTheBookRemembersItsPage) {
    TutorialBook book;
    book.setPages({"a", "b", "c", "d", "e"});
    book.previous();
    EXPECT_EQ(book.current(), "e");
    book.next();
    EXPECT_EQ(book.current(), "a");
    book.next();
    book.next();
    book.next();
    EXPECT_EQ(book.page, 3);
    // Leaving and coming back is nothing but not touching the book.
    EXPECT_EQ(book.current(), "d");
    book.next();
    book.next();
    EXPECT_EQ(book.current(), "a");
}
