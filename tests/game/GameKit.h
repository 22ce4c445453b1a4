#pragma once
#include <unistd.h>

#include <initializer_list>
#include <memory>
#include <set>

#include "editor/ImportExportPanel.h"
#include "engine/GUISystem.h"
#include "game/FrameShot.h"
#include "game/Game.h"
#include "game/GameFolderFiles.h"
#include "game/GameInstance.h"
#include "game/PlayScene.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

// The whole game inside the test process, loaded once as the replay runner
// loads it (its own window on the virtual display) and driven one update at a
// time with keys and events set by hand, so a test sees what a player or a
// designer would: the scenes, the editor's keys, the HUD as drawn. It plays
// from a game folder of its own, prepared as the installed game prepares one
// (the packs and maps copied, the rest linked), so wins and saves never
// touch the source tree. Each test leaves it in the main menu.
namespace gamekit {

// The unsaved-map question: how often it was asked, and the answer given.
struct Question {
    int asked = 0;
    bool answer = false;
};
inline Question question;

class GameEnvironment : public testing::Environment {
public:
    std::unique_ptr<GameInstance> game;
    void TearDown() override { game.reset(); }
};

// Registered before main, so its TearDown runs even when a test never asks.
inline GameEnvironment* const environment =
    static_cast<GameEnvironment*>(testing::AddGlobalTestEnvironment(new GameEnvironment));

// The game loaded as the real start loads it. `buildEditor` finishes at once
// what the menu's first ticks would build: tests reach into the editor's
// pages straight away, as a player can only a moment later.
inline Game& start(bool buildEditor) {
    environment->game = std::make_unique<GameInstance>(GameStart{"Dovra test"});
    Game& g = **environment->game;
    if (buildEditor) g.finishBuilding();
    g.importExport().askToSave = [] {
        ++question.asked;
        return question.answer;
    };
    return g;
}

inline Game& game() {
    if (!environment->game) {
        const std::string folder = nktest::tempPath("game");
        EXPECT_EQ(GameFolder::prepare(NK_SOURCE_DIR, folder), "");
        EXPECT_EQ(chdir(folder.c_str()), 0);
        start(true);
    }
    return **environment->game;
}

// A new game in the same folder, as a player quitting and starting again.
inline Game& restart(bool buildEditor) {
    game();
    environment->TearDown();
    return start(buildEditor);
}

// One update with these keys pressed and these events arrived since the
// last, then the edges cleared, as the loop runs it.
inline void tick(std::initializer_list<int> keys = {},
                 std::initializer_list<ALLEGRO_EVENT> events = {}) {
    Game& g = game();
    for (const ALLEGRO_EVENT& e : events) g.input->apply(e);
    for (int k : keys) g.input->keyPressed[k] = 1;
    g.update();
    g.input->endUpdate();
}
inline void ticks(int n) {
    for (int i = 0; i < n; ++i) tick();
}
inline void hold(int key, bool held = true) {
    nktest::holdKey(*game().input, key, held);
}
// A button clicked as the pointer would, through the scene's widgets.
inline void click(const std::string& key) {
    game().gui().getButton(key).first(key);
}
// The same in `gui` (the scene's when none), then the tick that answers it.
inline void press(const std::string& key, NK::GUISystem* gui = nullptr) {
    (gui ? *gui : game().gui()).getButton(key).first(key);
    tick();
}

// The pointer put on a point of the 1920x1080 screen.
inline void pointAt(float x, float y) {
    Game& g = game();
    g.input->mouse.x = static_cast<int>(x * static_cast<float>(g.display->windowWidth) / 1920);
    g.input->mouse.y = static_cast<int>(y * static_cast<float>(g.display->windowHeight) / 1080);
}
// The left button pressed for one tick where the pointer is, then let go.
inline void clickHere() {
    Game& g = game();
    g.input->mouse.buttons |= 1;
    g.input->mousePressed[1] = 1;
    tick();
    g.input->mouse.buttons &= ~1;
    tick();
}

// The scene opened and entered.
inline void open(Scene scene) {
    game().openScene(scene);
    tick();
}
// The map played with `in` standing in for the devices.
inline Game& play(const std::string& map, PlayInput* in) {
    Game& g = game();
    g.setReplayInput(in);
    g.playMap(map);
    return g;
}
// The level played left for the main menu, the devices' input back in place.
inline void leave() {
    game().setReplayInput(nullptr);
    game().play().leaveLevel();
    open(MainMenu);
}

// The maps saved in Editor/Levels beyond the shipped ones.
inline std::set<std::string> savedMaps() {
    std::set<std::string> names;
    for (const std::string& n : nktest::namesIn("Editor/Levels"))
        if (!std::ifstream(std::string(NK_SOURCE_DIR) + "/Editor/Levels/" + n)) names.insert(n);
    return names;
}

// The frame as the game shows it, copied into memory for reading back.
inline ALLEGRO_BITMAP* frame() {
    ALLEGRO_BITMAP* back = drawFrame(game());
    const int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* copy = al_clone_bitmap(back);
    al_set_new_bitmap_flags(flags);
    return copy;
}

}  // namespace gamekit
