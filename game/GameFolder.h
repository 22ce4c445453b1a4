#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>

// The installed game's folder of the player's own. The game reads and writes
// everything relative to its working folder; installed, its data lies
// read-only under /usr/share/games/dovra, so it plays from a folder in the
// player's home that reaches that data through links and holds real copies
// of the parts the game writes: the pack files (progress) and Editor/Levels
// (saved maps, the recovery copy). These are the rules of that folder, on
// strings; GameFolderFiles does the file work.
namespace GameFolder {

// The parts of the game's data that the game writes, relative to its folder.
// Everything else is reached from the installed data without a copy.
constexpr const char* packFolder = "Resources/LevelPacks";
constexpr const char* mapFolder = "Editor/Levels";

// What a part of the installed data becomes in the player's folder, by its
// path relative to the data's root.
enum class Part {
    Link,      // read-only: a link to the installed copy
    Folder,    // a real folder that holds a writable part further down
    Writable,  // a real folder whose files are the player's copies
};
Part partOf(const std::string& relative);

// $XDG_DATA_HOME/dovra, or ~/.local/share/dovra when it is unset, empty or
// not absolute (the XDG rule); "" when there is no home to put it in.
// Arguments are the variables' values, null when unset.
std::string playerFolder(const char* xdgDataHome, const char* home);

// `path` as seen from `base` (an absolute folder): itself when absolute.
std::string resolveAgainst(const std::string& base, const std::string& path);

// Where the data of a game installed as `program` lies: `dataFromProgram`
// (relative to the program's folder, as the install laid them out) from
// there, in plain form.
std::string dataRootOf(const std::string& program, const std::string& dataFromProgram);

// A short fingerprint of a file's contents (64-bit FNV-1a), to tell whether
// the installed copy changed since the player's folder was last prepared and
// whether the player changed a copy since it was made.
std::uint64_t fingerprint(const std::string& contents);

// The record of what was copied into the player's folder, kept there: one
// line a file, its fingerprint in hex and its path relative to the folder.
using Record = std::map<std::string, std::uint64_t>;
Record readRecord(const std::string& text);
std::string writeRecord(const Record& record);
constexpr const char* recordName = ".installed-copies";

// The map paths of every level a pack file's text marks unlocked (third word
// a whole non-zero number, as the browser reads it).
std::set<std::string> unlockedMaps(const std::string& packText);

// An installed pack file's text with every level whose map is in `unlocked`
// marked unlocked ("1"); every other line is kept byte for byte.
std::string carryUnlocks(const std::string& installedText, const std::set<std::string>& unlocked);
// The pack list a new version of the game brings, with the lines the player's
// list adds to it kept at its end: the packs the player installed, which
// the game's own list cannot know.
std::string keepAddedPacks(const std::string& installedList, const std::string& playerList);

// What becomes of the player's copy of one file of a writable part when the
// folder is prepared.
enum class Step {
    Keep,   // leave the player's copy as it is
    Copy,   // the installed file, as it is
    Merge,  // the installed pack file with the player's unlocks carried over
};
struct FileState {
    bool isPack = false;       // under the pack folder
    bool playerHasIt = false;  // the player's folder holds the file
    bool recorded = false;     // the record holds a fingerprint for it
    std::uint64_t recordedPrint = 0;
    std::uint64_t installedPrint = 0;
    std::uint64_t playerPrint = 0;  // meaningful when playerHasIt
};
Step stepFor(const FileState& state);

}  // namespace GameFolder
