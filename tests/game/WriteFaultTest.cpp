// Every file the game writes, with each step of the write failing in turn
// (opening the new file, writing it, syncing it to disk, renaming it over
// the old): the old file stays whole, no half file is left beside it, and the game does what
// that write's failure calls for. A map save that fails is fatal and keeps
// the crash copy; the crash copy itself tries again on its next period.
#include <filesystem>
#include <functional>

#include "engine/TextFileStore.h"
#include "game/GameFolderFiles.h"
#include "game/LevelPacks.h"
#include "game/Replay.h"
#include "tests/game/GameKit.h"

namespace fs = std::filesystem;

namespace {

struct Fault {
    NK::WriteStep step = NK::WriteStep::Open;
    int calls = 0;    // of the step, so far
    int failing = 1;  // the call of the step that fails
};
Fault fault;
const NK::WriteStep steps[] = {NK::WriteStep::Open, NK::WriteStep::Write, NK::WriteStep::Sync,
                               NK::WriteStep::Rename};

bool failChosen(NK::WriteStep step, const std::string&) {
    return step == fault.step && ++fault.calls == fault.failing;
}

// A file the game replaces, and what its failing write must give back:
// the start of a fatal error's text, "refused", or "" for a write that fails
// quietly to try again later.
struct Write {
    const char* what;
    std::string path;
    std::function<std::string()> run;
    std::string expected;
};

std::string leftBeside(const std::string& path) {
    std::string left;
    for (const auto& e : fs::directory_iterator(fs::path(path).parent_path()))
        if (e.path().string().find(".saving") != std::string::npos) left += e.path().string();
    return left;
}

}  // namespace

TEST(WriteFaults, FailedWriteLosesTheOldFileLeavesHalfAFileOrIsNotReported) {
    Game& g = gamekit::game();
    gamekit::open(Editor);
    ImportExportPanel& io = g.importExport();
    // Any file's old contents; a pack file's, so progress can be read from it.
    const std::string old = "Editor/Levels/a.txt A 1\nEditor/Levels/b.txt B 0\n";
    const std::string copy = io.recoveryPath;
    const std::string folder = nktest::tempPath("write-faults");
    fs::create_directories(folder + "/LevelPacks");
    const std::string packPath = folder + "/LevelPacks/p.txt";
    NK::TextFileStore files;
    const int period = io.recoverySeconds;

    auto fatal = [](const std::function<void()>& write) {
        return nktest::catchFatal(write).text.substr(0, 11);
    };
    const Write writes[] = {
        {"a map saved", "Editor/Levels/saved.txt",
         [&] {
             nktest::writeFile(copy, "the crash copy\n");
             const std::string shown = fatal([&] { io.saveMap("Editor/Levels/saved.txt"); });
             const bool copyKept = nktest::contentsOf(copy) == "the crash copy\n";
             std::remove(copy.c_str());
             return shown + (copyKept ? "" : " (crash copy lost)");
         },
         "File path \""},
        {"the crash copy", copy,
         [&] {
             io.recoverySeconds = 1;
             io.dropRecovery();  // its period starts now, the last copy gone
             nktest::writeFile(copy, old);
             for (int t = 0; t < 60; ++t) io.keepRecovery();
             return std::string();
         },
         ""},
        {"pack progress", packPath,
         [&] {
             LevelPack pack;
             pack.path = packPath;
             pack.levels.resize(2);
             return fatal([&] { LevelPacks::saveProgress(files, pack, 0); });
         },
         "File path \""},
        {"a replay recorded", folder + "/run.txt",
         [&] {
             ReplayRecorder recorder("Editor/Levels/m.txt");
             recorder.add(PlayInput());
             const bool written = recorder.write(folder + "/run.txt", Replay::Outcome::Won, 1);
             return std::string(written ? "written" : "refused");
         },
         "refused"},
    };
    io.clearMap();
    io.loadMap(nktest::sourcePath("tests/data/maps/two_of_each.txt"));

    NK::writeFault = failChosen;
    for (const Write& w : writes) {
        for (const NK::WriteStep step : steps) {
            const std::string where = std::string(w.what) + ", step " + std::to_string(int(step));
            nktest::writeFile(w.path, old);
            fault = {step, 0, 1};
            EXPECT_EQ(w.run(), w.expected) << where;
            EXPECT_GE(fault.calls, 1) << where << ": the write never reached the step";
            EXPECT_EQ(nktest::contentsOf(w.path), old) << where;
            EXPECT_EQ(leftBeside(w.path), "") << where;
        }
    }
    // Tried again on its next period, as the editor ticks, the crash copy is
    // written.
    NK::writeFault = nullptr;
    gamekit::ticks(60);
    EXPECT_EQ(nktest::contentsOf(copy), io.snapshot());
    io.recoverySeconds = period;
    io.clearMap();
    std::remove(copy.c_str());
    gamekit::open(MainMenu);
}

// The player's folder prepared on a first start: any write failing there is
// reported with the file and nothing half-written is left.
TEST(WriteFaults, FirstStartFolderHalfWrittenOrItsFailureUnreported) {
    const std::string root = nktest::tempPath("write-faults-first");
    const std::string data = root + "/data", folder = root + "/home";
    // A pack list, its pack and a map; only that each is written matters.
    for (const char* file : {"Resources/LevelPacks/packs_info.txt", "Resources/LevelPacks/a.txt",
                             "Editor/Levels/m.txt"}) {
        fs::create_directories(fs::path(data + "/" + file).parent_path());
        nktest::writeFile(data + "/" + file, "Resources/LevelPacks/a.txt A x\n");
    }
    NK::writeFault = failChosen;
    for (const NK::WriteStep step : steps) {
        // Each write of the first start failing in turn, the record last.
        for (int failing = 1;; ++failing) {
            fs::remove_all(folder);
            fault = {step, 0, failing};
            const std::string problem = GameFolder::prepare(data, folder);
            if (fault.calls < failing) break;
            EXPECT_NE(problem.find("cannot be written"), std::string::npos)
                << static_cast<int>(step) << ", write " << failing << ": " << problem;
            for (const auto& e : fs::recursive_directory_iterator(folder))
                EXPECT_EQ(e.path().string().find(".saving"), std::string::npos) << e.path();
        }
    }
    NK::writeFault = nullptr;
    fs::remove_all(folder);
    EXPECT_EQ(GameFolder::prepare(data, folder), "");
}
