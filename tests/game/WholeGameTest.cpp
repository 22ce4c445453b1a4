#include "editor/EditorFrame.h"
#include "elements/Level.h"
#include "elements/Player.h"
#include "engine/PhysicsWorld.h"
#include "engine/TextFileStore.h"
#include "game/LevelPacks.h"
#include "game/Replay.h"
#include "tests/game/GameKit.h"

using gamekit::game;
using gamekit::tick;

// A shot is drawn along its flight: one falling straight down stands on the
// frame taller than it is wide. (The hearts, at full health and after hits:
// the screen table's play frames.)
TEST(Hud, AShotDrawnAcrossItsFlight) {
    PlayInput still;
    Game& g = gamekit::play("tests/data/replays/walk.txt", &still);
    gamekit::ticks(3);
    const NK::Rect v = g.view->rect();
    ALLEGRO_BITMAP* before = gamekit::frame();
    g.stores().physics.createShot({v.x + v.width / 2.0f, v.y + v.height / 4.0f}, {0.0f, 1.0f});
    ALLEGRO_BITMAP* shot = gamekit::frame();
    std::set<int> columns, rows;  // where the frame changed
    for (int y = 0; y < al_get_bitmap_height(shot); ++y)
        for (int x = 0; x < al_get_bitmap_width(shot); ++x)
            if (nktest::meanDifference(shot, x, y, before, x, y, 1, 1, 1) > 40.0)
                columns.insert(x), rows.insert(y);
    EXPECT_GT(rows.size(), 2 * columns.size()) << columns.size() << " wide, " << rows.size();
    al_destroy_bitmap(shot);
    al_destroy_bitmap(before);
    g.stores().physics.clearShots();
    gamekit::leave();
}

// A level played from the devices, not a replay: D held is right, A left and
// a left click a shot, on the very ticks they happen. The level plays each
// tick's input as it is recorded, and the replays show that input walking
// and firing, so the replay file written here proves both.
TEST(PlayFromTheDevices, HeldKeysOrAClickMissTheirTicksInPlayOrInTheRecording) {
    Game& g = game();
    const std::string recorded = nktest::tempPath("played.replay");
    g.recordNextLevel(recorded);
    g.playMap("tests/data/replays/walk.txt");
    gamekit::ticks(30);  // landed
    for (int key : {ALLEGRO_KEY_D, ALLEGRO_KEY_A}) {
        gamekit::hold(key);
        gamekit::ticks(20);
        gamekit::hold(key, false);
    }
    gamekit::ticks(80);
    g.input->mousePressed[1] = 1;
    tick();
    tick({ALLEGRO_KEY_ESCAPE});
    const ReplayParse p = parseReplay(nktest::contentsOf(recorded));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.replay.expectsPlace) << "a recording says where the player ended";
    std::string seen;
    for (int t = 0; t <= p.replay.expectedTick; ++t) {
        const PlayInput in = p.replay.inputAt(t);
        seen += in.right ? 'D' : in.left ? 'A' : in.firePressed ? 'F' : '.';
    }
    EXPECT_EQ(p.replay.mapPath + " " + seen, "tests/data/replays/walk.txt " + std::string(30, '.') +
                                                 std::string(20, 'D') + std::string(20, 'A') +
                                                 std::string(80, '.') + "F.");
    EXPECT_EQ(g.scene(), MainMenu);
}

// The browser's buttons, clicked as the pointer would: the arrows stop at the
// first and the last pack; the load field says whether a typed map is there.
// (What each pack's page shows, its levels and which are open: the screen
// table's browser rows.)
TEST(LevelBrowser, ArrowsStopAtBothEndsPagesShowWhatIsOpenAndTheFieldFindsMaps) {
    Game& g = game();
    NK::TextFileStore files;
    const std::vector<LevelPack> packs = LevelPacks::load(files, LevelPacks::listPath);
    ASSERT_GE(packs.size(), 2u);
    gamekit::open(LevelBrowser);
    NK::GUISystem& gui = g.gui();
    auto pack = [&] { return gui.getTextLabel("levels_pack_name").text; };
    for (std::size_t i = 0; i <= packs.size(); ++i) gamekit::press("levels_button_left");
    EXPECT_EQ(pack(), packs.front().name);
    gamekit::press("levels_button_right");
    EXPECT_EQ(pack(), packs[1].name);
    for (std::size_t i = 0; i < packs.size(); ++i) gamekit::press("levels_button_right");
    EXPECT_EQ(pack(), packs.back().name);
    gamekit::press("levels_button_left");
    EXPECT_EQ(pack(), packs[packs.size() - 2].name);
    for (std::size_t i = 0; i < packs.size(); ++i) gamekit::press("levels_button_left");
    // SET, a name, then SET again or Enter: the field says whether the map is there.
    for (const char* name : {"no_such_map.txt", "outer_ring_1.txt"}) {
        gamekit::press("levels_set_load_path");
        gui.setTextInputText("levels_load_path", name);
        name[0] == 'n' ? gamekit::press("levels_set_load_path") : tick({ALLEGRO_KEY_ENTER});
        const NK::GUISystem::TextLabel& found = gui.getTextLabel("levels_is_load_path");
        EXPECT_EQ(found.text + (found.textColor.g > 0.5f ? " G" : " R"),
                  name[0] == 'n' ? "Map not found R" : "Map found G");
    }
    // Typing ends with the screen: back in it, W is no letter of the name.
    gamekit::press("levels_set_load_path");
    tick({ALLEGRO_KEY_ESCAPE});
    gamekit::open(LevelBrowser);
    EXPECT_FALSE(gui.getTextInput("levels_load_path").focused);
    gamekit::open(MainMenu);
}

// The editor and a level opened before the menu's first ticks have built
// the editor. The editor entered at once has every page on both rows of the
// tab bar and its test run whole: nothing on is left undrawn, nor on the
// menu while the editor is built behind it. (The same
// screens entered later: the screen table.) The level is the same level as
// one opened later on.
TEST(StartUp, EditorOrLevelOpenedBeforeTheEditorIsBuiltDiffersFromOneOpenedLater) {
    Game& g = gamekit::restart(false);
    gamekit::press("main_button_1");  // Editor
    ASSERT_EQ(g.scene(), Editor);
    std::vector<std::string> stray = g.strayWidgets();
    for (int tab = 0; tab <= EditorTabs::elementTabs; ++tab) {
        if (tab == EditorTabs::firstOfRow1) gamekit::click("change");
        tab < EditorTabs::elementTabs ? gamekit::press(Level::tabs()[tab].key)
                                      : tick({ALLEGRO_KEY_SPACE});
        for (const std::string& f : g.strayWidgets()) stray.push_back(std::to_string(tab) + f);
    }
    EXPECT_TRUE(g.editor().tabs.testRunning);
    EXPECT_EQ(stray, std::vector<std::string>{});
    auto played = [](Game& fresh) {
        fresh.playMap("Editor/Levels/deep_core_3.txt");
        tick();
        EXPECT_EQ(fresh.scene(), Play);
        const std::string level = fresh.importExport().snapshot();
        gamekit::leave();
        return level;
    };
    const std::string early = played(gamekit::restart(false));
    EXPECT_EQ(early, played(gamekit::restart(true)));

    // The menu's ticks build the editor a part at a time behind it: no page
    // built there shows on the menu.
    Game& fresh = gamekit::restart(false);
    for (int t = 0; t < 30; ++t) {
        tick();
        for (const std::string& f : fresh.strayWidgets()) stray.push_back(std::to_string(t) + f);
    }
    EXPECT_EQ(stray, std::vector<std::string>{});
}
