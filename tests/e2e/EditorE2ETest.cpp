#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <regex>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A logical region of the screen that shows whether a step has landed.
struct Region {
    int x, y, w, h;
};
const Region panel{1530, 130, 380, 300};  // where each page shows its list and buttons
const Region tabBar{66, 10, 1450, 50};
const char* const rightPanel = "Resources/Images/Editor/editor_bg_r.png";

// The maps saved so far; a save still being written (".saving") is not one.
std::vector<std::string> levelsIn(const std::string& dir) {
    std::vector<std::string> maps;
    for (const std::string& name : nktest::namesIn(dir + "/Editor/Levels"))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) maps.push_back(name);
    return maps;
}

long camerasIn(const std::string& path) {
    const std::string text = nktest::contentsOf(path);
    const std::regex camera("\nE ");
    return std::distance(std::sregex_iterator(text.begin(), text.end(), camera), {});
}

// The game on a 1920x1200 desktop, in a folder of its own (the source tree's
// resources linked in), brought to the editor: logical points are drawn 1:1
// with the window at y 60. Each step waits for what the last one shows: a
// loaded machine may take seconds over any of them, and two clicks reaching
// the game in one tick would both land where the pointer ended.
struct EditorSession {
    explicit EditorSession(const std::string& dir) : dir(dir), game(1920, 1200, dir) {}

    void openEditor() {
        ASSERT_TRUE(game.screenOk());
        ASSERT_EQ(nktest::waitForMenu(game, window), "");
        click(672, 636);  // "Create level"
        ASSERT_TRUE(shows(1530, 10, 960, 380, 100, false)) << "no editor";
    }
    // Whether the screen's region shows the right panel's backdrop from its
    // column `from` (or something covers it).
    bool shows(int x, int from, int y, int w, int h, bool covered) {
        return nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
            const int strays = nktest::strays(s, rightPanel, x, y, from, y, w, h);
            return covered ? strays > 10 : strays < 6;
        });
    }
    // "back", then Yes in the real "Unsaved Map" box; the name it saved under
    // beside `kept`, the one map saved before.
    std::string leaveSaving(const std::string& kept) {
        click(36, 95);
        nktest::WindowGeometry b;
        const unsigned long box = game.waitForWindow(
            b, [](auto&) { return true; }, "Unsaved Map");
        if (!box) return "";
        sleepMs(500);
        b = game.geometry(box);
        // Yes is the right-hand of the two buttons along the box's bottom edge.
        game.click(b.x + b.width * 3 / 4, b.y + b.height - 12);
        std::vector<std::string> saved;
        for (int i = 0; i < 300 && saved.size() != 2; ++i, sleepMs(100)) saved = levelsIn(dir);
        sleepMs(300);  // the name appears with the rename; let the game settle
        return saved.size() != 2 ? "" : saved[0] == kept ? saved[1] : saved[0];
    }
    void click(int x, int y) {
        game.click(x, y + 60);
        sleepMs(300);
    }
    // Acts, then waits until the region shows something else.
    bool changes(const Region& r, const std::function<void()>& act, double by = 3.0, int step = 4) {
        const std::string before = nktest::tempPath("before.png");
        ALLEGRO_BITMAP* was = game.screenshot(before) ? nktest::loadImage(before) : nullptr;
        if (!was) return false;
        act();
        const bool changed = nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
            return nktest::meanDifference(s, r.x, r.y + 60, was, r.x, r.y + 60, r.w, r.h, step) >
                   by;
        });
        al_destroy_bitmap(was);
        return changed;
    }
    bool clickChanges(int x, int y, const Region& r) {
        return changes(r, [&] { click(x, y); });
    }
    // The gate is picked where the press lands, so the moves wait a while
    // after it, and the release waits until the move shows.
    bool drag(int fromX, int fromY, int toX, int toY) {
        game.xdotool({"mousemove", std::to_string(fromX), std::to_string(fromY + 60)});
        sleepMs(300);
        game.xdotool({"mousedown", "1"});
        sleepMs(600);
        const bool moved = changes({toX - 100, toY - 120, 200, 240}, [&] {
            for (int step = 1; step <= 5; ++step, sleepMs(100))
                game.xdotool({"mousemove", std::to_string(fromX + (toX - fromX) * step / 5),
                              std::to_string(fromY + 60 + (toY - fromY) * step / 5)});
        });
        game.xdotool({"mouseup", "1"});
        sleepMs(300);
        return moved;
    }
    // Fields take one key a tick, and a starved game can get several keys
    // in one tick and type one letter: each key waits until the field shows it.
    bool type(const std::string& text, const Region& field) {
        for (char c : text) {
            const std::string key = c == '.' ? "period" : std::string(1, c);
            const auto press = [&] { game.xdotool({"key", key}); };
            if (!changes(field, press, 0.2, 1)) return false;
        }
        return true;
    }
    void close() {
        game.sendClose(window);
        EXPECT_EQ(game.waitExit(), 0) << game.output();
    }

    std::string dir;
    nktest::GameProcess game;
    unsigned long window = 0;
};

}  // namespace

// A level made from nothing through the real window: ground drawn by two
// clicks, a crate added, the gate dragged to the end of the ground, saved by
// name; the saved level is won by walking right (dovra-replay). Two cameras
// added after the save, the game is killed mid-edit: the copy made a moment
// before comes back with RECOVER in the next game. "back" there, with the
// real "Unsaved Map" box answered Yes with the pointer, saves it (under the
// name the import/export tests check), and the copy goes.
TEST(EditorInTheRealWindow, LevelBuiltByHandNotSavedOrNotWonOrKilledEditNotRecovered) {
    const std::string dir = nktest::makeGameFolder(
        {"Resources", "VAZEzadide", "Editor/Backgrounds", "Editor/Boxes", "Editor/Circles"});
    const std::string copy = dir + "/Editor/Levels/.recovery.txt";
    const std::string map = dir + "/Editor/Levels/built.txt";
    setenv("DOVRA_RECOVERY_SECONDS", "1", 1);
    std::string text;
    {
        EditorSession session(dir);
        ASSERT_NO_FATAL_FAILURE(session.openEditor());
        ASSERT_TRUE(session.clickChanges(36, 40, tabBar));  // "change"
        ASSERT_TRUE(session.clickChanges(502, 36, panel)) << "no Surfaces page";
        // A lone ground point shows nothing, so the ground's two clicks are
        // only spaced.
        session.click(100, 1000);  // the first point makes the ground from (50, 1000)
        sleepMs(700);
        session.click(1450, 1000);  // ... and the second carries it on
        sleepMs(700);
        ASSERT_TRUE(session.clickChanges(793, 36, panel)) << "no Boxes page";
        // "SET": the first precreated picture, a wide one; again: a 128 x 128
        // crate, clear of the walk.
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(session.clickChanges(1845, 365, {1506, 310, 222, 34}));
        ASSERT_TRUE(session.clickChanges(1594, 209, {620, 460, 160, 160}));  // "ADD Static"
        ASSERT_TRUE(session.clickChanges(36, 40, tabBar));
        ASSERT_TRUE(session.clickChanges(429, 36, panel)) << "no Gate page";
        ASSERT_TRUE(session.drag(1000, 800, 1250, 825));  // the gate, grabbed by its middle
        ASSERT_TRUE(session.clickChanges(1815, 35, panel)) << "no Import/Export page";
        const Region saveField{1640, 690, 260, 50};
        ASSERT_TRUE(session.clickChanges(1770, 715, saveField));  // "save_path"
        ASSERT_TRUE(session.type("built.txt", saveField));
        session.game.xdotool({"key", "Return"});
        sleepMs(300);
        session.click(1720, 785);  // "SAVE"
        // The file appears whole (it is renamed into place), maybe many
        // seconds later on a loaded machine.
        for (int i = 0; i < 300 && access(map.c_str(), F_OK) != 0; ++i) sleepMs(100);
        ASSERT_EQ(access(map.c_str(), F_OK), 0) << session.game.output();
        text = nktest::contentsOf(map);
        for (const char* line :
             {"\nG 1250.000000 825.000000\n",
              "\nSF 50.000000 1000.000000 100.000000 1000.000000 1450.000000 1000.000000\n",
              "\nB Editor/Boxes/Dovra/block1.png 0 696.000000 536.000000 128.000000 128.000000"})
            EXPECT_NE(text.find(line), std::string::npos) << line << " not in\n" << text;

        ASSERT_TRUE(session.clickChanges(671, 36, panel)) << "no Enemies page";
        session.click(1628, 230);  // "ADD"
        session.click(1628, 230);  // "ADD" again
        for (int i = 0; i < 300 && camerasIn(copy) != 2; ++i) sleepMs(100);
        ASSERT_EQ(camerasIn(copy), 2) << "no copy made while editing";
    }  // the session's end kills the game with SIGKILL
    EditorSession next(dir);
    ASSERT_NO_FATAL_FAILURE(next.openEditor());
    // The editor opens on Import/Export, where RECOVER now covers the backdrop.
    ASSERT_TRUE(next.shows(1550, 30, 535, 300, 30, true)) << "no RECOVER";
    next.click(1720, 550);
    const std::string saved = next.leaveSaving("built.txt");
    ASSERT_FALSE(saved.empty()) << "nothing saved";
    EXPECT_EQ(camerasIn(dir + "/Editor/Levels/" + saved), 2);
    EXPECT_NE(access(copy.c_str(), F_OK), 0) << "the copy outlived the save";
    unsetenv("DOVRA_RECOVERY_SECONDS");
    next.close();

    // Walking right from the start reaches the moved gate on the drawn ground.
    nktest::writeFile(dir + "/built.replay",
                      "map Editor/Levels/built.txt\nexpect won 0\nhold D 0 600\n");
    const std::string result =
        nktest::runCommand("cd '" + dir + "' && '" NK_REPLAY_BINARY "' built.replay 2>&1").output;
    EXPECT_NE(result.find("built.replay: won at tick"), std::string::npos) << result << text;
    ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}
