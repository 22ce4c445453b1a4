#include "game/GameInstance.h"

#include <allegro5/allegro.h>

#include <cstring>
#include <new>

#include "engine/Display.h"
#include "engine/Input.h"
#include "game/Game.h"

GameInstance::GameInstance(const GameStart& start) : memory(::operator new(sizeof(Game))) {
    std::memset(memory, 0, sizeof(Game));
    game = new (memory) Game(start);
    NK::Display::unseen = start.unseen;
    game->startEngine(start.title.c_str());
    NK::Display::unseen = false;
    al_stop_timer(game->input->timer);
    game->create();
    game->load();
}

GameInstance::~GameInstance() {
    game->shutDown();
    game->~Game();
    ::operator delete(memory);
}
