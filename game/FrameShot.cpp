#include "game/FrameShot.h"

#include <allegro5/allegro.h>

#include "engine/Display.h"
#include "game/Game.h"

bool saveFrame(Game& game, const std::string& path) {
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
    game.draw();
    return al_save_bitmap(path.c_str(), al_get_backbuffer(game.display->display));
}
