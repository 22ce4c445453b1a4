#pragma once
#include <string>
#include <utility>

// What a game is told before it creates and loads anything.
struct GameStart {
    // `unseen`: its window taken off the screen as soon as it is made.
    GameStart(std::string title = "Dovra", bool unseen = false)
        : title(std::move(title)), unseen(unseen) {}

    std::string title;
    bool unseen;
    // How often the editor keeps its crash copy, in seconds; 0 leaves the
    // editor's own period. Tests shorten it to see a copy made without
    // waiting.
    int recoverySeconds = 0;
    // The map the command line names, played once the game has loaded and
    // caught up with the ticks the load took.
    std::string mapPath;
    // The pack file of a pack just installed, whose page the browser opens
    // on once the game has loaded.
    std::string packFile;
    // The file the next level started is recorded into.
    std::string recordPath;
};
