// libFuzzer target: any bytes as a .dovrapack, read as dovra-pack reads a
// stranger's file before it plays or writes anything: the zip, the pack in
// it, each map and each proof. None may crash, hang or leak; every refusal
// says why; what the archive reader takes is within its bounds; the map
// check asks the file system about no picture outside the editor's picture
// folders; and a pack that reads, written again, reads back the same.
//
// A byte changed inside a zip mostly breaks its checksum, so the reader
// refuses it before the pack rules see it; the mutator below also changes
// one entry's name or text and zips the entries again, which reaches them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "game/PackArchive.h"
#include "game/PackRules.h"
#include "game/Replay.h"

namespace {

// The pictures a game folder holds, as far as the fuzzer's maps can tell.
const std::set<std::string> pictures = {
    "Editor/Backgrounds/Dovra/level1-1.png",
    "Editor/Boxes/Dovra/crate.png",
    "Editor/Circles/Dovra/ball.png",
};

bool pictureThere(const std::string& path) {
    // Only a path inside a picture folder may reach the file system.
    bool inside = false;
    for (const char* folder : {"Editor/Backgrounds/", "Editor/Boxes/", "Editor/Circles/"})
        inside = inside || path.rfind(folder, 0) == 0;
    if (!inside || !PackRules::entryNameProblem(path).empty()) __builtin_trap();
    return pictures.count(path) > 0;
}

void withinBounds(const std::vector<PackRules::Entry>& entries) {
    std::uint64_t total = 0;
    if (entries.size() > PackRules::maxEntries) __builtin_trap();
    for (const PackRules::Entry& e : entries) {
        if (e.data.size() > PackRules::maxEntryBytes ||
            !PackRules::entryNameProblem(e.name).empty())
            __builtin_trap();
        total += e.data.size();
    }
    if (total > PackRules::maxTotalBytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PackArchive::Read archive =
        PackArchive::readBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (archive.status != PackArchive::Read::Status::Ok) {
        if (archive.error.empty()) __builtin_trap();
        return 0;
    }
    withinBounds(archive.entries);
    const PackRules::PackRead read = PackRules::fromEntries(archive.entries);
    if (!read.ok) {
        if (read.error.empty()) __builtin_trap();
        return 0;
    }
    const PackRules::Pack& pack = read.pack;
    if (pack.levels.empty() || pack.levels.size() > PackRules::maxLevels ||
        !PackRules::idProblem(pack.manifest.id).empty() ||
        !PackRules::nameProblem(pack.manifest.name).empty())
        __builtin_trap();
    for (const PackRules::Level& level : pack.levels) {
        if (!pack.entry(level.map) || !pack.entry(level.proof)) __builtin_trap();
        PackRules::mapProblem(*pack.entry(level.map), pictureThere);
        const ReplayParse proof = parseReplay(*pack.entry(level.proof));
        if (!proof.ok && proof.error.empty()) __builtin_trap();
    }

    // The pack as dovra-pack create would write it reads back to the same.
    const std::vector<PackRules::Entry> entries = PackRules::toEntries(pack);
    const PackArchive::Read again = PackArchive::readBytes(PackArchive::zipBytes(entries));
    if (again.status != PackArchive::Read::Status::Ok || again.entries.size() != entries.size())
        __builtin_trap();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (again.entries[i].name != entries[i].name || again.entries[i].data != entries[i].data)
            __builtin_trap();
    const PackRules::PackRead reread = PackRules::fromEntries(again.entries);
    if (!reread.ok || reread.pack.levels.size() != pack.levels.size() ||
        PackRules::writeManifest(reread.pack.manifest) != PackRules::writeManifest(pack.manifest))
        __builtin_trap();
    for (std::size_t i = 0; i < pack.levels.size(); ++i)
        if (reread.pack.levels[i].map != pack.levels[i].map ||
            reread.pack.levels[i].label != pack.levels[i].label)
            __builtin_trap();
    return 0;
}

// libFuzzer's own mutator; absent (null) when the kept inputs run without it.
extern "C" __attribute__((weak)) std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size,
                                                              std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand random(seed);
    PackArchive::Read read =
        PackArchive::readBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (read.status != PackArchive::Read::Status::Ok || read.entries.empty() || random() % 4 == 0)
        return LLVMFuzzerMutate(data, size, maxSize);
    PackRules::Entry& entry = read.entries[random() % read.entries.size()];
    std::string& field = random() % 8 == 0 ? entry.name : entry.data;
    std::string buffer = field;
    const std::size_t used = buffer.size();
    buffer.resize(used * 2 + 64);
    buffer.resize(
        LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(&buffer[0]), used, buffer.size()));
    field = buffer;
    const std::string zipped = PackArchive::zipBytes(read.entries);
    if (zipped.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, zipped.data(), zipped.size());
    return zipped.size();
}
