#include "editor/EditorFrame.h"
#include "elements/EditorPanel.h"
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
// and a test run: no page is empty, nothing on is left undrawn, and the win
// window's buttons come up at half strength.
TEST(Layout, PageEmptyOrWidgetShownUndrawnOnAnyScreenOrWinButtonsAtFullStrength) {
    Game& g = gamekit::restart(false);
    std::vector<std::string> faults;
    gamekit::click("main_button_1");  // Editor
    tick();
    ASSERT_EQ(g.scene(), Editor);
    EXPECT_FALSE(g.importExport->widgets().shownWidgets().empty());
    check("editor import/export", faults);
    const std::vector<EditorPanel*> pages = g.level->panels();
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        const std::string key = Level::tabs()[tab].key;
        gamekit::click(key);
        tick();
        EXPECT_FALSE(pages[tab]->widgetSystem().shownWidgets().empty()) << key;
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
