#pragma once
#include <string>

#include "elements/LevelDocument.h"
#include "elements/MapCodec.h"

namespace NK {
class Display;
class TextFileStore;
}  // namespace NK

// The level and its map files: load, save, clear, and the one-string
// snapshots undo and crash recovery keep. It owns nothing and shows nothing;
// the editor's page turns its answers into messages and the play scene
// starts levels with it, so every map is read and written by one code path.
class LevelFile {
public:
    // Without a display (tools and tests) loads and saves keep the cursor as it is.
    LevelFile(NK::TextFileStore& textFiles, const LevelDocument::Parts& level,
              NK::Display* display = nullptr);

    // Adds the records of the map at path to the level (callers clear first).
    // A file that does not read leaves the level cleared; the answer says
    // which line ended the read, and why.
    MapCodec::ReadResult load(const std::string& path);
    // Writes the whole level to path, replacing the file only once the new
    // one is complete.
    void save(const std::string& path);
    void clear() { document.clear(); }
    bool isEmpty() const { return document.isEmpty(); }
    // The level as a save would write it, in one string.
    std::string snapshot() const;
    // Replaces the level with a snapshot's records as an edit; a snapshot
    // that does not read changes nothing and returns false.
    bool restore(const std::string& text);

    LevelDocument& level() { return document; }

private:
    void setBusyCursor(bool busy);

    NK::TextFileStore* textFiles;
    LevelDocument document;
    NK::Display* display;
};
