#include "game/HeadlessGame.h"

#include <cstring>
#include <new>

#include "game/Game.h"

HeadlessGame::HeadlessGame(const std::string& title) : memory(::operator new(sizeof(Game))) {
    std::memset(memory, 0, sizeof(Game));
    game = new (memory) Game();
    game->startEngine(title.c_str());
    game->create();
    game->load();
}

HeadlessGame::~HeadlessGame() {
    game->shutDown();
    game->~Game();
    ::operator delete(memory);
}
