#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A level pack that travels as one file, NAME.dovrapack: a zip archive with
//
//   manifest.txt   format, id, name, author and version, one "key value" a line
//   levels.txt     the pack's levels in the pack-file form (map, label, flag),
//                  the map paths inside the archive
//   maps/X.txt     each level's map, as the editor saved it
//   proofs/X.replay  a replay that wins maps/X.txt: the proof the level can be won
//
// These are the rules on the archive's contents, held as strings: which
// entries are allowed, what a manifest says, whether a map is safe to open.
// No file system and no archive code here (PackArchive reads and writes the
// zip, PackInstall puts a pack into a game folder), so every refusal is
// checked on strings and the fuzzer reaches all of them.
namespace PackRules {

constexpr const char* extension = ".dovrapack";
constexpr int formatVersion = 1;
constexpr const char* manifestEntry = "manifest.txt";
constexpr const char* levelsEntry = "levels.txt";
// A stranger's archive is read whole into memory, so its size is bounded
// before anything else looks at it: a few levels are a few hundred KiB.
constexpr std::size_t maxEntries = 200;
constexpr std::uint64_t maxEntryBytes = 1u << 20;
constexpr std::uint64_t maxTotalBytes = 16u << 20;
// The stress level holds 1,000 elements and still plays; five times that is
// no level anyone builds by hand.
constexpr int maxElements = 5000;
// A browser page shows this many levels.
constexpr std::size_t maxLevels = 5;

struct Entry {
    std::string name;
    std::string data;
};

struct Manifest {
    int format = formatVersion;
    std::string id;      // folder-safe: the pack's folder and file names
    std::string name;    // shown on the browser's page
    std::string author;  // may be empty
    int version = 1;
};
std::string writeManifest(const Manifest& manifest);
// Reads a manifest's text into `manifest`: "" when it holds a whole and
// valid one, else why not ("line 3: unknown key \"x\"").
std::string readManifest(const std::string& text, Manifest& manifest);

// Each returns "" when the value is fine, else why not (the refusal's reason).
// An id names folders and files: 1 to 40 of a-z, 0-9, "-" and "_", starting
// with a letter or digit.
std::string idProblem(const std::string& id);
// A display name is written into the pack list with "_" for each blank, so
// it holds no "_" of its own; valid UTF-8, no control characters, 1 to 60
// bytes, not all blanks.
std::string nameProblem(const std::string& name);
// The author line: valid UTF-8, no control characters, at most 60 bytes.
std::string authorProblem(const std::string& author);
// An entry's name inside the archive: relative, no "." or ".." part, no
// backslash, valid UTF-8 without control characters.
std::string entryNameProblem(const std::string& name);
bool validUtf8(const std::string& text);

// A level of a pack: its map's and proof's entries, and its button label.
struct Level {
    std::string map;    // "maps/X.txt"
    std::string proof;  // "proofs/X.replay"
    std::string label;
    std::string mapName() const;  // "X.txt"
};

struct Pack {
    Manifest manifest;
    std::vector<Level> levels;
    std::vector<Entry> entries;
    const std::string* entry(const std::string& name) const;
};

// The archive's entries as a pack: the manifest and level list read, every
// level's map and proof present, and nothing else in the archive. Refusals
// name the entry: "levels.txt: line 2: no map \"maps/b.txt\"".
struct PackRead {
    bool ok = false;
    Pack pack;
    std::string error;
};
PackRead fromEntries(std::vector<Entry> entries);
// The entries of a pack made from `manifest` and its levels, in the order
// they are written.
std::vector<Entry> toEntries(const Pack& pack);

// Why a map may not be opened by the game, "" when it may: it must load as
// dovra-map check loads it, hold at most maxElements elements, and name
// only pictures inside the editor's own picture folders for their kind
// (backgrounds, boxes, circles) that `pictureThere` finds as plain files.
// A map naming anything else could make the game open /dev/stdin or a FIFO
// and wait on it for ever.
std::string mapProblem(const std::string& text,
                       const std::function<bool(const std::string&)>& pictureThere);

// The pack file the browser reads for an installed pack: one line a level,
// its map at `mapFolder` + the map's name, the first level open and the
// others locked, then every level whose map name the player had opened in
// `previous` (an earlier version's pack file) opened again.
std::string packFileText(const Pack& pack, const std::string& mapFolder,
                         const std::string& previous);
// The pack list's line for an installed pack.
std::string listLine(const std::string& packFile, const std::string& name);

}  // namespace PackRules
