#pragma once
#include <string>
#include <vector>

#include "engine/TextLine.h"

namespace NK {
class TextFileStore;
}

// The level packs as their text files hold them: the pack list names each
// pack's file and its name, and each pack file holds its levels, one a line
// (map path, button label, unlocked flag). Pure rules over lines, so the
// browser's file work stays at its edge and every rule is checked on strings.
struct PackLevel {
    std::string mapPath;
    std::string label;  // as written: underscores stay
    bool unlocked = false;
    bool mapFound = true;  // false when the map file was missing as the pack was read
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
// Whether button `index` of the pack starts a level: there is one, it is
// unlocked, and its map was found.
bool startable(const LevelPack& pack, int index);
// The index into `lines` of the line that holds level `level` (lines without
// words do not count), or -1 when there is none.
int lineOfLevel(const std::vector<NK::TextLine>& lines, int level);

// Where the game finds its packs.
constexpr const char* listPath = "Resources/LevelPacks/packs_info.txt";

// The pack list and every pack it names, through the text-file store. A
// missing list or pack file is told in the log and leaves no packs or no
// levels: the rest of the game goes on without them. A level whose map file
// is missing is told in the log too, and cannot be started.
std::vector<LevelPack> load(NK::TextFileStore& files, const std::string& list);
// After a win of level `won` of `pack`: unlocks the next level in memory and
// sets its flag to "1" in the pack file, every other line kept as it was.
// The last level of a page has no next one, so winning it writes nothing.
// Returns whether the file was rewritten.
bool saveProgress(NK::TextFileStore& files, LevelPack& pack, int won);

}  // namespace LevelPacks
