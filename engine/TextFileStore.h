#pragma once
#include <string>
#include <vector>

#include "engine/KeyedStore.h"
#include "engine/TextFile.h"

namespace NK {

// Text files by key (level packs, map files), read and written whole.
class TextFileStore {
public:
    // Reads the file into lines; a file that cannot be opened is fatal.
    TextFile& load(const std::string& path, const std::string& key);
    // Creates or empties the file and keeps it with no lines. A file that
    // cannot be created is not reported here: the next write to it is fatal.
    TextFile& create(const std::string& path, const std::string& key);
    // Keeps an entry with no lines for the path without touching the disk;
    // the next write creates or replaces the file whole. Saves use it so
    // that the old file stays intact until the new one is complete.
    TextFile& prepare(const std::string& path, const std::string& key);
    TextFile& get(const std::string& key) { return files.get(key); }
    bool contains(const std::string& key) const { return files.contains(key); }
    // Replaces the kept lines with a copy of `lines` and rewrites the file
    // atomically (a temporary file renamed over it); a failure keeps the old
    // file and is fatal.
    void write(const std::string& key, const std::vector<TextLine>& lines);
    // Forgets the file; the file on disk is left as it is.
    void destroy(const std::string& key) { files.destroy(key); }
    void destroyAll() { files.clear(); }
    std::vector<std::string> keys() const { return files.keys(); }

private:
    KeyedStore<TextFile> files{"TextFile", "File"};
};

// Writes the whole text to a new file beside `path`, makes sure it is on the
// disk, and only then renames it over `path`: a crash or a full disk mid-write
// leaves the old file or the new one, never half of one. False when the file
// could not be written; the old one is then untouched.
bool replaceWhole(const std::string& path, const std::string& text);

// The steps of that write. Every file the game writes (maps, pack progress,
// the crash copy, replays, the player's folder on first start) goes through
// replaceWhole, so a test can make any step of any of them fail here: true
// fails the step. Null in the game.
enum class WriteStep { Open, Write, Sync, Rename };
extern bool (*writeFault)(WriteStep step, const std::string& path);

}  // namespace NK
