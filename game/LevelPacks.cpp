#include "game/LevelPacks.h"

#include <charconv>
#include <fstream>

#include "engine/Log.h"
#include "engine/TextFileStore.h"

namespace LevelPacks {

std::vector<LevelPack> readList(const std::vector<NK::TextLine>& lines) {
    std::vector<LevelPack> packs;
    for (const NK::TextLine& line : lines) {
        if (line.words.empty()) continue;
        LevelPack pack;
        pack.path = line.words[0];
        if (line.words.size() > 1) pack.name = line.words[1];
        for (char& c : pack.name)
            if (c == '_') c = ' ';
        packs.push_back(pack);
    }
    return packs;
}

std::vector<PackLevel> readLevels(const std::vector<NK::TextLine>& lines) {
    std::vector<PackLevel> levels;
    for (const NK::TextLine& line : lines) {
        if (line.words.empty()) continue;
        PackLevel level;
        level.mapPath = line.words[0];
        if (line.words.size() > 1) level.label = line.words[1];
        if (line.words.size() > 2) {
            // The whole word must be the number: "1x" is no flag.
            const std::string& word = line.words[2];
            int flag = 0;
            const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), flag);
            level.unlocked = error == std::errc() && end == word.data() + word.size() && flag != 0;
        }
        levels.push_back(level);
    }
    return levels;
}

bool startable(const LevelPack& pack, int index) {
    if (index < 0 || index >= levelsPerPage || index >= static_cast<int>(pack.levels.size()))
        return false;
    const PackLevel& level = pack.levels[static_cast<std::size_t>(index)];
    return level.unlocked && level.mapFound;
}

int lineOfLevel(const std::vector<NK::TextLine>& lines, int level) {
    int seen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].words.empty()) continue;
        if (seen++ == level) return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The store treats a missing file as the end of the game; a missing pack only
// means fewer levels to offer.
bool readable(const std::string& path) {
    if (std::ifstream(path)) return true;
    NK::logError("File path \"" + path + "\" not found");
    return false;
}

}  // namespace

std::vector<LevelPack> load(NK::TextFileStore& files, const std::string& list) {
    if (!readable(list)) return {};
    std::vector<LevelPack> packs = readList(files.load(list, "packs_info").lines);
    files.destroy("packs_info");
    for (LevelPack& pack : packs) {
        if (!readable(pack.path)) continue;
        pack.levels = readLevels(files.load(pack.path, "pack").lines);
        files.destroy("pack");
        for (PackLevel& level : pack.levels) level.mapFound = readable(level.mapPath);
    }
    return packs;
}

bool saveProgress(NK::TextFileStore& files, LevelPack& pack, int won) {
    const int next = won + 1;
    if (won < 0 || next >= levelsPerPage || next >= static_cast<int>(pack.levels.size()))
        return false;
    pack.levels[static_cast<std::size_t>(next)].unlocked = true;
    // Read afresh: the file may have changed since the game started, and
    // only this one flag is ours to change.
    if (!readable(pack.path)) return false;
    std::vector<NK::TextLine> lines = files.load(pack.path, "pack").lines;
    const int line = lineOfLevel(lines, next);
    if (line < 0) {
        files.destroy("pack");
        return false;
    }
    lines[static_cast<std::size_t>(line)].setWord(2, "1");
    files.write("pack", lines);
    files.destroy("pack");
    return true;
}

}  // namespace LevelPacks
