// Every screen against its table (tests/data/screens/): the real game is
// driven into each state of each scene and editor page as a player or a
// designer reaches it, and what it shows there (keys, texts, places and the
// order each kind is drawn in) must be what the table holds for that state.
#include <algorithm>
#include <functional>
#include <set>

#include "editor/EditorFrame.h"
#include "elements/EditorPanel.h"
#include "game/LevelBrowserScreen.h"
#include "tests/game/GameKit.h"
#include "tests/screens/Frames.h"
#include "tools/monkey/Census.h"
#include "tools/screens/ScreenProbe.h"

namespace {

using gamekit::game;
using gamekit::tick;

const ScreenTable& table() {
    static std::string error;
    static const ScreenTable loaded =
        ScreenTable::load(std::string(NK_SOURCE_DIR) + "/tests/data/screens", error);
    EXPECT_EQ(error, "");
    return loaded;
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

// The player held walking one way for as long as a level plays.
PlayInput walking(bool right) {
    PlayInput in;
    (right ? in.right : in.left) = true;
    return in;
}
const PlayInput walkLeft = walking(false), walkRight = walking(true);

const char* const tabs[] = {"player",      "gate",     "enemies", "levers",  "dialogs", "npcs",
                            "backgrounds", "surfaces", "boxes",   "circles", "lights"};

// Each element tab opened in turn from the first, the row changed where the
// second row begins, and `shown` given its state's name once the
// page has had `settle` ticks.
void eachTab(int settle, const std::function<void(const std::string&)>& shown) {
    for (int tab = 0; tab < EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        gamekit::click(tabs[tab]);
        gamekit::ticks(settle);
        shown(std::string("editor/") + tabs[tab] +
              (tab < EditorTabs::firstOfRow1 ? "/row0" : "/row1"));
    }
}

// The editor as a designer first sees it: no message left from a level
// loaded a moment ago.
void openFreshEditor() {
    gamekit::open(MainMenu);
    gamekit::ticks(ImportExportPanel::messageTicks + 1);
    gamekit::open(Editor);
}

// A key pressed for a tick, then a tick with none.
void press(int key) {
    tick({key});
    tick();
}

}  // namespace

// Each test gathers how every state it reaches differs from the table and
// from its approved frame, and fails once at its end with all of them.
class Screens : public testing::Test {
protected:
    void TearDown() override {
        std::string text;
        for (const std::string& f : faults) text += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << text;
    }
    // Adds how the screen differs from the table's rows for `state` (or that
    // the game is in another state), each line naming the state, and how its
    // frame differs from the approved one named `shot` (the state's name,
    // when the state shows only one picture). `fresh` holds the values the
    // table gives as first shown, on a level just made.
    void check(const std::string& state, const ScreenTable::Vars& vars = {}, std::string shot = "",
               bool fresh = true) {
        // "state+moment": a moment of the state that the table holds apart.
        const std::size_t plus = state.find('+');
        const std::string now = ScreenProbe::state(game());
        if (now != state.substr(0, plus)) {
            faults.push_back("the game is in \"" + now + "\", not in \"" + state + "\"");
            return;
        }
        const std::string moment = plus == std::string::npos ? "" : state.substr(plus + 1);
        for (const std::string& f : ScreenProbe::faults(game(), table(), vars, fresh, moment))
            faults.push_back(f);
        if (shot.empty()) shot = state;
        for (char& c : shot)
            if (c == '/' || c == '+') c = '-';
        const std::string frameFault = frames::compare(shot);
        if (!frameFault.empty()) faults.push_back(frameFault);
    }
    std::vector<std::string> faults;
};

TEST_F(Screens, MenuBrowserOrTutorialWidgetMissingExtraMislabelledOrMisplaced) {
    gamekit::open(MainMenu);
    check("menu");

    const std::vector<std::string> outer = {"Gaps", "Lever", "Watcher", "Crates", "Breach"};
    gamekit::open(LevelBrowser);
    check("browser", page("Outer Ring", outer, 1), "browser-outer");
    // A comparison that told no screen from another would pass them all.
    std::string told;
    for (const std::string& f : table().compare("menu", ScreenProbe::seen(game()), {}, true))
        told += f.substr(0, f.find(':')) + "\n";
    EXPECT_TRUE(told.find("missing\n") != told.npos && told.find("extra\n") != told.npos) << told;
    const std::vector<std::string> deep = {"Relay", "Blackout", "Sentries", "Rooftop", "Core"};
    gamekit::click("levels_button_right");
    check("browser", page("Deep Core", deep, 1), "browser-deep");
    gamekit::click("levels_button_left");
    // Gaps won: Lever opens and turns green.
    game().levelBrowser().levelWon(0);
    tick();
    check("browser", page("Outer Ring", outer, 2), "browser-outer-won");

    gamekit::open(Tutorial);
    for (int pageShown = 0; pageShown < 5; ++pageShown) {
        check("tutorial", {}, "tutorial-" + std::to_string(pageShown));
        gamekit::click("tutorial_button_next");
    }
    gamekit::open(MainMenu);
}

TEST_F(Screens, PlayWidgetInTheHudOrMissingFromTheWinOrLoseWindow) {
    Game& g = game();
    g.setReplayInput(&walkRight);
    g.playMap("tests/data/replays/walk.txt");
    tick();
    check("play");
    // The editor's page reports every load, a level's in play too.
    EXPECT_EQ(g.importExport().widgets().getTextLabel("load_info").text, "Loaded");
    for (int i = 0; i < 1200 && !g.play().won; ++i) tick();
    check("play/won");
    gamekit::leave();

    g.setReplayInput(&walkRight);
    g.playMap("tests/data/replays/fall.txt");
    for (int i = 0; i < 1200 && !g.play().lost; ++i) tick();
    check("play/lost");
    gamekit::leave();

    // Aimed with a controller's stick: the reticle shows where a shot goes.
    PlayInput aimed = walkRight;
    aimed.aim = {0.6f, -0.8f};
    g.setReplayInput(&aimed);
    g.playMap("tests/data/replays/walk.txt");
    gamekit::ticks(10);
    check("play", {}, "play-pad");
    gamekit::leave();
}

TEST_F(Screens, EditorFramePageOrTestRunWidgetMissingExtraMislabelledOrMisplaced) {
    openFreshEditor();
    check("editor/io/row0");
    eachTab(1, [&](const std::string& state) { check(state); });
    tick({ALLEGRO_KEY_SPACE});
    check("editor/run/row1");
    gamekit::press("change");
    check("editor/run/row0");
    // The run ends on the tab it left, with the row switched to during it.
    press(ALLEGRO_KEY_ESCAPE);
    check("editor/lights/row0");
    gamekit::press("importexport");
    check("editor/io/row0");
    gamekit::press("change");
    check("editor/io/row1");
    press(ALLEGRO_KEY_ESCAPE);
    EXPECT_EQ(game().scene(), MainMenu);
}

// Every kind drawn in the level (twice: the page dims the one not chosen)
// and its first element's values on its page,
// then the same level in play while the player walks into its camera's
// sight and turns back, its lights blink and its NPC walks. Then every
// button of every page clicked in turn on the level loaded afresh: after
// each click the page still shows its selected element as it would afresh,
// never a value left from before the click.
TEST_F(Screens, ElementDrawnWrongOrItsPageShowingAnotherElementsValuesOrAStaleOne) {
    Game& g = game();
    const std::string map = nktest::sourcePath("tests/data/maps/two_of_each.txt");
    gamekit::open(Editor);
    g.importExport().loadMap(map);
    // Long enough for the other elements to fade to dim.
    eachTab(30, [&](const std::string& state) { check(state, {}, state + "/every", false); });
    // The test run, started from a page that dims the other elements and
    // walking into the camera's sight: every picture at full strength, and
    // the sight rays drawn.
    gamekit::click("change");
    gamekit::click("levers");
    gamekit::ticks(30);
    gamekit::hold(ALLEGRO_KEY_D);
    tick({ALLEGRO_KEY_SPACE});
    gamekit::ticks(90);
    check("editor/run/row0", {}, "editor-run-row0-every", false);
    gamekit::hold(ALLEGRO_KEY_D, false);
    press(ALLEGRO_KEY_ESCAPE);
    press(ALLEGRO_KEY_ESCAPE);

    g.setReplayInput(&walkRight);
    g.playMap(map);
    tick();
    for (int shot = 0; shot < 4; ++shot) {
        check("play", {}, "play-every-" + std::to_string(shot));
        // The last shot after turning round: pictures drawn mirrored.
        if (shot == 2) g.setReplayInput(&walkLeft);
        gamekit::ticks(shot == 2 ? 20 : 60);
    }
    gamekit::leave();

    gamekit::open(Editor);
    g.importExport().loadMap(map);
    eachTab(1, [&](const std::string&) {
        NK::GUISystem& page = g.editor().activePanel()->widgetSystem();
        std::vector<std::string> buttons;
        for (const NK::ShownWidget& w : page.shownWidgets())
            if (w.kind == NK::ShownWidget::Button) buttons.push_back(w.key);
        // A third of the kind, chosen, so stepping back and on moves.
        if (std::count(buttons.begin(), buttons.end(), "add")) gamekit::press("add", &page);
        for (const std::string& key : buttons) {
            gamekit::press(key, &page);
            for (const std::string& f : ScreenProbe::staleFields(g))
                faults.push_back("after " + key + ": " + f);
        }
    });
    gamekit::click("change");
    press(ALLEGRO_KEY_ESCAPE);
}

TEST_F(Screens, RecoverShownWithoutACrashCopyOrMissingWhileOneIsOffered) {
    // A game that ended mid-edit left its copy; the next one offers it.
    nktest::writeFile(
        game().importExport().recoveryPath,
        nktest::contentsOf(std::string(NK_SOURCE_DIR) + "/tests/data/replays/walk.txt"));
    Game& g = gamekit::restart(true);
    gamekit::open(Editor);
    check("editor/io/row0/recover");
    gamekit::press("change");
    check("editor/io/row1/recover");
    // Starting another level ends the offer.
    gamekit::press("new", &g.importExport().widgets());
    check("editor/io/row1");
    press(ALLEGRO_KEY_ESCAPE);
    EXPECT_EQ(g.scene(), MainMenu);
}

// On a level just made, each list page's ADD: the new element stands where
// the view shows it with its kind's first values, chosen, and the page says
// so. A Ctrl+click then copies it where the pointer is and leaves the one
// copied chosen. Both removed, the level holds what it held before.
TEST_F(Screens, NewElementsFirstValuesOrACopysChoiceWrongOrAnElementLeftBehind) {
    Game& g = game();
    openFreshEditor();
    eachTab(1, [&](const std::string& state) {
        NK::GUISystem& page = g.editor().activePanel()->widgetSystem();
        std::set<std::string> buttons;
        for (const NK::ShownWidget& w : page.shownWidgets())
            if (w.kind == NK::ShownWidget::Button) buttons.insert(w.key);
        // Boxes and circles add a static one first; a picture needs one chosen.
        const std::string add = buttons.count("add_s") ? "add_s" : "add";
        if (!buttons.count(add)) return;
        const Census before = takeCensus(g);
        if (buttons.count("set_precreated")) gamekit::press("set_precreated", &page);
        gamekit::press(add, &page);
        gamekit::ticks(30);
        check(state + "+added");
        gamekit::hold(ALLEGRO_KEY_LCTRL);
        gamekit::pointAt(500, 800);
        gamekit::clickHere();
        gamekit::hold(ALLEGRO_KEY_LCTRL, false);
        gamekit::ticks(30);
        check(state + "+copied");
        gamekit::press("remove", &page);
        gamekit::press("remove", &page);
        for (const std::string& d : differences(before, takeCensus(g)))
            faults.push_back(state + " with both removed: " + d);
    });
    gamekit::click("change");
    press(ALLEGRO_KEY_ESCAPE);
}
