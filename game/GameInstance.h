#pragma once
#include "game/GameStart.h"

class Game;

// The whole game brought up the one way the tools, tests and benches need it:
// on zeroed memory (GameCore is plain data the engine fills in, as the real
// start gives it), its engine started, then created and loaded; shut down and
// freed when this goes. No loop runs: the owner ticks it, so the timer is
// stopped and no tick piles up unread.
class GameInstance {
public:
    explicit GameInstance(const GameStart& start);
    ~GameInstance();
    GameInstance(const GameInstance&) = delete;
    GameInstance& operator=(const GameInstance&) = delete;

    Game& operator*() const { return *game; }
    Game* operator->() const { return game; }
    Game* get() const { return game; }

private:
    void* memory = nullptr;
    Game* game = nullptr;
};
