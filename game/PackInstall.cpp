#include "game/PackInstall.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "game/GameFolder.h"
#include "game/LevelPacks.h"

namespace fs = std::filesystem;

namespace PackInstall {
namespace {

constexpr const char* manifestCopy = "manifest.txt";
constexpr const char* levelsCopy = "levels.txt";

bool readText(const fs::path& path, std::string& text) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string readOr(const fs::path& path) {
    std::string text;
    return readText(path, text) ? text : "";
}

std::string firstWord(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    return word;
}

// The pack list's lines, each with its line end, so a rewrite keeps every
// line it does not mean to change byte for byte.
std::vector<std::string> listLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

// An installed pack's files from its pack file's path, "" id when the path
// is not one an install makes.
Installed fromPackFile(const std::string& packFile) {
    Installed found;
    const std::string prefix = std::string(GameFolder::packFolder) + "/";
    if (packFile.compare(0, prefix.size(), prefix) != 0 || packFile.size() < prefix.size() + 8 ||
        packFile.compare(packFile.size() - 4, 4, ".txt") != 0)
        return found;
    const std::string stem = packFile.substr(prefix.size(), packFile.size() - prefix.size() - 4);
    const std::size_t dash = stem.rfind("-v");
    if (dash == std::string::npos) return found;
    const std::string id = stem.substr(0, dash), tag = stem.substr(dash + 1);
    if (!PackRules::idProblem(id).empty()) return found;
    found.manifest.id = id;
    found.packFile = packFile;
    found.mapFolder = std::string(GameFolder::mapFolder) + "/" + id + "/" + tag + "/";
    return found;
}

// What an install brought into `mapFolder`, by the level list it left there.
std::vector<std::string> broughtFiles(const fs::path& mapFolder) {
    std::vector<std::string> files = {manifestCopy, levelsCopy};
    std::istringstream in(readOr(mapFolder / levelsCopy));
    for (std::string line; std::getline(in, line);) {
        const std::string map = firstWord(line);
        if (map.compare(0, 5, "maps/") == 0) files.push_back(map.substr(5));
    }
    return files;
}

// Takes out what one install brought, and the folders it made once empty;
// anything else in them (a map the player saved there) stays.
void removeBrought(const fs::path& root, const std::string& mapFolder,
                   const std::string& packFile) {
    std::error_code ignored;
    const fs::path maps = (root / mapFolder).parent_path();  // without its closing "/"
    for (const std::string& file : broughtFiles(maps)) fs::remove(maps / file, ignored);
    fs::remove(maps, ignored);                // only when empty
    fs::remove(maps.parent_path(), ignored);  // the pack's folder, likewise
    if (!packFile.empty()) fs::remove(root / packFile, ignored);
}

// Folders of `id` that no list line names: left by an install that failed
// or was killed before its list was written.
void clearLeftovers(const fs::path& root, const std::string& id, const std::string& listText) {
    std::error_code error;
    const fs::path packDir = root / GameFolder::mapFolder / id;
    if (!fs::is_directory(packDir, error)) return;
    std::vector<std::string> named;
    for (const std::string& line : listLines(listText)) named.push_back(firstWord(line));
    for (const fs::directory_entry& tagDir : fs::directory_iterator(packDir, error)) {
        const std::string tag = tagDir.path().filename().string();
        const std::string packFile =
            std::string(GameFolder::packFolder) + "/" + id + "-" + tag + ".txt";
        const bool installs = fs::is_regular_file(tagDir.path() / manifestCopy, error);
        if (installs && std::find(named.begin(), named.end(), packFile) == named.end())
            removeBrought(root, fromPackFile(packFile).mapFolder, packFile);
    }
}

bool write(const fs::path& path, const std::string& text) {
    return NK::replaceWhole(path.string(), text);
}

}  // namespace

std::vector<Installed> list(const std::string& folder) {
    std::vector<Installed> packs;
    for (const std::string& line : listLines(readOr(fs::path(folder) / LevelPacks::listPath))) {
        Installed found = fromPackFile(firstWord(line));
        if (found.manifest.id.empty()) continue;
        const std::string id = found.manifest.id;
        const fs::path manifest = fs::path(folder) / found.mapFolder / manifestCopy;
        if (PackRules::readManifest(readOr(manifest), found.manifest).empty() &&
            found.manifest.id == id)
            packs.push_back(found);
    }
    return packs;
}

std::string clash(const PackRules::Pack& pack, const std::string& folder, bool replace) {
    const PackRules::Manifest& m = pack.manifest;
    const std::vector<Installed> installed = list(folder);
    for (const std::string& line : listLines(readOr(fs::path(folder) / LevelPacks::listPath))) {
        const std::vector<LevelPack> packs = LevelPacks::readList(NK::TextFile::parse(line));
        if (packs.empty()) continue;
        const auto same = std::find_if(installed.begin(), installed.end(), [&](const Installed& i) {
            return i.packFile == packs[0].path && i.manifest.id == m.id;
        });
        if (same != installed.end()) {
            if (!replace) return "pack \"" + m.id + "\" is installed (--replace replaces it)";
        } else if (packs[0].name == m.name) {
            return "name \"" + m.name + "\" is another installed pack's";
        }
    }
    std::error_code error;
    const fs::path packDir = fs::path(folder) / GameFolder::mapFolder / m.id;
    if (fs::exists(fs::symlink_status(packDir, error)) && !fs::is_directory(packDir, error))
        return std::string(GameFolder::mapFolder) + "/" + m.id + " is a file of your own";
    return "";
}

std::string install(const PackRules::Pack& pack, const std::string& folder, bool replace) {
    if (const std::string why = clash(pack, folder, replace); !why.empty()) return why;
    const fs::path root(folder);
    const PackRules::Manifest& m = pack.manifest;
    const std::string listText = readOr(root / LevelPacks::listPath);
    clearLeftovers(root, m.id, listText);
    std::vector<Installed> installed = list(folder);
    const auto old = std::find_if(installed.begin(), installed.end(),
                                  [&](const Installed& i) { return i.manifest.id == m.id; });

    std::error_code error;
    std::string tag = "v" + std::to_string(m.version);
    for (int k = 2; fs::exists(root / GameFolder::mapFolder / m.id / tag, error) ||
                    fs::exists(root / GameFolder::packFolder / (m.id + "-" + tag + ".txt"), error);
         ++k)
        tag = "v" + std::to_string(m.version) + "-" + std::to_string(k);
    const std::string packFile =
        std::string(GameFolder::packFolder) + "/" + m.id + "-" + tag + ".txt";
    const std::string mapFolder = fromPackFile(packFile).mapFolder;

    fs::create_directories(root / mapFolder, error);
    // The manifest and level list go first: the clean-up, here or after a
    // kill, finds what an install brought by them, so a map staged before
    // them would be left behind for good.
    bool staged = !error && write(root / mapFolder / manifestCopy, PackRules::writeManifest(m)) &&
                  write(root / mapFolder / levelsCopy, *pack.entry(PackRules::levelsEntry));
    for (const PackRules::Level& level : pack.levels)
        staged = staged && write(root / mapFolder / level.mapName(), *pack.entry(level.map));
    const std::string previous = old == installed.end() ? "" : readOr(root / old->packFile);
    staged = staged && write(root / packFile, PackRules::packFileText(pack, mapFolder, previous));

    std::vector<std::string> lines = listLines(listText);
    const std::string line = PackRules::listLine(packFile, m.name) + "\n";
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return old != installed.end() && firstWord(l) == old->packFile;
    });
    if (at != lines.end()) {
        *at = line;
    } else {
        if (!lines.empty() && lines.back().back() != '\n') lines.back() += "\n";
        lines.push_back(line);
    }
    // The one write that makes the install happen.
    if (!staged || !write(root / LevelPacks::listPath, joined(lines))) {
        removeBrought(root, mapFolder, packFile);
        return "cannot write into the game folder " + fs::absolute(root).string();
    }
    if (old != installed.end()) removeBrought(root, old->mapFolder, old->packFile);
    return "";
}

std::string remove(const std::string& id, const std::string& folder) {
    const fs::path root(folder);
    const std::vector<Installed> installed = list(folder);
    const auto it = std::find_if(installed.begin(), installed.end(),
                                 [&](const Installed& i) { return i.manifest.id == id; });
    if (it == installed.end()) return "no installed pack \"" + id + "\"";
    std::vector<std::string> lines = listLines(readOr(root / LevelPacks::listPath));
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return firstWord(l) == it->packFile; }),
                lines.end());
    if (!write(root / LevelPacks::listPath, joined(lines)))
        return "cannot write into the game folder " + fs::absolute(root).string();
    removeBrought(root, it->mapFolder, it->packFile);
    clearLeftovers(root, id, joined(lines));
    return "";
}

}  // namespace PackInstall
