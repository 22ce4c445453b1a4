#pragma once
#include "game/GameStart.h"

class Game;

// The whole game brought up the one way every program needs it: on zeroed
// memory (GameCore is plain data the engine fills in, as the real start
// gives it), its engine started, then created and loaded; shut down and
// freed when this goes. A tool, a test or a benchmark ticks it itself; the
// game hands it to the loop with run().
class GameInstance {
public:
    explicit GameInstance(const GameStart& start);
    ~GameInstance();
    GameInstance(const GameInstance&) = delete;
    GameInstance& operator=(const GameInstance&) = delete;

    // The loop on the timer until the player quits (`onTimer` games).
    void run();

    Game& operator*() const { return *game; }
    Game* operator->() const { return game; }
    Game* get() const { return game; }

private:
    void* memory = nullptr;
    Game* game = nullptr;
};
