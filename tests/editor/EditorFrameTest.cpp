#include "editor/EditorFrame.h"

#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Lights.h"
#include "elements/Player.h"
#include "engine/LightSystem.h"
#include "tests/game/GameKit.h"

namespace {

using gamekit::click;
using gamekit::game;
using gamekit::tick;

// The editor of the whole game, left again after each test with the maps it
// saved removed.
class EditorFrameTest : public testing::Test {
protected:
    void SetUp() override {
        gamekit::question = {};
        gamekit::open(Editor);
    }
    void TearDown() override {
        gamekit::question = {};
        if (frame().tabs.testRunning) tick({ALLEGRO_KEY_ESCAPE});
        if (g.scene() == Editor) {
            g.importExport().clearMap();
            tick({ALLEGRO_KEY_ESCAPE});
        }
        tick();
        for (const std::string& name : gamekit::savedMaps())
            std::remove(("Editor/Levels/" + name).c_str());
    }
    // An edit of the player as its page makes one.
    void movePlayer(float x, float y) {
        g.level().player->setPosition(x, y), g.level().player->changed = true;
    }
    // SET starts typing a name; a click on the field ends it.
    void typeName(bool on) {
        NK::GUISystem& w = g.importExport().widgets();
        const char* key = on ? "set_save_path" : "save_path";
        (on ? w.getButton(key).first : w.getTextInput(key).first)(key);
        tick();
        ASSERT_EQ(g.importExport().typing(), on);
    }
    // D held over two ticks, then one more for the camera to coast.
    void walkD() {
        gamekit::hold(ALLEGRO_KEY_D);
        gamekit::ticks(2);
        gamekit::hold(ALLEGRO_KEY_D, false);
        tick();
    }
    // Ctrl+Z undoes, Ctrl+Y redoes.
    void undo(int key) {
        gamekit::hold(ALLEGRO_KEY_LCTRL);
        tick({key});
        gamekit::hold(ALLEGRO_KEY_LCTRL, false);
    }
    EditorFrame& frame() { return g.editor(); }
    Game& g = game();
};

// Ctrl+Z with the drag still held takes back the drag alone; Ctrl+Y brings
// it back. Ctrl+Z and Ctrl+Y belong to the field too, and neither touches
// the level or its history under a test run. A step that does not read is
// stepped over.
TEST_F(EditorFrameTest, UndoOrRedoReachesTheHeldDragTheRunTheFieldOrAnUnreadableStep) {
    movePlayer(100, 100);
    tick({ALLEGRO_KEY_K});  // the edge a change comes with; taken the tick after
    tick();
    g.input->mouse.buttons = 1;
    tick();
    movePlayer(300, 300);  // dragged, the button still down
    tick();
    undo(ALLEGRO_KEY_Z);
    EXPECT_EQ(g.level().player->positionRecord().x, 100.0f)
        << "undo went past the step before the drag";
    g.input->mouse.buttons = 0;
    tick();
    undo(ALLEGRO_KEY_Y);
    EXPECT_EQ(g.level().player->positionRecord().x, 300.0f) << "redo did not bring the drag back";
    g.importExport().clearMap();  // then a light, recorded as the editor records one
    frame().history.reset(g.importExport().snapshot());
    ASSERT_TRUE(g.level().lights->add(LightRecord{500, 400, 1, 1, 1, 150}));
    frame().history.record(g.importExport().snapshot());
    std::string seen;
    // Each step: under a test run (R), typing a name (T) or neither (.), then Z or Y.
    for (const char* step : {"RZ", "TZ", ".Z", "RY", "TY", ".Y"}) {
        const bool running = step[0] == 'R', typing = step[0] == 'T';
        if (running) tick({ALLEGRO_KEY_SPACE});
        if (typing) typeName(true);
        undo(step[1] == 'Z' ? ALLEGRO_KEY_Z : ALLEGRO_KEY_Y);
        seen +=
            (g.level().lights->empty() ? "." : "L") + std::to_string(frame().history.redoSteps());
        if (running) tick({ALLEGRO_KEY_SPACE});
        if (typing) typeName(false);
    }
    EXPECT_EQ(seen, "L0L0.1.1.1L0");
    frame().history.reset("PLY 300\n");
    frame().history.record(g.importExport().snapshot());
    undo(ALLEGRO_KEY_Z);
    EXPECT_EQ(frame().history.current(), g.importExport().snapshot());
    EXPECT_FALSE(g.level().lights->empty());
}

// Space and D belong to a name field while it takes text, and leaving the
// page ends the typing; "back" during a run saves the level as edited, not as the run left it.
TEST_F(EditorFrameTest,
       SpaceOrDTypedIntoANameRunsMovesTheCameraOrOutlivesThePageOrBackSavesTheRun) {
    movePlayer(500, 300);
    const std::string edited = g.importExport().snapshot();
    typeName(true);
    const float x = frame().camera.view().x;
    tick({ALLEGRO_KEY_SPACE});
    walkD();
    EXPECT_TRUE(!frame().tabs.testRunning && g.importExport().typing());
    EXPECT_EQ(frame().camera.view().x, x);
    gamekit::press("player");  // leaving the page ends the typing
    ASSERT_FALSE(g.importExport().typing());
    gamekit::press("importexport");
    walkD();
    EXPECT_GT(frame().camera.view().x, x);
    tick({ALLEGRO_KEY_SPACE});
    ASSERT_TRUE(frame().tabs.testRunning);
    gamekit::ticks(30);  // the player falls
    gamekit::question.answer = true;
    click("back");
    EXPECT_EQ(gamekit::question.asked, 1);
    const std::set<std::string> saved = gamekit::savedMaps();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(nktest::contentsOf("Editor/Levels/" + *saved.begin()), edited);
}

// The run's control button hands the keys to the camera; the run stays
// unlit when the lights are shown off (only the Lights tab lights them), R
// included; it ends back on its tab when stopped, the player dies or it
// reaches the open gate. Escape
// leaves the editor as "back" does: coming back, "Run" twice lands on
// Import/Export, not on the tab used before. (The run's buttons as it
// starts: the screen table's editor/run states.) C on a page looks at its
// element: the next frame's view is centred on it, until the editor is left.
TEST_F(EditorFrameTest, RunControlLightsEndTheTabARunReturnsToOrTheCentreKeyWrong) {
    auto lit = [&] { return g.level().lights->system().lightsOn; };
    click("show_lights");
    click("lights");
    EXPECT_TRUE(lit());
    click("gate");
    tick({ALLEGRO_KEY_SPACE});
    const float x = frame().camera.view().x;
    walkD();
    EXPECT_EQ(frame().camera.view().x, x) << "the player's keys moved the camera";
    click("run_control");
    walkD();
    tick({ALLEGRO_KEY_R});
    EXPECT_GT(frame().camera.view().x, x);
    EXPECT_FALSE(lit());
    EXPECT_EQ(g.gui().getButton("run_control").text, "Control: CAMERA");
    click("run_control");
    tick({ALLEGRO_KEY_SPACE});
    EXPECT_EQ(frame().tabs.editorTab, EditorTabs::GateTab) << "Space ended the run elsewhere";
    tick({ALLEGRO_KEY_SPACE});
    g.level().player->health = 0;
    tick();
    EXPECT_EQ(frame().tabs.editorTab, EditorTabs::GateTab);
    tick({ALLEGRO_KEY_SPACE});  // no lever or camera: the gate stands open
    const NK::Vec2 at = g.level().player->position();
    g.level().gate->setPosition(at.x, at.y);
    tick();
    EXPECT_EQ(frame().tabs.editorTab, EditorTabs::GateTab) << "the open gate reached ran on";
    click("show_lights");
    tick({ALLEGRO_KEY_ESCAPE});
    gamekit::open(Editor);
    click("run");
    click("run");
    EXPECT_EQ(frame().tabs.editorTab, EditorTabs::ImportExport);
    click("player");
    movePlayer(4000, 2500);
    tick({ALLEGRO_KEY_C});
    tick();
    const NK::Rect v = g.view->rect();
    const NK::Vec2 p = g.level().player->position();
    EXPECT_NEAR(v.x + v.width / 2, p.x, 1.0f);
    EXPECT_NEAR(v.y + v.height / 2, p.y, 1.0f);
    // Coming back looks at the level's start again.
    gamekit::open(MainMenu);
    gamekit::open(Editor);
    tick();
    EXPECT_EQ(g.view->rect(), NK::Rect(0, 0, 1920, 1080)) << "the editor came back elsewhere";
}

}  // namespace
