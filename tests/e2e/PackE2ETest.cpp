// A level pack's whole way from a designer's editor to a player's level
// browser: maps saved by the editor, bundled by dovra-pack with one proof
// written by hand and one found by the solver, installed into another game
// folder, shown there as a page of its own, played, and upgraded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "editor/ImportExportPanel.h"
#include "engine/GUISystem.h"
#include "engine/TextFile.h"
#include "game/Game.h"
#include "game/GameFolderFiles.h"
#include "game/GameInstance.h"
#include "game/LevelBrowserScreen.h"
#include "game/PackArchive.h"
#include "game/PackInstall.h"
#include "game/PlayScene.h"
#include "game/Replay.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"

namespace {

// Flat ground and an open gate to the right: no camera, no lever, so a walk
// wins and the solver finds one in a few tries.
std::string walkTo(int gateX) {
    return "PLY 400 840\nCAM 0 -540 3000 1620\nFE 2000\nG " + std::to_string(gateX) +
           " 825\n\nSF 0 1000 3000 1000\n";
}

// dovra-pack run with `folder` as its game folder, as a player runs it there.
nktest::CommandRun pack(const std::string& folder, const std::string& args) {
    return nktest::runCommand("cd '" + folder + "' && '" NK_PACK_BINARY "' " + args + " 2>&1");
}

// The installed pack's version and its levels' flags as its pack file holds
// them, e.g. "v1 10"; what is wrong when it is not installed exactly once.
std::string progress(const std::string& folder) {
    const std::vector<PackInstall::Installed> packs = PackInstall::list(folder);
    if (packs.size() != 1) return std::to_string(packs.size()) + " packs installed";
    std::string flags = "v" + std::to_string(packs[0].manifest.version) + " ";
    const std::string text = nktest::contentsOf(folder + "/" + packs[0].packFile);
    for (const PackLevel& level : LevelPacks::readLevels(NK::TextFile::parse(text)))
        flags += level.unlocked ? '1' : '0';
    return flags;
}

}  // namespace

TEST(PackFlow, PackLostOnItsWayToThePlayerOrAnUpgradeLosesTheLevelsWon) {
    const std::string designer = nktest::tempPath("pack-designer");
    const std::string player = nktest::tempPath("pack-player");
    for (const std::string& folder : {designer, player})
        ASSERT_EQ(GameFolder::prepare(NK_SOURCE_DIR, folder), "");
    const std::string started = NK_SOURCE_DIR;

    // The designer's two maps, saved by the editor in their game folder.
    ASSERT_EQ(chdir(designer.c_str()), 0);
    {
        GameInstance game({"Dovra pack designer"});
        game->finishBuilding();
        for (const auto& [name, gateX] : {std::pair{"walk", 1500}, std::pair{"far", 2200}}) {
            ASSERT_TRUE(game->importExport().restore(walkTo(gateX)));
            game->importExport().saveMap(std::string("Editor/Levels/") + name + ".txt");
        }
    }
    nktest::writeFile(designer + "/walk.replay",
                      "map Editor/Levels/walk.txt\nexpect won 68\nhold D 0 400\n");
    const std::string maps = "Editor/Levels/walk.txt Editor/Levels/far.txt";
    const nktest::CommandRun made =
        pack(designer, "create walks \"Two Walks\" " + maps +
                           " --proof Editor/Levels/walk.txt=walk.replay --solve 120");
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_NE(made.output.find("Editor/Levels/far.txt: won at tick "), std::string::npos)
        << made.output;

    const std::string file = designer + "/walks.dovrapack";
    const nktest::CommandRun put = pack(player, "install '" + file + "'");
    ASSERT_EQ(put.status, 0) << put.output;
    EXPECT_EQ(progress(player), "v1 10");

    // The player's game: the pack is the page after the shipped ones, its
    // first level open and its second locked until the first is won.
    ASSERT_EQ(chdir(player.c_str()), 0);
    {
        GameInstance game({"Dovra pack player"});
        LevelBrowserScreen& browser = game->levelBrowser();
        const auto shipped = LevelPacks::readList(
            NK::TextFile::parse(nktest::contentsOf(started + "/" + LevelPacks::listPath)));
        ASSERT_EQ(browser.packs.size(), shipped.size() + 1);
        for (std::size_t i = 0; i < shipped.size(); ++i)
            EXPECT_EQ(browser.packs[i].name, shipped[i].name);
        browser.currentPack = static_cast<int>(shipped.size());
        game->openScene(LevelBrowser);
        game->update();
        EXPECT_EQ(browser.packs.back().name, "Two Walks");
        game->gui().getButton("levels_button_1").first("levels_button_1");
        EXPECT_EQ(game->play().mapPath, "") << "the locked level started";
        game->gui().getButton("levels_button_0").first("levels_button_0");
        ASSERT_NE(game->play().mapPath.find("walk.txt"), std::string::npos);

        // Its proof, played as the replay runner plays it, wins the level.
        const ReplayParse proof = parseReplay(nktest::contentsOf(designer + "/walk.replay"));
        ASSERT_TRUE(proof.ok) << proof.error;
        PlayInput input;
        game->setReplayInput(&input);
        for (int tick = 0; tick < proof.replay.tickLimit() && !game->play().won; ++tick) {
            input = proof.replay.inputAt(tick);
            game->update();
        }
        game->setReplayInput(nullptr);
        EXPECT_TRUE(game->play().won);
        game->play().leaveLevel();
    }
    ASSERT_EQ(chdir(started.c_str()), 0);
    EXPECT_EQ(progress(player), "v1 11");

    // A newer version, both proofs now given: the levels won stay open.
    const PackArchive::Read v1 = PackArchive::readFile(file);
    const auto solved = std::find_if(v1.entries.begin(), v1.entries.end(),
                                     [](const auto& e) { return e.name == "proofs/far.replay"; });
    ASSERT_NE(solved, v1.entries.end()) << v1.error;
    nktest::writeFile(designer + "/far.replay", solved->data);
    const nktest::CommandRun newer =
        pack(designer, "create walks \"Two Walks\" " + maps +
                           " --proof Editor/Levels/walk.txt=walk.replay"
                           " --proof Editor/Levels/far.txt=far.replay --pack-version 2");
    ASSERT_EQ(newer.status, 0) << newer.output;
    const nktest::CommandRun upgraded = pack(player, "install '" + file + "' --replace");
    ASSERT_EQ(upgraded.status, 0) << upgraded.output;
    EXPECT_EQ(progress(player), "v2 11");
}
