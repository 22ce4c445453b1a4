#pragma once
#include <string>
#include <vector>

#include "engine/TextLine.h"

// The level packs as their text files hold them: the pack list names each
// pack's file and its name, and each pack file holds its levels, one a line
// (map path, button label, unlocked flag). Pure rules over lines, so the
// browser's file work stays at its edge and every rule is checked on strings.
struct PackLevel {
    std::string mapPath;
    std::string label;  // as written: underscores stay
    bool unlocked = false;
};

struct LevelPack {
    std::vector<PackLevel> levels;
    std::string path;
    std::string name;  // underscores shown as blanks
};

namespace LevelPacks {

// A page shows this many level buttons; a pack with fewer leaves the rest empty.
constexpr int levelsPerPage = 5;

// One pack a line with words: word 1 the pack file, word 2 the name with "_"
// for each blank; further words are ignored. Levels are not read here.
std::vector<LevelPack> readList(const std::vector<NK::TextLine>& lines);
// One level a line with words. A flag that is not a whole number, or a line
// too short to hold one, leaves the level locked.
std::vector<PackLevel> readLevels(const std::vector<NK::TextLine>& lines);
// Whether button `index` of the pack starts a level.
bool startable(const LevelPack& pack, int index);
// The index into `lines` of the line that holds level `level` (lines without
// words do not count), or -1 when there is none.
int lineOfLevel(const std::vector<NK::TextLine>& lines, int level);

}  // namespace LevelPacks
