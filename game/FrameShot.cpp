#include "game/FrameShot.h"

#include "engine/Display.h"
#include "game/Game.h"

ALLEGRO_BITMAP* drawFrame(Game& game) {
    ALLEGRO_BITMAP* back = al_get_backbuffer(game.display->display);
    al_set_target_bitmap(back);
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
    game.draw();
    return back;
}

bool saveFrame(Game& game, const std::string& path) {
    return al_save_bitmap(path.c_str(), drawFrame(game));
}
