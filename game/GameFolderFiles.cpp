#include "game/GameFolderFiles.h"

#include "game/LevelPacks.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "engine/TextFileStore.h"
#include "game/GameFolder.h"

namespace fs = std::filesystem;

namespace GameFolder {

namespace {

bool readFile(const fs::path& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written beside its place and renamed over it once whole, as the game saves,
// so a crash mid-copy never leaves half a pack file. A link standing where
// the file goes is replaced, never written through.
bool writeWhole(const fs::path& path, const std::string& contents) {
    return NK::replaceWhole(path.string(), contents);
}

// The entries of a folder in name order, so every start does the same work.
std::vector<fs::path> entriesOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

class Preparation {
public:
    Preparation(fs::path data, fs::path folder)
        : data(std::move(data)), folder(std::move(folder)) {}

    std::string run() {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error || !fs::is_directory(folder)) {
            fail(folder, "cannot be made a folder");
            return problem;
        }
        for (const char* writable : {packFolder, mapFolder}) {
            fs::path path;
            for (const fs::path& part : fs::path(writable)) {
                path /= part;
                if (!realFolder(path)) return problem;
            }
        }
        if (!linkReadOnlyParts("")) return problem;
        std::string recordText;
        readFile(folder / recordName, recordText);
        Record record = readRecord(recordText);
        const Record before = record;
        if (!bringWritableFiles(record)) return problem;
        if (record != before && !writeWhole(folder / recordName, writeRecord(record)))
            fail(folder / recordName, "cannot be written");
        return problem;
    }

private:
    bool fail(const fs::path& path, const std::string& why) {
        problem = "\"" + path.string() + "\" " + why;
        return false;
    }

    // A folder of the player's own at `relative`. A link there (to the
    // installed data) is replaced: what the game writes must never go
    // through it.
    bool realFolder(const fs::path& relative) {
        const fs::path path = folder / relative;
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::is_symlink(status)) fs::remove(path, error);
        if (fs::is_directory(fs::symlink_status(path, error))) return true;
        fs::create_directory(path, error);
        if (error) return fail(path, "cannot be made a folder");
        return true;
    }

    // Links every read-only part of the data; descends into the folders that
    // hold writable parts. A link already there is pointed at the installed
    // copy again; a file or folder the player put there is theirs and stays.
    bool linkReadOnlyParts(const fs::path& relative) {
        for (const fs::path& entry : entriesOf(data / relative)) {
            const fs::path part = relative / entry.filename();
            const Part kind = partOf(part.generic_string());
            if (kind == Part::Folder) {
                if (!realFolder(part) || !linkReadOnlyParts(part)) return false;
            } else if (kind == Part::Link && !link(part)) {
                return false;
            }
        }
        return true;
    }

    bool link(const fs::path& relative) {
        const fs::path path = folder / relative, target = data / relative;
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::is_symlink(status)) {
            if (fs::read_symlink(path, error) == target && !error) return true;
            fs::remove(path, error);
        } else if (fs::exists(status)) {
            return true;
        }
        fs::create_symlink(target, path, error);
        if (error) return fail(path, "cannot be made a link to \"" + target.string() + "\"");
        return true;
    }

    bool bringWritableFiles(Record& record) {
        // Unlocks are gathered from every pack of the player's before any is
        // rewritten, so a level keeps its unlock even if it moved to another
        // pack file.
        std::set<std::string> unlocked;
        for (const fs::path& path : entriesOf(folder / packFolder)) {
            std::string text;
            if (fs::is_regular_file(path) && readFile(path, text)) {
                const std::set<std::string> maps = unlockedMaps(text);
                unlocked.insert(maps.begin(), maps.end());
            }
        }
        for (const char* writable : {packFolder, mapFolder}) {
            for (const fs::path& installed : entriesOf(data / writable)) {
                if (!fs::is_regular_file(installed)) continue;
                const std::string relative =
                    (fs::path(writable) / installed.filename()).generic_string();
                if (!bring(installed, relative, std::string(writable) == packFolder, unlocked,
                           record))
                    return false;
            }
        }
        return true;
    }

    bool bring(const fs::path& installed, const std::string& relative, bool isPack,
               const std::set<std::string>& unlocked, Record& record) {
        std::string installedText, playerText;
        if (!readFile(installed, installedText)) return fail(installed, "cannot be read");
        const fs::path mine = folder / relative;
        FileState state;
        state.isPack = isPack;
        state.playerHasIt = fs::is_regular_file(mine) && readFile(mine, playerText);
        const auto found = record.find(relative);
        state.recorded = found != record.end();
        state.recordedPrint = state.recorded ? found->second : 0;
        state.installedPrint = fingerprint(installedText);
        state.playerPrint = fingerprint(playerText);
        const Step step = stepFor(state);
        if (step == Step::Copy && !writeWhole(mine, installedText))
            return fail(mine, "cannot be written");
        // The pack list holds no progress, but the packs the player installed.
        const std::string merged = relative == LevelPacks::listPath
                                       ? keepAddedPacks(installedText, playerText)
                                       : carryUnlocks(installedText, unlocked);
        if (step == Step::Merge && !writeWhole(mine, merged))
            return fail(mine, "cannot be written");
        record[relative] = state.installedPrint;
        return true;
    }

    fs::path data, folder;
    std::string problem;
};

bool sameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, error) && !error;
}

}  // namespace

bool holdsGameData(const std::string& folder) {
    std::error_code error;
    return !folder.empty() &&
           fs::is_regular_file(fs::path(folder) / "VAZEzadide/glsl/Shaders/lights.vert", error);
}

std::string prepare(const std::string& dataRoot, const std::string& folder) {
    return Preparation(dataRoot, folder).run();
}

Start enter(const std::string& program, const std::string& dataFromProgram,
            const std::string& workingFolder, const char* xdgDataHome, const char* home) {
    Start start;
    const std::string data = dataRootOf(program, dataFromProgram);
    if (program.empty() || !holdsGameData(data)) return start;  // not installed
    const std::string folder = playerFolder(xdgDataHome, home);
    // A working folder with a game of its own (a source folder, a copy the
    // player made) is played as it is; the installed data is never played
    // in place, since nothing may be written there.
    if (holdsGameData(workingFolder) && !sameFolder(workingFolder, folder) &&
        !sameFolder(workingFolder, data))
        return start;
    if (folder.empty()) {
        start.error = "no home folder to keep the game's files in (HOME is not set)";
        return start;
    }
    start.error = prepare(data, folder);
    if (!start.error.empty()) return start;
    std::error_code error;
    fs::current_path(folder, error);
    if (error) {
        start.error = "cannot change to \"" + folder + "\": " + error.message();
        return start;
    }
    start.moved = true;
    start.folder = folder;
    return start;
}

Start enterForThisProgram(const std::string& dataFromProgram) {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path working = fs::current_path(error);
    Start start = enter(program.string(), dataFromProgram, working.string(),
                        std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    start.startedIn = working.string();
    return start;
}

}  // namespace GameFolder
