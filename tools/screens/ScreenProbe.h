#pragma once
#include <string>
#include <vector>

#include "tools/screens/ScreenTable.h"

class Game;

// The running game as the screen table sees it: which of the table's states
// it is in, and the widgets it shows, each with its text, place and turn in
// a frame drawn for the purpose.
namespace ScreenProbe {

// "menu", "browser", "tutorial", "play", "play/won", "play/lost",
// "editor/<tab>/row<R>" for an element tab, "editor/run/row<R>" for a test run and
// "editor/io/row<R>" (with "/recover" while a crash copy is offered).
std::string state(Game& game);

// Every widget on, in every widget system of the game, after drawing a frame.
std::vector<SeenWidget> seen(Game& game);

// The browser page's variables as the game's packs hold them: $pack (its
// name), $level0 to $level4 (the levels' labels) and $lock0 to $lock4 (green
// for a level that can be started, red otherwise).
ScreenTable::Vars browserVars(Game& game);

// The differences between the game's screen and its state's rows, each line
// beginning with the state's name. A `moment` names the table's state for
// a moment the game does not tell apart itself: "editor/boxes/row1+added"
// for the Boxes page just after ADD.
std::vector<std::string> faults(Game& game, const ScreenTable& table, const ScreenTable::Vars& vars,
                                bool fresh, const std::string& moment = "");

// The fields of the editor page in view that no longer show what the page
// would show afresh: each widget whose text changes when the page is hidden
// and shown again, as "page key: shown -> afresh". A click that changes the
// selected element and forgets to say so on the page shows up here. Hiding
// the page ends a drag, so it is asked between actions, not during one.
std::vector<std::string> staleFields(Game& game);

}  // namespace ScreenProbe
