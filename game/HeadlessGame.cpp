#include "game/HeadlessGame.h"

#include <cstring>
#include <new>

#include "engine/Display.h"
#include "game/Game.h"

HeadlessGame::HeadlessGame(const std::string& title, bool unseen)
    : memory(::operator new(sizeof(Game))) {
    std::memset(memory, 0, sizeof(Game));
    game = new (memory) Game();
    NK::Display::unseen = unseen;
    game->startEngine(title.c_str());
    NK::Display::unseen = false;
    game->create();
    game->load();
}

HeadlessGame::~HeadlessGame() {
    game->shutDown();
    game->~Game();
    ::operator delete(memory);
}
