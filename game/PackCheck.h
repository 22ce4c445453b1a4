#pragma once
#include <functional>
#include <ostream>
#include <string>

#include "game/PackRules.h"
#include "game/ReplayRun.h"

class Game;

// The checks a pack passes before it is installed, past what its archive
// and level list already passed: that its maps are safe to open and that
// each proof wins its level when the real game plays it.
namespace PackCheck {

// A proof must win within ten minutes of play; a replay whose expected end
// lies later could keep the check busy for days.
constexpr int maxProofTicks = 60 * 60 * 10;

// Each map as PackRules::mapProblem judges it, with its pictures looked for
// in the game folder `folder`, and each proof a replay that reads and ends
// in time. "" when all pass, else "ENTRY: why" for the first that does not.
std::string contentsProblem(const PackRules::Pack& pack, const std::string& folder);

// Plays every level's proof on its map through `game`, whose game folder is
// `folder`. The maps are written for the purpose to a folder of their own
// there and taken out again. `report` hears each level's end as it comes.
// "" when every proof wins, else "proofs/X.replay: why".
std::string playProofs(
    const PackRules::Pack& pack, Game& game, const std::string& folder,
    const std::function<void(const PackRules::Level&, const ReplayEnd&)>& report);

// playProofs in a game of its own brought up for the purpose, its window
// never shown, each win printed to `out` as "MAP: won at tick N".
std::string proveAll(const PackRules::Pack& pack, const std::string& folder, std::ostream& out);

// A pack file met on the command line: read, checked and, when asked,
// installed into the game folder `folder` (the working folder). Each level's
// win is printed to `out` as "MAP: won at tick N"; a refusal is `error`,
// "FILE: why".
enum class Install { No, Yes, Replace, NewerOnly };
struct FileCheck {
    int status = 0;  // 0 passed, 1 a check refused it, 2 it cannot be read
    std::string error;
    PackRules::Pack pack;
    bool installed = false;  // NewerOnly leaves an installed pack of that version or later
    std::string packFile;    // the pack file of the pack as installed now
};
FileCheck checkFile(const std::string& file, const std::string& folder, Install install,
                    std::ostream& out);

}  // namespace PackCheck
