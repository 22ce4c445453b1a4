#pragma once
#include <allegro5/allegro.h>

#include <string>

class Game;

// The frame the game shows now, drawn afresh onto a black backbuffer, which
// is returned. Every picture taken of the game (dovra-replay's --shot, the
// hang finder's, the tests' and the monkey trace's frames) is drawn here, so
// they always look alike.
ALLEGRO_BITMAP* drawFrame(Game& game);

// That frame saved as a picture (its kind by the name's ending); false when
// it cannot be saved.
bool saveFrame(Game& game, const std::string& path);
