#include <stdlib.h>
#include <unistd.h>

#include <regex>

#include "editor/ImportExportPanel.h"
#include "elements/LevelFile.h"
#include "engine/TextFile.h"
#include "engine/TextFileStore.h"
#include "tests/elements/LevelKit.h"
#include "tests/support/Files.h"

namespace {

using nktest::contentsOf;
using nktest::writeFile;

// The page over a whole level, in a temporary game folder: only its
// Editor/Levels is the test's own, the images maps name are read through
// links, so no tracked map is ever touched.
class LevelFileTest : public LevelTest {
protected:
    static constexpr const char* copyPath = "Editor/Levels/.recovery.txt";
    void SetUp() override {
        LevelTest::SetUp();
        static int tests = 0;  // each its own folder, all removed as the binary ends
        folder = nktest::tempPath("levels-" + std::to_string(tests++));
        ASSERT_EQ(system(("mkdir -p '" + folder + "/Editor/Levels'").c_str()), 0);
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        for (const char* shared :
             {"Editor/Backgrounds", "Editor/Boxes", "Editor/Circles", "Resources"})
            ASSERT_EQ(symlink(nktest::sourcePath(shared).c_str(), shared), 0);
        makePanel();
    }
    void TearDown() override {
        panel->clearMap();
        ASSERT_EQ(chdir(previous), 0);
    }
    // As a game start makes it, finding the copy the last run left, if any.
    void makePanel(int recoverySeconds = 30) {
        panel = std::make_unique<ImportExportPanel>(
            ImportExportPanel::Services{nullptr, e.input, e.renderContext, &paneltest::fonts(),
                                        &textFiles, &paneltest::bitmaps()},
            level.parts());
        panel->askToSave = [this] { return ++asked, answer; };
        panel->recoverySeconds = recoverySeconds;
        panel->build();
    }
    std::string copyOfMap(const std::string& name) {
        writeFile(folder + "/" + name, contentsOf(nktest::sourcePath("tests/data/maps/" + name)));
        return folder + "/" + name;
    }
    std::string label(const std::string& key) { return panel->widgets().getTextLabel(key).text; }
    std::vector<std::string> levels() { return nktest::namesIn("Editor/Levels"); }
    void startGameWithCopy() {
        writeFile(copyPath, crashCopy + "\n");  // a blank line the level does not hold
        makePanel(1);
        panel->show();
    }
    void editorTicks(int n) {
        for (int i = 0; i < n; ++i) panel->keepRecovery();
    }

    std::string folder;
    char previous[4096] = {};
    NK::TextFileStore textFiles;
    std::unique_ptr<ImportExportPanel> panel;
    // The file work on its own, as play and the tools use it.
    LevelFile file{textFiles, level.parts()};
    int asked = 0;
    bool answer = true;
    std::string crashCopy = contentsOf(nktest::sourcePath("tests/data/maps/ground_only.txt"));
};

}  // namespace

// A name is checked before anything is read, and an empty one changes
// nothing; a short record clears everything read before it. Saving
// replaces the old file whole (a save that cannot be written: WriteFaults).
TEST_F(LevelFileTest, LoadSkipsTheNameCheckShortRecordKeepsWhatWasReadOrSaveLeavesHalfAMap) {
    panel->loadNamed();
    EXPECT_EQ(label("is_load_path"), "");
    panel->widgets().setTextInputText("load_path", "missing.txt");
    panel->loadNamed();
    EXPECT_EQ(label("is_load_path") + "/" + label("load_info"), "Map not found/");
    writeFile("Editor/Levels/ground.txt", contentsOf(copyOfMap("ground_only.txt")));
    // A click on the name being typed ends the typing as Enter does: checked.
    NK::GUISystem::TextInput& name = panel->widgets().getTextInput("load_path");
    name.first("load_path");
    panel->widgets().setTextInputText("load_path", "ground.txt");
    name.first("load_path");
    EXPECT_TRUE(label("is_load_path") == "Map found" && !panel->typing());
    panel->loadNamed();
    EXPECT_EQ(label("is_load_path") + "/" + label("load_info"), "Map found/Loaded");
    EXPECT_EQ(level.world->surfaceCount(), 1u);
    panel->loadMap(copyOfMap("broken_short_box.txt"));
    EXPECT_EQ(label("load_info"), "Wrong data");
    const NK::Color red = panel->widgets().getTextLabel("load_info").textColor;
    EXPECT_EQ(std::make_pair(red.r, red.g), std::make_pair(1.0f, 0.0f));
    EXPECT_EQ(level.world->surfaceCount(), 0u);
    ASSERT_EQ(panel->snapshot(), contentsOf(copyOfMap("empty.txt")));

    // On an existing name the first save only warns, the second replaces
    // the longer old file whole.
    panel->loadMap(copyOfMap("ground_only.txt"));
    const std::string old = contentsOf(copyOfMap("every_record.txt"));
    writeFile("Editor/Levels/mine.txt", old);
    panel->widgets().setTextInputText("save_path", "mine.txt");
    panel->save();
    EXPECT_EQ(contentsOf("Editor/Levels/mine.txt"), old);
    EXPECT_EQ(label("save_info") + "/" + panel->widgets().getButton("save").text,
              "Map already exists/REWRITE");
    panel->save();
    EXPECT_EQ(contentsOf("Editor/Levels/mine.txt"), contentsOf(copyOfMap("ground_only.txt")));
    EXPECT_NE(access("Editor/Levels/mine.txt.saving", F_OK), 0) << "temporary file left behind";
    EXPECT_EQ(panel->widgets().getButton("save").text, "SAVE");
    // A name of spaces saves nothing.
    panel->widgets().setTextInputText("save_path", "   ");
    panel->save();
    EXPECT_EQ(levels().size(), 2u);  // ground.txt, loaded above, and mine.txt
}

TEST_F(LevelFileTest, PromptSkipsAnEmptyLevelYesSavesUnderDateAndTimeAnEditedPlayerIsNotEmpty) {
    panel->newMap();
    EXPECT_EQ(asked, 0);
    panel->loadMap(copyOfMap("ground_only.txt"));
    answer = false;
    panel->newMap();
    EXPECT_EQ(std::make_tuple(asked, levels().size(), panel->isMapEmpty()),
              std::make_tuple(1, std::size_t{0}, true));
    panel->loadMap(copyOfMap("ground_only.txt"));
    answer = true;
    panel->newMap();
    ASSERT_EQ(levels().size(), 1u);
    EXPECT_TRUE(std::regex_match(
        levels()[0],
        std::regex(R"(Map_[0-3]\d-[01]\d-\d{4}_(0[1-9]|1[0-2])-[0-5]\d-[0-5]\d\.txt)")))
        << levels()[0];
    // Only while a level holds nothing at all is it empty, and so gets no
    // save question and no recovery copy: a player or gate once edited is a
    // level worth keeping.
    for (bool* edited : {&level.player->changed, &level.gate->changed}) {
        panel->clearMap();
        EXPECT_TRUE(panel->isMapEmpty());
        *edited = true;
        EXPECT_FALSE(panel->isMapEmpty());
    }
}

// The copy an earlier run left is set aside and outlives new editing, which
// is copied meanwhile as always: recovered over an open level when its save
// is declined (Yes: LevelLifecycle), kept by a save of another level,
// removed once another level is started (NEW or LOAD). A saved level gets
// no copy until it changes again, and a map saved under either copy's name
// is left alone.
TEST_F(LevelFileTest,
       OlderOrNewCopyLostRecoverLoadsTheWrongOneSavedLevelCopiedOrMapSavedAsCopyTouched) {
    const std::string offered = std::string(copyPath) + ".offered";
    startGameWithCopy();
    panel->loadMap(copyOfMap("every_record.txt"));
    level.boxes->clear();
    editorTicks(59);
    EXPECT_NE(access(copyPath, F_OK), 0) << "copied before its second came";
    editorTicks(1);
    EXPECT_EQ(contentsOf(offered), crashCopy + "\n") << "new editing took the older copy";
    EXPECT_EQ(contentsOf(copyPath), panel->snapshot()) << "new work left uncopied";
    answer = false;
    panel->recover();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(label("load_info"), "Loaded");
    EXPECT_EQ(panel->snapshot(), crashCopy);
    EXPECT_FALSE(panel->recoveryOffered());
    EXPECT_EQ(contentsOf(copyPath), crashCopy) << "the recovered level is not its copy";
    EXPECT_NE(access(offered.c_str(), F_OK), 0);
    EXPECT_TRUE(levels().empty()) << "No saved the open level";
    panel->saveMap("Editor/Levels/mine.txt");
    EXPECT_NE(access(copyPath, F_OK), 0) << "the save left the copy";
    editorTicks(3 * 60);
    EXPECT_NE(access(copyPath, F_OK), 0) << "the saved level was copied again with nothing new";
    for (const bool load : {false, true}) {
        startGameWithCopy();
        panel->loadMap(copyOfMap("every_record.txt"));
        panel->saveMap("Editor/Levels/other.txt");
        EXPECT_EQ(contentsOf(offered), crashCopy + "\n") << "a save of another level took the copy";
        EXPECT_TRUE(panel->recoveryOffered());
        panel->widgets().setTextInputText("load_path", "other.txt");
        load ? panel->loadNamed() : panel->newMap();
        EXPECT_FALSE(panel->recoveryOffered());
        EXPECT_NE(access(offered.c_str(), F_OK), 0) << (load ? "LOAD" : "NEW") << " left the copy";
    }
    // A map saved over the copy on offer is the user's: NEW leaves it.
    startGameWithCopy();
    panel->saveMap(offered);
    const std::string mine = panel->snapshot();
    panel->newMap();
    EXPECT_EQ(contentsOf(offered), mine);
    std::remove(offered.c_str());

    panel->widgets().setTextInputText("save_path", ".recovery.txt");
    panel->save();
    ASSERT_EQ(label("save_info"), "Saved");
    const std::string saved = contentsOf(copyPath);
    level.circles->clear();
    editorTicks(3 * 60);
    panel->saveMap("Editor/Levels/mine.txt");
    EXPECT_EQ(contentsOf(copyPath), saved) << "the map saved as .recovery.txt was touched";
}

// Undo and redo are edits: a level brought back that differs from a new one
// in any one place of the player, its camera area, fall edge or the gate, or
// holds any one element record, must still be offered for saving and copied
// against a crash. A snapshot that does not read leaves the level as it was.
TEST_F(LevelFileTest, RestoredEditsOrOneElementRecordNotChangesOrAnUnreadableOneRestored) {
    auto emptyOnceRestored = [&](const std::string& text) {
        file.clear();
        EXPECT_TRUE(file.restore(text + "\n")) << text;
        return file.isEmpty();
    };
    for (const char* line :
         {"", "PLY 100 840", "PLY 400 200", "CAM 5 0 1920 1080", "CAM 0 5 1920 1080",
          "CAM 0 0 4000 1080", "CAM 0 0 1920 5", "FE 1500", "G 300 800", "G 1000 400"})
        EXPECT_EQ(emptyOnceRestored(line), !*line) << line;
    const std::string all = contentsOf(copyOfMap("every_record.txt"));
    std::vector<std::string> records;
    for (const NK::TextLine& l : NK::TextFile::parse(all))
        if (!l.text.empty()) records.push_back(l.text);
    // The player, its camera area, fall edge and the gate, then 9 kinds, SF and B twice.
    ASSERT_EQ(records.size(), 4u + 11u);
    for (std::size_t n = 4; n < records.size(); ++n)
        EXPECT_FALSE(emptyOnceRestored(records[n])) << records[n];
    file.clear();
    EXPECT_TRUE(file.load(copyOfMap("every_record.txt")).ok);
    EXPECT_EQ(file.snapshot(), all);  // each kind keeps each field, read and written
    file.clear();
    ASSERT_TRUE(file.restore(all));
    EXPECT_EQ(file.snapshot(), all);  // and restored as an edit
    EXPECT_FALSE(file.restore(std::string(all).replace(all.find('\n') + 1, 0, "B 1 2\n")));
    EXPECT_FALSE(file.restore("PLY 1e30 5\n"));
    EXPECT_EQ(file.snapshot(), all);
}
