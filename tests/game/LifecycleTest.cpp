// What a level leaves behind: once it is left, restarted, ends its test run
// or gives way to NEW, LOAD or RECOVER, every store of the game holds what
// it held before the level came (tools/monkey/Census.h); while it runs,
// every element has exactly its body, card, picture and light.
#include <cstdio>
#include <functional>

#include "editor/EditorFrame.h"
#include "elements/Circles.h"
#include "elements/Level.h"
#include "elements/Player.h"
#include "engine/View.h"
#include "tests/game/GameKit.h"
#include "tools/monkey/Census.h"

namespace {

using gamekit::game;
using gamekit::tick;
const std::vector<std::string> none;

// The test map: every kind of record, its circle crumbling a tenth of a
// second after a touch. Written beside the shipped maps of the game's own
// folder, as a designer saves one, and removed with every map saved there
// and the recovery copy.
const std::string mapName = "lifecycle.txt";
const std::string recovery = "Editor/Levels/.recovery.txt";
void writeMap(const std::string& path) {
    std::string text = nktest::contentsOf(nktest::sourcePath("tests/data/maps/every_record.txt"));
    const std::size_t circle = text.find("\nC ");
    const std::size_t delay = text.rfind(' ', text.find('\n', circle + 1)) + 1;
    text.replace(delay, text.find('\n', delay) - delay, "0.100000");
    nktest::writeFile(path, text);
}
void removeMaps() {
    for (const std::string& name : gamekit::savedMaps())
        std::remove(("Editor/Levels/" + name).c_str());
    std::remove(recovery.c_str());
}

void loadNamed(Game& g, const std::string& name) {
    g.importExport().widgets().setTextInputText("load_path", name);
    gamekit::press("load", &g.importExport().widgets());
}

bool running(Game& g) {
    return g.scene() == Play || (g.scene() == Editor && g.editor().tabs.testRunning);
}

// Up to `count` ticks of a running level, until `done`: walking right,
// firing every 15th tick at level point `target`, R on tick `restartAt`. The
// rule of a running level is checked after each tick; the first breach ends
// the play, as does the end of a test run.
void playLevel(
    Game& g, int count, NK::Vec2 target, int restartAt = -1,
    const std::function<bool()>& done = [] { return false; }) {
    PlayInput in;
    g.setReplayInput(&in);
    for (int t = 0; t < count && running(g) && !done(); ++t) {
        const NK::Rect v = g.view->rect();
        in.pointer = {(target.x - v.x) * 1920.0f / v.width, (target.y - v.y) * 1080.0f / v.height};
        in.right = true;
        in.firePressed = t % 15 == 0;
        in.restartPressed = t == restartAt;
        tick();
        const std::vector<std::string> breaches = running(g) ? runMismatches(g) : none;
        if (!breaches.empty()) {
            ADD_FAILURE() << "tick " << t << ": " << testing::PrintToString(breaches);
            break;
        }
    }
    g.setReplayInput(nullptr);
}

const NK::Vec2 circleAt{1140.0f, 640.0f}, cameraAt{1200.0f, 300.0f};

}  // namespace

// Played from the level browser: a pack's level left by Escape, the test map
// loaded by name, played until its circle crumbles under fire, restarted
// with R as it crumbles and shots fly, deleted, then left by Escape. The census after each
// start, restart and end is the one before.
TEST(LevelLifecycle, LevelLeftOrRestartedKeepsABodyCardPictureLightPlayOrFileOfItsOwn) {
    Game& g = game();
    writeMap("Editor/Levels/" + mapName);
    g.importExport().clearMap();  // the level a played level leaves is the empty one
    gamekit::open(MainMenu);
    const Census menu = takeCensus(g);
    gamekit::open(LevelBrowser);
    for (int page = 0; page < 3; ++page) gamekit::click("levels_button_left");
    gamekit::press("levels_button_0");
    ASSERT_EQ(g.scene(), Play);
    playLevel(g, 200, {1900.0f, 700.0f});
    tick({ALLEGRO_KEY_ESCAPE});
    EXPECT_EQ(differences(menu, takeCensus(g)), none) << "left Outer Ring 1";

    gamekit::open(LevelBrowser);
    g.gui().setTextInputText("levels_load_path", mapName);
    gamekit::press("levels_load");
    ASSERT_EQ(g.scene(), Play);
    const Census started = takeCensus(g);
    // R on the tick after the circle crumbles, its animation playing.
    playLevel(g, 80, circleAt, -1, [&] { return g.level().circles->list().at(0).destroyed; });
    ASSERT_TRUE(g.level().circles->list().at(0).destroyed) << "the circle never crumbled";
    EXPECT_NE(takeCensus(g).counts.at("shots"), 0);
    playLevel(g, 1, cameraAt, 0);
    EXPECT_EQ(differences(started, takeCensus(g)), none) << "restarted with R";
    playLevel(g, 100, cameraAt);
    // Deleted while it plays, the map cannot start again: R and "restart"
    // leave the level running as it is.
    std::remove(("Editor/Levels/" + mapName).c_str());
    g.level().player->health = 2;
    tick({ALLEGRO_KEY_R});
    gamekit::press("restart");
    EXPECT_EQ(g.level().player->health, 2) << "the deleted map started again";
    tick({ALLEGRO_KEY_ESCAPE});
    EXPECT_EQ(differences(menu, takeCensus(g)), none) << "left the test map";
    removeMaps();
}

// The editor: a level made on the pages (with a card previewed) and the test
// map, each test-run, restarted and stopped; RECOVER, LOAD and NEW over
// them, each saving the level it replaces when asked. A run gives back what
// its start found; RECOVER and LOAD leave what the same map leaves loaded
// into a fresh game, NEW what a fresh editor holds.
TEST(LevelLifecycle, TestRunNewLoadOrRecoverKeepsWhatTheLevelBeforeItHeld) {
    std::remove(recovery.c_str());
    Game* g = &gamekit::restart(true);
    gamekit::open(Editor);
    const Census emptyEditor = takeCensus(*g);
    writeMap("Editor/Levels/" + mapName);
    loadNamed(*g, mapName);
    const Census loaded = takeCensus(*g);

    // A fresh game offered the test map back as its recovery copy.
    writeMap(recovery);
    g = &gamekit::restart(true);
    gamekit::open(Editor);
    ASSERT_TRUE(g->importExport().recoveryOffered());
    for (const char* tab : {"change", "lights", "change", "enemies", "npcs", "dialogs"}) {
        gamekit::press(tab);
        if (tab[0] != 'c') gamekit::press("add", &g->editor().activePanel()->widgetSystem());
    }
    gamekit::press("show_dialog", &g->editor().activePanel()->widgetSystem());
    gamekit::press("importexport");
    auto testRun = [&](const char* what) {
        const Census before = takeCensus(*g);
        gamekit::click("run");
        ASSERT_TRUE(g->editor().tabs.testRunning);
        const Census started = takeCensus(*g);
        playLevel(*g, 60, circleAt, -1, [&] { return takeCensus(*g).counts.at("shots") > 1; });
        playLevel(*g, 1, circleAt, 0);
        EXPECT_EQ(differences(started, takeCensus(*g)), none) << "R in the run of " << what;
        playLevel(*g, 90, circleAt);
        // Stopped, unless the camera's shots or the gate ended it first.
        if (g->editor().tabs.testRunning) tick({ALLEGRO_KEY_ESCAPE});
        ASSERT_EQ(g->scene(), Editor);
        EXPECT_EQ(differences(before, takeCensus(*g)), none) << "test run of " << what;
    };
    testRun("the page-made level");
    // Each level saved when asked: saves go through the text store too.
    gamekit::question = {0, true};
    gamekit::press("recover", &g->importExport().widgets());
    ASSERT_EQ(gamekit::savedMaps().size(), 2u) << "the page-made level was not saved";
    EXPECT_EQ(differences(loaded, takeCensus(*g)), none) << "RECOVER";
    testRun("the test map");
    loadNamed(*g, mapName);
    EXPECT_EQ(differences(loaded, takeCensus(*g)), none) << "LOAD";
    gamekit::press("new", &g->importExport().widgets());
    EXPECT_EQ(differences(emptyEditor, takeCensus(*g)), none) << "NEW";
    EXPECT_EQ(gamekit::question.asked, 3);
    gamekit::question = {};
    tick({ALLEGRO_KEY_ESCAPE});
    removeMaps();
}
