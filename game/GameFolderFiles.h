#pragma once
#include <string>

// The file work behind GameFolder's rules: preparing the player's game folder
// over the installed data, and moving into it when the installed game starts
// somewhere that holds no game of its own. No Allegro here: it all happens
// before the game opens its window.
namespace GameFolder {

// Whether `folder` holds the game's data (its light shaders, without which
// the game cannot draw).
bool holdsGameData(const std::string& folder);

// Makes `folder` the player's game folder over the data installed at
// `dataRoot`: links to every read-only part, real folders for the writable
// ones, and copies of the installed pack files and maps brought in by the
// rules of stepFor. Nothing is written under `dataRoot`. Returns "" when the
// folder is ready, else what went wrong.
std::string prepare(const std::string& dataRoot, const std::string& folder);

struct Start {
    bool moved = false;  // the game now runs from `folder`
    std::string folder;
    std::string error;  // the player's folder could not be made ready
    // Where the program was started: files named on its command line are
    // read from there when it has moved.
    std::string startedIn;
};

// Where the program at `program` plays. When its data is installed at
// `dataFromProgram` from it and the working folder is no game folder of its
// own, the player's folder is prepared and made the working folder.
// Otherwise nothing changes: the game plays where it was started, as from
// its source folder.
Start enter(const std::string& program, const std::string& dataFromProgram,
            const std::string& workingFolder, const char* xdgDataHome, const char* home);

// enter() for this process: its own program file, working folder and
// environment.
Start enterForThisProgram(const std::string& dataFromProgram);

}  // namespace GameFolder
