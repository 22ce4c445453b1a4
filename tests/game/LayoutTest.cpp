#include "editor/EditorFrame.h"
#include "tests/game/GameKit.h"

namespace {

using gamekit::game;
using gamekit::tick;

// Adds the faults of the screen as it is to `faults`: a widget shown that the
// frame does not draw, and of what a player can click (every widget on, each
// named by its system, that is not a plain label) one partly off the
// 1920x1080 screen or two that share pixels (a click there reaches one of
// them only).
void check(const std::string& screen, std::vector<std::string>& faults) {
    for (const std::string& f : game().strayWidgets()) faults.push_back(screen + ": " + f);
    std::vector<NK::ShownWidget> all;
    for (const Game::WidgetSystem& s : game().widgetSystems())
        for (NK::ShownWidget w : s.gui->shownWidgets())
            if (w.clickable()) {
                w.key = s.name + "/" + w.key;
                all.push_back(w);
            }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const NK::Rect& a = all[i].area;
        if (a.x < 0 || a.y < 0 || a.x + a.width > 1920 || a.y + a.height > 1080 || a.width <= 0 ||
            a.height <= 0)
            faults.push_back(screen + ": " + all[i].key + " off the screen");
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const NK::Rect& b = all[j].area;
            if (a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
                b.y < a.y + a.height)
                faults.push_back(screen + ": " + all[i].key + " overlaps " + all[j].key);
        }
    }
}

}  // namespace

// Every screen a player or a designer reaches, with every editor tab on
// both rows of the tab bar and a test run: nothing clickable lies off the
// screen, on another clickable widget, or undrawn.
TEST(Layout, WidgetOffTheScreenOverAnotherOrShownUndrawnOnAnyScreen) {
    Game& g = game();
    std::vector<std::string> faults;
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
    EXPECT_TRUE(g.gui->getTextLabel("win_line").visible);
    gamekit::leave();

    gamekit::open(Editor);
    check("editor import/export", faults);
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        g.editor->tabs.chooseElement(tab);
        g.editor->applyEditorTab();
        tick();
        check("editor tab " + std::to_string(tab), faults);
    }
    tick({ALLEGRO_KEY_SPACE});
    ASSERT_TRUE(g.editor->tabs.testRunning);
    check("test run", faults);
    tick({ALLEGRO_KEY_ESCAPE});
    tick({ALLEGRO_KEY_ESCAPE});
    tick();
    EXPECT_EQ(faults, std::vector<std::string>{});
}
