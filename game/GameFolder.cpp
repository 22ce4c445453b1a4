#include "game/GameFolder.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

namespace GameFolder {

namespace {

bool within(const std::string& relative, const std::string& folder) {
    return relative.size() > folder.size() && relative.compare(0, folder.size(), folder) == 0 &&
           relative[folder.size()] == '/';
}

// The words of one line as the game's text files split them: at runs of
// blanks, tabs and a carriage return.
std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool unlockedFlag(const std::string& word) {
    int flag = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), flag);
    return error == std::errc() && end == word.data() + word.size() && flag != 0;
}

// Calls `each` with every line of `text` (line feed dropped) and whether a
// line feed ended it.
template <class F>
void forEachLine(const std::string& text, F each) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool ended = end != std::string::npos;
        if (!ended) end = text.size();
        each(text.substr(start, end - start), ended);
        start = end + 1;
    }
}

}  // namespace

Part partOf(const std::string& relative) {
    for (const char* writable : {packFolder, mapFolder}) {
        const std::string folder = writable;
        if (relative == folder) return Part::Writable;
        if (within(folder, relative)) return Part::Folder;
    }
    return Part::Link;
}

std::string playerFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/dovra";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/dovra";
    return "";
}

std::string resolveAgainst(const std::string& base, const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    return (std::filesystem::path(base) / path).lexically_normal().string();
}

std::string dataRootOf(const std::string& program, const std::string& dataFromProgram) {
    std::filesystem::path folder = std::filesystem::path(program).parent_path();
    std::string root = (folder / dataFromProgram).lexically_normal().string();
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

std::uint64_t fingerprint(const std::string& contents) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : contents) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

Record readRecord(const std::string& text) {
    Record record;
    forEachLine(text, [&](const std::string& line, bool) {
        const std::size_t blank = line.find(' ');
        if (blank != 16 || line.size() < 18) return;  // not a line we wrote
        std::uint64_t print = 0;
        const char* first = line.data();
        const auto [end, error] = std::from_chars(first, first + 16, print, 16);
        if (error != std::errc() || end != first + 16) return;
        record[line.substr(17)] = print;
    });
    return record;
}

std::string writeRecord(const Record& record) {
    std::string text;
    char hex[17];
    for (const auto& [path, print] : record) {
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(print));
        text += std::string(hex) + " " + path + "\n";
    }
    return text;
}

std::set<std::string> unlockedMaps(const std::string& packText) {
    std::set<std::string> maps;
    forEachLine(packText, [&](const std::string& line, bool) {
        const std::vector<std::string> words = wordsOf(line);
        if (words.size() > 2 && unlockedFlag(words[2])) maps.insert(words[0]);
    });
    return maps;
}

std::string carryUnlocks(const std::string& installedText, const std::set<std::string>& unlocked) {
    std::string text;
    forEachLine(installedText, [&](const std::string& line, bool ended) {
        std::vector<std::string> words = wordsOf(line);
        if (words.size() > 2 && !unlockedFlag(words[2]) && unlocked.count(words[0])) {
            // Rebuilt the way the game rewrites a line when a win unlocks it.
            words[2] = "1";
            std::string rebuilt;
            for (const std::string& word : words) rebuilt += (rebuilt.empty() ? "" : " ") + word;
            text += rebuilt;
        } else {
            text += line;
        }
        if (ended) text += '\n';
    });
    return text;
}

std::string keepAddedPacks(const std::string& installedList, const std::string& playerList) {
    std::set<std::string> listed;
    forEachLine(installedList, [&](const std::string& line, bool) {
        const std::vector<std::string> words = wordsOf(line);
        if (!words.empty()) listed.insert(words[0]);
    });
    std::string text = installedList;
    forEachLine(playerList, [&](const std::string& line, bool) {
        const std::vector<std::string> words = wordsOf(line);
        if (words.empty() || listed.count(words[0])) return;
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += line + '\n';
    });
    return text;
}

Step stepFor(const FileState& s) {
    if (!s.playerHasIt) return Step::Copy;
    // The installed file is the one the player's copy came from, or the two
    // already agree: there is nothing new to bring.
    if ((s.recorded && s.recordedPrint == s.installedPrint) || s.playerPrint == s.installedPrint)
        return Step::Keep;
    if (s.isPack) return Step::Merge;
    // A map the player never changed since it was copied takes the new
    // version; one they saved over is theirs and stays.
    if (s.recorded && s.playerPrint == s.recordedPrint) return Step::Copy;
    return Step::Keep;
}

}  // namespace GameFolder
