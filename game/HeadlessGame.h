#pragma once
#include <string>

class Game;

// The whole game brought up the one way the tools, tests and benches need it:
// on zeroed memory (GameCore is plain data the engine fills in, as the real
// start gives it), its engine started, then created and loaded; shut down
// and freed when this goes. No loop runs: the owner ticks it.
class HeadlessGame {
public:
    // `unseen`: its window is taken off the screen as soon as it is made.
    explicit HeadlessGame(const std::string& title, bool unseen = false);
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    Game& operator*() const { return *game; }
    Game* operator->() const { return game; }
    Game* get() const { return game; }

private:
    void* memory = nullptr;
    Game* game = nullptr;
};
