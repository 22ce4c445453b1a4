// A pack installs all or nothing: each file the install writes failing in
// turn, at each step of its write, leaves the game folder exactly as it was,
// for a first install and for an upgrade; and an install killed before its
// pack list was written leaves nothing in the way of the next one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "engine/TextFileStore.h"
#include "game/GameFolderFiles.h"
#include "game/LevelPacks.h"
#include "game/PackInstall.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

// Version 2 brings a changed second map, so an upgrade rewrites a file.
PackRules::Pack packOf(int version) {
    PackRules::Manifest m;
    m.id = "faults";
    m.name = "Faulty Wing";
    m.version = version;
    const std::string ground =
        nktest::contentsOf(nktest::sourcePath("tests/data/maps/ground_only.txt"));
    const std::string second = version == 1 ? ground : ground + "\n";
    const PackRules::PackRead read = PackRules::fromEntries(
        {{"manifest.txt", PackRules::writeManifest(m)},
         {"levels.txt", "maps/a.txt A 1\nmaps/b.txt B 0\n"},
         {"maps/a.txt", ground},
         {"proofs/a.replay", "map maps/a.txt\nexpect won 90\nhold D 0 200\n"},
         {"maps/b.txt", second},
         {"proofs/b.replay", "map maps/b.txt\nexpect won 90\nhold D 0 200\n"}});
    EXPECT_TRUE(read.ok) << read.error;
    return read.pack;
}

// Every path under `folder` with what it holds: a link's target, a file's
// contents as a hash. Links into the source tree are not followed.
std::string state(const std::string& folder) {
    std::vector<std::string> lines;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
        std::string line = fs::relative(e.path(), folder).string();
        if (e.is_symlink())
            line += " -> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file())
            line += " " + std::to_string(std::hash<std::string>()(nktest::contentsOf(e.path())));
        lines.push_back(line + "\n");
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

struct Fault {
    int write = 0;  // the write that fails, counted from 1 by its opening
    NK::WriteStep step = NK::WriteStep::Open;
    int writes = 0;  // opened so far
};
Fault fault;

bool failOne(NK::WriteStep step, const std::string&) {
    if (step == NK::WriteStep::Open) ++fault.writes;
    return fault.writes == fault.write && step == fault.step;
}

// The process dying just before the pack list is written: nothing after
// that point runs, the clean-up of a failed install included.
struct Killed {};
bool killAtList(NK::WriteStep, const std::string& path) {
    if (path.size() >= 14 && path.compare(path.size() - 14, 14, "packs_info.txt") == 0)
        throw Killed{};
    return false;
}

}  // namespace

TEST(PackInstallFaults, FailedWriteLeavesAPartInstallOrAKilledOneBlocksTheNext) {
    for (const int installed : {0, 1}) {  // version 2 installed afresh, then over version 1
        const std::string what = installed ? "upgrade" : "first-install";
        const PackRules::Pack pack = packOf(2);
        // A game folder with version `installed` in it, its second level won.
        auto folderBefore = [&](const std::string& name) {
            const std::string folder = nktest::tempPath(what + "-" + name);
            fs::remove_all(folder);
            EXPECT_EQ(GameFolder::prepare(NK_SOURCE_DIR, folder), "");
            if (installed) {
                EXPECT_EQ(PackInstall::install(packOf(installed), folder, false), "");
                const std::string file = folder + "/" + PackInstall::list(folder).at(0).packFile;
                std::string text = nktest::contentsOf(file);
                nktest::writeFile(file, text.replace(text.rfind(" 0"), 2, " 1"));
            }
            return folder;
        };
        const std::string clean = folderBefore("clean");
        NK::writeFault = failOne;
        fault = {};
        ASSERT_EQ(PackInstall::install(pack, clean, installed), "");
        const int writes = fault.writes;
        const std::string done = state(clean);
        EXPECT_EQ(done.find("v1"), std::string::npos) << "the replaced version stays:\n" << done;

        const std::string folder = folderBefore("faults");
        const std::string before = state(folder);
        ASSERT_NE(done, before);
        for (int write = 1; write <= writes; ++write) {
            for (const NK::WriteStep step : {NK::WriteStep::Open, NK::WriteStep::Write,
                                             NK::WriteStep::Sync, NK::WriteStep::Rename}) {
                const std::string where = what + ", write " + std::to_string(write) + ", step " +
                                          std::to_string(int(step));
                fault = {write, step, 0};
                EXPECT_NE(PackInstall::install(pack, folder, installed), "") << where;
                EXPECT_EQ(state(folder), before) << where;
            }
        }
        NK::writeFault = killAtList;
        EXPECT_THROW(PackInstall::install(pack, folder, installed), Killed) << what;
        EXPECT_NE(state(folder), before) << what << ": the killed install staged nothing";
        NK::writeFault = nullptr;
        EXPECT_EQ(PackInstall::install(pack, folder, installed), "") << what;
        EXPECT_EQ(state(folder), done) << what;
    }
}
