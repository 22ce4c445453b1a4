#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "editor/ImportExportPanel.h"
#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Gate.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/AnimationStore.h"
#include "engine/GUISystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/TextFileStore.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/FatalTrap.h"

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A whole level document over a world of its own, saving into a temporary
// folder so no tracked map is ever touched.
class LevelFileTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        char pattern[] = "/tmp/dovra-level-XXXXXX";
        folder = mkdtemp(pattern);
        auto& e = nktest::engine();
        world = std::make_unique<NK::PhysicsWorld>(NK::Vec2(0, 10), e.renderContext);
        sounds = std::make_unique<NK::SoundStore>();
        player =
            std::make_unique<Player>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                     &animations, sounds.get(), e.renderContext);
        player->loadImages();
        gate = std::make_unique<Gate>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                      e.renderContext);
        gate->loadImages();
        backgrounds = std::make_unique<Backgrounds>(e.input, e.view, &paneltest::fonts(),
                                                    &paneltest::bitmaps(), e.renderContext);
        surfaces = std::make_unique<Surfaces>(world.get(), e.input, e.view, &paneltest::fonts(),
                                              &paneltest::bitmaps(), e.renderContext);
        boxes = std::make_unique<Boxes>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                        e.renderContext, &animations, sounds.get());
        circles =
            std::make_unique<Circles>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                      e.renderContext, &animations, sounds.get());
        panel = std::make_unique<ImportExportPanel>(
            ImportExportPanel::Services{nullptr, e.input, e.renderContext, &paneltest::fonts(),
                                        &textFiles},
            LevelDocument::Parts{&paneltest::bitmaps(), player.get(), gate.get(), backgrounds.get(),
                                 surfaces.get(), boxes.get(), circles.get()});
        panel->build();
    }
    void TearDown() override {
        panel->clearMap();
        std::string command = "rm -rf '" + folder + "'";
        ASSERT_EQ(system(command.c_str()), 0);
        PanelTest::TearDown();
    }
    std::string copyOfMap(const std::string& name) {
        std::string path = folder + "/" + name;
        writeFile(path, contentsOf(nktest::sourcePath("tests/data/maps/" + name)));
        return path;
    }
    NK::GUISystem::TextLabel& loadInfo() { return panel->widgets().getTextLabel("load_info"); }

    std::string folder;
    NK::TextFileStore textFiles;
    NK::AnimationStore animations;
    std::unique_ptr<NK::SoundStore> sounds;  // needs the audio add-on up first
    std::unique_ptr<NK::PhysicsWorld> world;
    std::unique_ptr<Player> player;
    std::unique_ptr<Gate> gate;
    std::unique_ptr<Backgrounds> backgrounds;
    std::unique_ptr<Surfaces> surfaces;
    std::unique_ptr<Boxes> boxes;
    std::unique_ptr<Circles> circles;
    std::unique_ptr<ImportExportPanel> panel;
};

}  // namespace

// Load into the real collections and save again: the bytes come back as they
// were, surfaces are real ground, records the level cannot use yet are kept.
TEST_F(LevelFileTest, MapLoadedIntoTheLevelSavesBackByteForByte) {
    std::string source = copyOfMap("every_record.txt");
    panel->loadMap(source);
    EXPECT_EQ(loadInfo().text, "Loaded");
    EXPECT_FLOAT_EQ(loadInfo().textColor.g, 1.0f);
    EXPECT_EQ(backgrounds->keyList().size(), 1u);
    EXPECT_EQ(world->surfaceCount(), 2u);
    EXPECT_EQ(world->getSurface("0").segments.size(), 2u);
    EXPECT_EQ(surfaces->surfaceCounter, 2);
    EXPECT_EQ(boxes->list().size(), 2u);
    EXPECT_EQ(circles->list().size(), 1u);
    EXPECT_FALSE(panel->isMapEmpty());

    std::string saved = folder + "/saved.txt";
    panel->saveMap(saved);
    EXPECT_EQ(contentsOf(saved), contentsOf(source));
    EXPECT_EQ(panel->widgets().getTextLabel("save_info").text, "Saved");
    EXPECT_FALSE(textFiles.contains("map")) << "the temporary text file outlived the save";
}

TEST_F(LevelFileTest, ShortRecordClearsEverythingReadBeforeItAndSaysWrongDataInRed) {
    panel->loadMap(copyOfMap("ground_only.txt"));  // what was there before the load
    panel->loadMap(copyOfMap("broken_short_box.txt"));
    EXPECT_EQ(loadInfo().text, "Wrong data");
    EXPECT_FLOAT_EQ(loadInfo().textColor.r, 1.0f);
    EXPECT_FLOAT_EQ(loadInfo().textColor.g, 0.0f);
    EXPECT_EQ(world->surfaceCount(), 0u);
    EXPECT_TRUE(backgrounds->keyList().empty());
    EXPECT_TRUE(panel->isMapEmpty());
    EXPECT_EQ(surfaces->surfaceCounter, 0);
}

// Saving never leaves half a map: the new file replaces the old whole, and
// a save that cannot be written is the store's fatal error, old file intact.
TEST_F(LevelFileTest, SaveReplacesWholeOrNotAtAll) {
    std::string map = copyOfMap("ground_only.txt");
    std::string before = contentsOf(map);
    panel->loadMap(copyOfMap("empty.txt"));
    panel->saveMap(map);
    EXPECT_EQ(contentsOf(map), contentsOf(nktest::sourcePath("tests/data/maps/empty.txt")));
    EXPECT_NE(access((map + ".saving").c_str(), F_OK), 0) << "temporary file left behind";

    // A directory where the map should go cannot be replaced by a file.
    std::string blocked = folder + "/blocked";
    ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    writeFile(blocked + "/keep.txt", before);
    EXPECT_FATAL(panel->saveMap(blocked), "File path \"" + blocked + "\" not found");
    EXPECT_EQ(contentsOf(blocked + "/keep.txt"), before);
    EXPECT_NE(access((blocked + ".saving").c_str(), F_OK), 0);
}
