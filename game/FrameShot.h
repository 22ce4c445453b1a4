#pragma once
#include <string>

class Game;

// The frame the game shows now, drawn afresh onto a black screen and saved
// as a picture (its kind by the name's ending). dovra-replay's --shot and the
// hang finder's pictures are both made here, so the two always look alike.
// False when the picture cannot be saved.
bool saveFrame(Game& game, const std::string& path);
