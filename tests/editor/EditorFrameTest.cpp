#include "editor/EditorFrame.h"

#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <new>

#include "editor/ImportExportPanel.h"
#include "elements/Lights.h"
#include "elements/Player.h"
#include "engine/GUISystem.h"
#include "engine/Input.h"
#include "engine/LightSystem.h"
#include "game/Game.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/GameProcess.h"

namespace {

// The real game in this process, ticked by hand with no timer, in a game
// folder of its own so the maps it saves land in a temporary Editor/Levels.
class EditorFrameTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        folder = nktest::makeGameFolder(
            {"Resources", "VAZEzadide", "Editor/Backgrounds", "Editor/Boxes", "Editor/Circles"});
        ASSERT_EQ(chdir(folder.c_str()), 0);
        void* memory = ::operator new(sizeof(Game));
        std::memset(memory, 0, sizeof(Game));
        game = new (memory) Game();
        game->startEngine("Dovra editor test");
        game->create();
        game->load();
    }
    static void TearDownTestSuite() {
        game->shutDown();
        game->~Game();
        ::operator delete(game);
        game = nullptr;
        ASSERT_EQ(chdir(previous), 0);
        const std::string command = "rm -rf '" + folder + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    void SetUp() override {
        game->importExport->askToSave = [this] {
            ++asked;
            return answer;
        };
        enterEditor();
    }
    void TearDown() override {
        answer = false;
        leaveEditor();
        ASSERT_EQ(system("rm -f Editor/Levels/*"), 0);
    }

    void tick() {
        game->update();
        game->input->endUpdate();
    }
    void press(int key) {
        game->input->keyPressed[key] = 1;
        tick();
    }
    void holdControl(bool held) { nktest::holdKey(*game->input, ALLEGRO_KEY_LCTRL, held); }
    void holdMouse(bool held) { game->input->mouse.buttons = held ? 1u : 0u; }
    void click(const char* button) { game->gui->getButton(button).first(button); }
    void enterEditor() {
        game->openScene(Editor);
        tick();
        ASSERT_TRUE(game->editor->inEditor);
    }
    void leaveEditor() {
        if (game->scene() != Editor) return;
        press(ALLEGRO_KEY_ESCAPE);
        if (game->scene() == Editor) press(ALLEGRO_KEY_ESCAPE);  // out of a test run first
        tick();
    }
    // An edit of the player as its page makes one.
    void movePlayer(float x, float y) {
        game->player->setPosition(x, y);
        game->player->changed = true;
    }
    PlayerRecord playerAt() { return game->player->positionRecord(); }
    EditorFrame& frame() { return *game->editor; }

    static inline Game* game = nullptr;
    static inline std::string folder;
    static inline char previous[4096] = {};
    int asked = 0;
    bool answer = false;
};

// Escape leaves the editor as "back" does: coming back, "Run" twice lands
// on Import/Export, not on the tab used before.
TEST_F(EditorFrameTest, EscapeForgetsTheTabTheTestRunReturnsTo) {
    click("player");
    ASSERT_EQ(frame().tabs.editorTab, EditorTabs::PlayerTab);
    press(ALLEGRO_KEY_ESCAPE);
    ASSERT_EQ(game->scene(), MainMenu);
    tick();
    enterEditor();
    click("run");
    click("run");
    EXPECT_EQ(frame().tabs.editorTab, EditorTabs::ImportExport);
}

TEST_F(EditorFrameTest, RestartDuringATestRunKeepsTheLightsOffWhenTheyAreShownOff) {
    click("show_lights");
    ASSERT_FALSE(frame().showLights);
    press(ALLEGRO_KEY_SPACE);
    ASSERT_TRUE(frame().tabs.testRunning);
    EXPECT_FALSE(game->lights->system().lightsOn);
    press(ALLEGRO_KEY_R);
    EXPECT_FALSE(game->lights->system().lightsOn) << "R turned the light pass on";
    press(ALLEGRO_KEY_SPACE);
    click("show_lights");
}

// "back" during a test run saves the level as edited, not as the run left it.
TEST_F(EditorFrameTest, BackDuringATestRunSavesTheEditedLevelNotTheRun) {
    movePlayer(500, 300);
    const std::string edited = game->importExport->snapshot();
    press(ALLEGRO_KEY_SPACE);
    ASSERT_TRUE(frame().tabs.testRunning);
    for (int i = 0; i < 30; ++i) tick();  // the player falls
    answer = true;
    click("back");
    EXPECT_EQ(asked, 1);
    const std::vector<std::string> saved = nktest::namesIn("Editor/Levels");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(nktest::contentsOf("Editor/Levels/" + saved[0]), edited);
    tick();
}

// Ctrl+Z with the drag still held takes back the drag alone; Ctrl+Y brings it back.
TEST_F(EditorFrameTest, UndoDuringAHeldDragUndoesOnlyTheDrag) {
    movePlayer(100, 100);
    press(ALLEGRO_KEY_K);  // the edge a change comes with; taken the tick after
    tick();
    holdMouse(true);
    tick();
    movePlayer(300, 300);  // dragged, the button still down
    tick();
    holdControl(true);
    press(ALLEGRO_KEY_Z);
    EXPECT_EQ(playerAt().x, 100.0f) << "undo went past the step before the drag";
    holdMouse(false);
    tick();
    press(ALLEGRO_KEY_Y);
    EXPECT_EQ(playerAt().x, 300.0f) << "redo did not bring the drag back";
    holdControl(false);
    answer = false;
}

// C on a page looks at its element: the next frame's view is centred on it.
TEST_F(EditorFrameTest, CentreKeyLeavesTheViewWhereItWas) {
    click("player");
    movePlayer(4000, 2500);
    press(ALLEGRO_KEY_C);
    tick();
    const NK::Rect v = game->view->rect();
    const NK::Vec2 p = game->player->position();
    EXPECT_NEAR(v.x + v.width / 2, p.x, 1.0f);
    EXPECT_NEAR(v.y + v.height / 2, p.y, 1.0f);
}

}  // namespace
