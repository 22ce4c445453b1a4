// libFuzzer target: any bytes as the pack list and as a pack file. Both
// readers must take whatever lines they can and never crash, hang or leak;
// a level line found again by lineOfLevel is the level read from it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/TextFile.h"
#include "game/LevelPacks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<NK::TextLine> lines =
        NK::TextFile::parse(std::string(reinterpret_cast<const char*>(data), size));
    for (const LevelPack& pack : LevelPacks::readList(lines))
        if (pack.path.empty()) __builtin_trap();
    LevelPack pack;
    pack.levels = LevelPacks::readLevels(lines);
    for (int i = 0; i < static_cast<int>(pack.levels.size()); ++i) {
        const int at = LevelPacks::lineOfLevel(lines, i);
        if (at < 0 || lines[static_cast<std::size_t>(at)].words.at(0) !=
                          pack.levels[static_cast<std::size_t>(i)].mapPath)
            __builtin_trap();
        LevelPacks::startable(pack, i);
        LevelPacks::winLine(&pack, i);
    }
    return 0;
}
