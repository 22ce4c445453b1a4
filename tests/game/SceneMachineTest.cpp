

#include "game/SceneMachine.h"

#include <tuple>

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
    bool editorEscape() override {  // leaves the editor unless it ends the test run
        add("x");
        return !std::exchange(testRunning, false);
    }
    void enterEditor() override { add("n"); }
    void updatePlay() override { add("p"); }
    void leaveLevel() override { add("L"); }
    void add(const std::string& w) { calls += calls.empty() || calls.back() == '|' ? w : " " + w; }
};

}  // namespace

// A button sets the scene; each row then runs one update per letter ('e'
// with Escape pressed). Entry work runs in the first update after a change
// and only then; Escape leads back to the menu, except in the main menu and
// while the editor's test run ends; a level is left once.
TEST(Scenes, EntryWorkLateOrRepeatedOrEscapeLeadsElsewhere) {
    const std::tuple<int, std::string, std::string> cases[] = {
        {MainMenu, "e", "v l"},
        {Tutorial, "..e.", "v --T|v|v --T|v l M--"},
        {LevelBrowser, ".e.", "v l -B-|v l -B-|v l M--"},
        {Editor, ".ee.", "u --- n|u x|u x --- n|v l M--"},  // in a test run
        {Play, ".e.e", "p ---|p L ---|v l M--|v l"},
    };
    for (const auto& [scene, updates, calls] : cases) {
        SceneMachine m;
        RecordingHooks h;
        h.testRunning = scene == Editor;
        m.scene = scene;
        for (char u : updates) {
            m.update(u == 'e', h);
            h.calls += "|";
        }
        EXPECT_EQ(h.calls, calls + "|") << scene;
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
