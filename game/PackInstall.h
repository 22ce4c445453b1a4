#pragma once
#include <string>
#include <vector>

#include "game/PackRules.h"

// Level packs in a game folder: put in, listed and taken out. An installed
// pack lives in three places the browser already reads: its maps under
// Editor/Levels/ID/TAG/ (with a copy of its manifest), its pack file
// Resources/LevelPacks/ID-TAG.txt, and its line in the pack list. TAG is
// "v" and the pack's version, made unique when that one is taken.
//
// The pack list is written last and whole, so it is the one step that makes
// an install (or a removal) happen: everything before it only adds files no
// list names, and an install that fails or is killed before it leaves the
// game as it was. What such a run left behind is cleared by the next
// install or removal of the same pack.
namespace PackInstall {

struct Installed {
    PackRules::Manifest manifest;
    std::string packFile;   // "Resources/LevelPacks/ID-TAG.txt"
    std::string mapFolder;  // "Editor/Levels/ID/TAG/"
};

// Every installed pack of the game folder `folder`, in list order. Shipped
// packs (no manifest beside their maps) are not among them.
std::vector<Installed> list(const std::string& folder);

// Why `pack` may not be installed into `folder`, "" when it may: its id is
// installed (unless `replace`), its name is another pack's, or its folder
// under Editor/Levels holds something that is not an installed pack's.
std::string clash(const PackRules::Pack& pack, const std::string& folder, bool replace);

// Installs a pack already checked: "" when done, else why not, with the
// folder as it was. A pack installed before under the same id is replaced;
// the levels the player had opened in it stay open, by map name.
std::string install(const PackRules::Pack& pack, const std::string& folder, bool replace);

// Takes out the installed pack `id`: its list line, its pack file and the
// maps it brought. A map the player saved themselves is never touched, even
// in the pack's folder. "" when done, else why not.
std::string remove(const std::string& id, const std::string& folder);

}  // namespace PackInstall
