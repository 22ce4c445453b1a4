// Every screen against its table (tests/data/screens/): the real game is
// driven into each state of each scene and editor page as a player or a
// designer reaches it, and what it shows there (keys, texts, places and the
// order each kind is drawn in) must be what the table holds for that state.
#include "editor/EditorFrame.h"
#include "game/LevelBrowserScreen.h"
#include "tests/game/GameKit.h"
#include "tools/screens/ScreenProbe.h"

namespace {

using gamekit::game;
using gamekit::tick;

const ScreenTable& table() {
    static const ScreenTable loaded = [] {
        std::string error;
        ScreenTable t =
            ScreenTable::load(std::string(NK_SOURCE_DIR) + "/tests/data/screens", error);
        EXPECT_EQ(error, "");
        return t;
    }();
    return loaded;
}

// Adds to `faults` how the screen differs from the table's rows for `state`
// (or that the game is in another state), each line naming the state.
void check(const std::string& state, std::vector<std::string>& faults,
           const ScreenTable::Vars& vars = {}) {
    const std::string now = ScreenProbe::state(game());
    if (now != state) {
        faults.push_back("the game is in \"" + now + "\", not in \"" + state + "\"");
        return;
    }
    for (const std::string& f : ScreenProbe::faults(game(), table(), vars, true))
        faults.push_back(f);
}

std::string lines(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& f : faults) text += "\n  " + f;
    return text;
}

// A pack's page as a fresh copy of the game shows it: its first `open`
// levels open, the rest locked.
ScreenTable::Vars page(const std::string& pack, std::vector<std::string> levels, int open) {
    ScreenTable::Vars vars{{"pack", pack}};
    for (int i = 0; i < 5; ++i) {
        vars["level" + std::to_string(i)] = levels[static_cast<std::size_t>(i)];
        vars["lock" + std::to_string(i)] = i < open ? "green" : "red";
    }
    return vars;
}

void clickIn(NK::GUISystem& gui, const std::string& key) {
    gui.getButton(key).first(key);
    tick();
}

}  // namespace

TEST(Screens, MenuBrowserOrTutorialWidgetMissingExtraMislabelledOrMisplaced) {
    std::vector<std::string> faults;
    gamekit::open(MainMenu);
    check("menu", faults);

    const std::vector<std::string> outer = {"Gaps", "Lever", "Watcher", "Crates", "Breach"};
    gamekit::open(LevelBrowser);
    check("browser", faults, page("Outer Ring", outer, 1));
    gamekit::click("levels_button_right");
    check("browser", faults,
          page("Deep Core", {"Relay", "Blackout", "Sentries", "Rooftop", "Core"}, 1));
    gamekit::click("levels_button_left");
    // Gaps won: Lever opens and turns green.
    game().levelBrowser().levelWon(0);
    tick();
    check("browser", faults, page("Outer Ring", outer, 2));

    gamekit::open(Tutorial);
    for (int pageShown = 0; pageShown < 5; ++pageShown) {
        check("tutorial", faults);
        gamekit::click("tutorial_button_next");
    }
    gamekit::open(MainMenu);
    EXPECT_TRUE(faults.empty()) << lines(faults);
}

TEST(Screens, PlayWidgetInTheHudOrMissingFromTheWinOrLoseWindow) {
    Game& g = game();
    std::vector<std::string> faults;
    PlayInput right;
    right.right = true;
    g.replayInput = &right;
    g.playMap("tests/data/replays/walk.txt");
    tick();
    check("play", faults);
    for (int i = 0; i < 1200 && !g.play->won; ++i) tick();
    check("play/won", faults);
    gamekit::leave();

    g.replayInput = &right;
    g.playMap("tests/data/replays/fall.txt");
    for (int i = 0; i < 1200 && !g.play->lost; ++i) tick();
    check("play/lost", faults);
    gamekit::leave();
    EXPECT_TRUE(faults.empty()) << lines(faults);
}

TEST(Screens, EditorFramePageOrTestRunWidgetMissingExtraMislabelledOrMisplaced) {
    Game& g = game();
    std::vector<std::string> faults;
    // The editor as a designer first sees it: no message left from a level
    // loaded a moment ago.
    gamekit::open(MainMenu);
    gamekit::ticks(ImportExportPanel::messageTicks + 1);
    gamekit::open(Editor);
    check("editor/io/row0", faults);
    const char* const tabs[] = {"player",      "gate",     "enemies", "levers",  "dialogs", "npcs",
                                "backgrounds", "surfaces", "boxes",   "circles", "lights"};
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        gamekit::click(tabs[tab]);
        tick();
        check(std::string("editor/") + tabs[tab] +
                  (tab < EditorTabs::firstOfRow1 ? "/row0" : "/row1"),
              faults);
    }
    tick({ALLEGRO_KEY_SPACE});
    check("editor/run/row1", faults);
    gamekit::click("change");
    tick();
    check("editor/run/row0", faults);
    // The run ends on the tab it left, with the row switched to during it.
    tick({ALLEGRO_KEY_ESCAPE});
    tick();
    check("editor/lights/row0", faults);
    gamekit::click("importexport");
    tick();
    check("editor/io/row0", faults);
    gamekit::click("change");
    tick();
    check("editor/io/row1", faults);
    tick({ALLEGRO_KEY_ESCAPE});
    tick();
    EXPECT_EQ(g.scene(), MainMenu);
    EXPECT_TRUE(faults.empty()) << lines(faults);
}

TEST(Screens, RecoverShownWithoutACrashCopyOrMissingWhileOneIsOffered) {
    std::vector<std::string> faults;
    // A game that ended mid-edit left its copy; the next one offers it.
    nktest::writeFile(
        game().importExport->recoveryPath,
        nktest::contentsOf(std::string(NK_SOURCE_DIR) + "/tests/data/replays/walk.txt"));
    Game& g = gamekit::restart(true);
    gamekit::open(Editor);
    check("editor/io/row0/recover", faults);
    gamekit::click("change");
    tick();
    check("editor/io/row1/recover", faults);
    // Starting another level ends the offer.
    clickIn(g.importExport->widgets(), "new");
    check("editor/io/row1", faults);
    tick({ALLEGRO_KEY_ESCAPE});
    tick();
    EXPECT_EQ(g.scene(), MainMenu);
    EXPECT_TRUE(faults.empty()) << lines(faults);
}
