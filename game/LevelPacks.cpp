#include "game/LevelPacks.h"

#include <charconv>

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
    return index >= 0 && index < levelsPerPage && index < static_cast<int>(pack.levels.size()) &&
           pack.levels[static_cast<std::size_t>(index)].unlocked;
}

int lineOfLevel(const std::vector<NK::TextLine>& lines, int level) {
    int seen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].words.empty()) continue;
        if (seen++ == level) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace LevelPacks
