#pragma once
#include <allegro5/allegro.h>

#include <cstring>
#include <initializer_list>
#include <new>

#include "editor/ImportExportPanel.h"
#include "engine/Display.h"
#include "engine/Input.h"
#include "game/Game.h"
#include "tests/support/Testing.h"

// The whole game inside the test process, loaded once as the replay runner
// loads it (its own window on the virtual display) and driven one update at a
// time with keys set by hand, so a test sees what a player or a designer
// would: the scenes, the editor's keys, the HUD as drawn.
namespace gamekit {

class GameEnvironment : public testing::Environment {
public:
    Game* game = nullptr;
    void TearDown() override {
        if (!game) return;
        game->shutDown();
        game->~Game();
        ::operator delete(game);
        game = nullptr;
    }
};

inline GameEnvironment* environment() {
    static GameEnvironment* env =
        static_cast<GameEnvironment*>(testing::AddGlobalTestEnvironment(new GameEnvironment));
    return env;
}
// Registered before main, so its TearDown runs even when a test never asks.
[[maybe_unused]] static GameEnvironment* const registered = environment();

inline Game& game() {
    GameEnvironment* env = environment();
    if (!env->game) {
        // GameCore is plain data the engine fills in; it starts from zeroes.
        void* memory = ::operator new(sizeof(Game));
        std::memset(memory, 0, sizeof(Game));
        env->game = new (memory) Game();
        env->game->startEngine("Dovra test");
        env->game->create();
        env->game->load();
        // The crash-recovery copy goes to this process's own folder.
        env->game->importExport->recoveryPath = nktest::tempPath("recovery.txt");
    }
    return *env->game;
}

// One update of the game with these keys pressed in it, then the edges cleared.
inline void tick(std::initializer_list<int> keys = {}) {
    Game& g = game();
    for (int k : keys) g.input->keyPressed[k] = 1;
    g.update();
    g.input->endUpdate();
}

// The scene opened and entered.
inline void open(Scene scene) {
    game().openScene(scene);
    tick();
}

// The frame as the game shows it, copied into memory for reading back.
inline ALLEGRO_BITMAP* frame() {
    Game& g = game();
    ALLEGRO_BITMAP* back = al_get_backbuffer(g.display->display);
    al_set_target_bitmap(back);
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
    g.draw();
    const int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* copy = al_clone_bitmap(back);
    al_set_new_bitmap_flags(flags);
    return copy;
}

}  // namespace gamekit
