#include "game/GameFolder.h"

#include <filesystem>
#include <map>
#include <tuple>

#include "game/GameFolderFiles.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

namespace fs = std::filesystem;

namespace {

using GameFolder::Step;

TEST(GameFolderRules, PlayerFolderFollowsXdgDataHomeOnlyWhenItIsAbsolute) {
    // Each row: XDG_DATA_HOME, HOME (null when unset), the player's folder.
    const char* const rows[][3] = {{"/data", "/home/p", "/data/dovra"},
                                   {nullptr, "/home/p", "/home/p/.local/share/dovra"},
                                   {"", "/home/p", "/home/p/.local/share/dovra"},
                                   {"relative/data", "/home/p", "/home/p/.local/share/dovra"},
                                   {nullptr, nullptr, ""},
                                   {nullptr, "not/absolute", ""}};
    for (const auto& [xdg, home, folder] : rows)
        EXPECT_EQ(GameFolder::playerFolder(xdg, home), folder)
            << (xdg ? xdg : "(unset)") << " " << (home ? home : "(unset)");
}

TEST(GameFolderRules, UnlocksCarryOverByMapAndEveryOtherLineStaysByteForByte) {
    const std::string player =
        "Editor/Levels/a.txt A 1\nEditor/Levels/b.txt B 7\nEditor/Levels/c.txt C 1x\n"
        "Editor/Levels/d.txt D\nEditor/Levels/e.txt E 0\n";
    const std::set<std::string> unlocked = GameFolder::unlockedMaps(player);
    EXPECT_EQ(unlocked, (std::set<std::string>{"Editor/Levels/a.txt", "Editor/Levels/b.txt"}));

    // The new pack renames b, moves it, adds f, and keeps odd spacing, a
    // blank line and a carriage return on lines that do not change.
    const std::string installed =
        "Editor/Levels/a.txt   A  1\r\n\nEditor/Levels/f.txt F 0\n"
        "Editor/Levels/b.txt\tBee 0\r\nEditor/Levels/e.txt E 0\nEditor/Levels/b.txt short";
    EXPECT_EQ(GameFolder::carryUnlocks(installed, unlocked),
              "Editor/Levels/a.txt   A  1\r\n\nEditor/Levels/f.txt F 0\n"
              "Editor/Levels/b.txt Bee 1\nEditor/Levels/e.txt E 0\nEditor/Levels/b.txt short");
    // Nothing unlocked: the installed pack as it is.
    EXPECT_EQ(GameFolder::carryUnlocks(installed, {}), installed);
    // The list: a new shipped pack comes, the one the player installed stays.
    EXPECT_EQ(
        GameFolder::keepAddedPacks("P/a.txt A\nP/n.txt New", "P/a.txt A\n\nP/mine-v1.txt Mine\n"),
        "P/a.txt A\nP/n.txt New\nP/mine-v1.txt Mine\n");
}

// Each row: the state of one file of a writable folder and what must happen.
TEST(GameFolderRules, UpgradesBringNewFilesButNeverReplaceWhatThePlayerChanged) {
    const std::uint64_t old = 1, fresh = 2, edited = 3;
    // Why; the file's state (a pack, the player has it, recorded, the three
    // prints); the step.
    const std::tuple<const char*, GameFolder::FileState, Step> rows[] = {
        {"first start", {false, false, false, 0, fresh, 0}, Step::Copy},
        {"a player's deleted copy comes back", {true, false, true, old, old, 0}, Step::Copy},
        {"package unchanged, map edited", {false, true, true, old, old, edited}, Step::Keep},
        {"package unchanged, progress made", {true, true, true, old, old, edited}, Step::Keep},
        {"new pack, progress made", {true, true, true, old, fresh, edited}, Step::Merge},
        {"new pack, no record", {true, true, false, 0, fresh, edited}, Step::Merge},
        {"new map, copy untouched", {false, true, true, old, fresh, old}, Step::Copy},
        {"new map, player saved over it", {false, true, true, old, fresh, edited}, Step::Keep},
        {"new map, no record", {false, true, false, 0, fresh, edited}, Step::Keep},
        {"already the new file", {false, true, true, old, fresh, fresh}, Step::Keep},
    };
    for (const auto& [why, state, step] : rows) EXPECT_EQ(GameFolder::stepFor(state), step) << why;
}

// A small installed game and a player's folder, both in the test's own
// temporary folder. A first start and an upgrade with progress made are
// played by the installed-game test; these are the cases it cannot reach.
class PreparedFolder : public testing::Test {
protected:
    void SetUp() override {
        static int run = 0;
        root = nktest::tempPath("folder" + std::to_string(run++));
        data = root + "/usr/share/games/dovra";
        folder = root + "/home/.local/share/dovra";
        put("VAZEzadide/glsl/Shaders/lights.vert", "void main() {}\n");
        put("Editor/Levels/m1.txt", "map one\n");
        put("Editor/Boxes/Dovra/crate.png", "crate");
    }
    void put(const std::string& relative, const std::string& text) {
        fs::create_directories(fs::path(data + "/" + relative).parent_path());
        nktest::writeFile(data + "/" + relative, text);
    }
    // Every path under the installed data with its contents, to prove that
    // preparing never writes there.
    std::map<std::string, std::string> installedTree() {
        std::map<std::string, std::string> tree;
        for (const auto& e : fs::recursive_directory_iterator(data))
            tree[e.path().string()] = e.is_regular_file() ? nktest::contentsOf(e.path()) : "/";
        return tree;
    }
    std::string root, data, folder;
};

TEST_F(PreparedFolder, LinksArePointedAgainButThePlayersOwnFilesAndFoldersStay) {
    ASSERT_EQ(GameFolder::prepare(data, folder), "");
    // A link left by an install elsewhere, a folder of the player's own where
    // a link would go, and a link where the game must write.
    fs::remove(folder + "/VAZEzadide");
    fs::create_symlink(root + "/elsewhere", folder + "/VAZEzadide");
    fs::remove(folder + "/Editor/Boxes");
    fs::create_directories(folder + "/Editor/Boxes/Mine");
    fs::remove_all(folder + "/Editor/Levels");
    fs::create_symlink(data + "/Editor/Levels", folder + "/Editor/Levels");
    const auto before = installedTree();
    ASSERT_EQ(GameFolder::prepare(data, folder), "");
    EXPECT_EQ(installedTree(), before);
    EXPECT_EQ(fs::read_symlink(folder + "/VAZEzadide"), fs::path(data + "/VAZEzadide"));
    EXPECT_TRUE(fs::is_directory(folder + "/Editor/Boxes/Mine"));
    EXPECT_FALSE(fs::is_symlink(folder + "/Editor/Levels"));
    EXPECT_EQ(nktest::contentsOf(folder + "/Editor/Levels/m1.txt"), "map one\n");
}

// Each row: the program's path, the folder it starts in, whether HOME is
// set, then whether the game moves into the player's folder and whether it
// reports an error. A build in a source folder has no installed data beside
// it; an installed game started in a folder with a game of its own plays
// that one; without HOME there is nowhere to move to.
TEST_F(PreparedFolder, TheInstalledGameMovesOnlyWhenTheWorkingFolderHoldsNoGame) {
    const fs::path started = fs::current_path();
    const std::string program = root + "/usr/games/dovra", home = root + "/home";
    const std::string empty = root, source = NK_SOURCE_DIR;
    const std::tuple<std::string, std::string, bool, bool, bool> rows[] = {
        {root + "/build/bin/dovra", empty, true, false, false},
        {program, source, true, false, false},
        {program, data, true, true, false},
        {program, empty, true, true, false},
        {program, empty, false, false, true}};
    for (const auto& [binary, working, hasHome, moved, error] : rows) {
        const GameFolder::Start s = GameFolder::enter(binary, "../share/games/dovra", working,
                                                      nullptr, hasHome ? home.c_str() : nullptr);
        const fs::path now = fs::current_path();
        fs::current_path(started);
        EXPECT_EQ(std::vector<bool>({s.moved, !s.error.empty(), now == fs::path(folder)}),
                  std::vector<bool>({moved, error, moved}))
            << binary << " in " << working;
    }
}

}  // namespace
