#include "editor/EditorFrame.h"
#include "elements/Level.h"
#include "tests/game/GameKit.h"

namespace {

using gamekit::game;
using gamekit::tick;

// Adds to `faults` every widget that is on, and so takes clicks, but that
// the frame does not draw. (Where each widget sits, and that none lies off
// the screen or on another, the screen table holds in these same states.)
void check(const std::string& screen, std::vector<std::string>& faults) {
    for (const std::string& f : game().strayWidgets()) faults.push_back(screen + ": " + f);
}

}  // namespace

// Every screen a player or a designer reaches, the editor opened on the
// menu's first tick (it is built over the menu's first ticks; one left
// sooner must still be whole) with every page on both rows of the tab bar
// and a test run: nothing on is left undrawn, and the win window's buttons
// come up at half strength. (That each page shows its widgets: the screen
// table, page by page.)
TEST(Layout, WidgetShownUndrawnOnAnyScreenOrWinButtonsAtFullStrength) {
    Game& g = gamekit::restart(false);
    std::vector<std::string> faults;
    gamekit::click("main_button_1");  // Editor
    tick();
    ASSERT_EQ(g.scene(), Editor);
    check("editor import/export", faults);
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        const std::string key = Level::tabs()[tab].key;
        gamekit::click(key);
        tick();
        check(key, faults);
    }
    tick({ALLEGRO_KEY_SPACE});
    ASSERT_TRUE(g.editor->tabs.testRunning);
    check("test run", faults);
    tick({ALLEGRO_KEY_ESCAPE});
    tick({ALLEGRO_KEY_ESCAPE});
    tick();

    for (Scene s : {MainMenu, LevelBrowser, Tutorial}) {
        gamekit::open(s);
        check("scene " + std::to_string(s), faults);
    }
    PlayInput right;
    right.right = true;
    g.replayInput = &right;
    g.playMap("tests/data/replays/walk.txt");
    tick();
    check("play", faults);
    for (int i = 0; i < 1200 && !g.play->won; ++i) tick();
    check("win window", faults);
    EXPECT_EQ(g.gui->buttonImages().get("restart").alpha.current, 0.5f);
    gamekit::leave();
    EXPECT_EQ(faults, std::vector<std::string>{});
}
