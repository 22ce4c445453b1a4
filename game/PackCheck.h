#pragma once
#include <functional>
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

}  // namespace PackCheck
