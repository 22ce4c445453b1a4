#include "game/Game.h"

void Game::create() {}
void Game::load() {}
void Game::update() {}
void Game::draw() {}
void Game::destroy() {}
