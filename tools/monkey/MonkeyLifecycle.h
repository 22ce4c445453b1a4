#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tools/monkey/Census.h"

class Game;

// The monkey's hold on what a level leaves behind (Census.h): the census
// before each tick the game is at rest (no level running) is what a level
// must give back. Checked after a level is left, after a restart, after a
// test run ends, after NEW, LOAD and RECOVER; and every 30 ticks of a
// running level, that each element has exactly its body, card, picture and
// light.
class LifecycleWatch {
public:
    // A game just started, its level emptied through the editor's clearing.
    void reset(Game& game);
    // Before a tick: the events it will apply (type, key or button) and the
    // pointer on the 1920x1080 screen, which tell a restart or a click on
    // NEW, LOAD or RECOVER coming.
    void before(Game& game, const std::vector<std::pair<int, int>>& events, float x, float y);
    // After it: one line per breach of the rule.
    std::vector<std::string> after(Game& game, long tick);

private:
    bool running(Game& game) const;
    std::string clickedButton(Game& game, float x, float y) const;

    Census rest;  // the last census taken at rest, and the editor's tab and row then
    int restTab = 0, restRow = 0;
    Census menuWidgets;   // the widgets the main menu showed last
    Census emptyLevel;    // the empty level's share
    Census started;       // right after the level in play started or restarted
    Census runRestarted;  // right after the last R in the test run, if any
    bool haveMenu = false, haveRunRestart = false;
    // What the tick about to run may do.
    int sceneBefore = 0;
    bool runningBefore = false;
    bool restarting = false;
    std::string ioClick;  // "new", "load", "recover" or empty
};
