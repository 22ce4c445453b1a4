#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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

std::string makeGameFolder() {
    return nktest::makeGameFolder(
        {"Resources", "VAZEzadide", "Editor/Backgrounds", "Editor/Boxes", "Editor/Circles"});
}

// The maps saved so far; a save still being written (".saving") is not one.
std::vector<std::string> levelsIn(const std::string& dir) {
    std::vector<std::string> maps;
    for (const std::string& name : nktest::namesIn(dir + "/Editor/Levels"))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) maps.push_back(name);
    return maps;
}

const char* const rightPanel = "Resources/Images/Editor/editor_bg_r.png";

}  // namespace

// The game on a 1920x1200 desktop, in a folder of its own, brought to the
// editor: logical 1920x1080 points are drawn 1:1 with the window at y 60.
struct EditorSession {
    explicit EditorSession(const std::string& dir) : game(screen, NK_GAME_BINARY, dir, {}) {}

    // Each step waits for what the last one shows: a loaded machine may take
    // seconds over any of them.
    void openEditor() {
        ASSERT_TRUE(screen.ok());
        ASSERT_EQ(nktest::waitForMenu(game, window), "");
        click(672, 636);  // "Create level"
        ASSERT_TRUE(nktest::waitForScreen(game, [](ALLEGRO_BITMAP* s) {
            return nktest::strays(s, rightPanel, 1530, 960, 10, 960, 380, 100) < 6;
        })) << "no editor";
    }
    void addTwoCameras() {
        click(671, 36);  // the Enemies tab: its "ADD" covers the panel's backdrop
        ASSERT_TRUE(nktest::waitForScreen(game, [](ALLEGRO_BITMAP* s) {
            return nktest::strays(s, rightPanel, 1550, 225, 30, 225, 120, 20) > 10;
        })) << "no Enemies page";
        click(1628, 230);  // "ADD"
        click(1628, 230);  // "ADD" again
    }
    // "back", then Yes in the real "Unsaved Map" box; the name it saved under.
    std::string leaveSaving(const std::string& dir) {
        click(36, 95);
        std::string box;
        for (int i = 0; i < 300 && box.empty(); ++i) {
            box = nktest::capture(screen, {"xdotool", "search", "--name", "^Unsaved Map$"});
            sleepMs(100);
        }
        if (box.empty()) return "";
        sleepMs(500);
        const nktest::WindowGeometry b = game.geometry(std::strtoul(box.c_str(), nullptr, 10));
        // Yes is the right-hand of the two buttons along the box's bottom edge.
        game.click(b.x + b.width * 3 / 4, b.y + b.height - 12);
        std::vector<std::string> saved;
        for (int i = 0; i < 300 && saved.size() != 1; ++i) {
            sleepMs(100);
            saved = levelsIn(dir);
        }
        sleepMs(300);  // the name appears with the rename; let the game settle
        return saved.size() == 1 ? saved[0] : "";
    }
    void click(int x, int y) {
        game.click(x, y + 60);
        sleepMs(300);
    }
    // Clicks and waits until the logical region shows something else: the
    // next step must not reach the game before this one has shown.
    bool clickAndWaitForChange(int x, int y, int rx, int ry, int rw, int rh) {
        return actAndWaitForChange([&] { click(x, y); }, rx, ry, rw, rh);
    }
    bool actAndWaitForChange(const std::function<void()>& act, int rx, int ry, int rw, int rh) {
        const std::string before = nktest::tempPath("before.png");
        if (!game.screenshot(before)) return false;
        ALLEGRO_BITMAP* was = nktest::loadImage(before);
        if (!was) return false;
        act();
        const bool changed = nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
            return nktest::meanDifference(s, rx, ry + 60, was, rx, ry + 60, rw, rh, 4) > 3.0;
        });
        al_destroy_bitmap(was);
        return changed;
    }
    // The gate is picked where the press lands, so the moves wait a while
    // after it (on a slow tick a press and the moves after it would reach
    // the game together, and the press would land where the pointer ended),
    // and the release waits until the move shows.
    bool drag(int fromX, int fromY, int toX, int toY) {
        game.moveMouse(fromX, fromY + 60);
        sleepMs(300);
        nktest::capture(screen, {"xdotool", "mousedown", "1"});
        sleepMs(600);
        const bool moved = actAndWaitForChange(
            [&] {
                for (int step = 1; step <= 5; ++step) {
                    game.moveMouse(fromX + (toX - fromX) * step / 5,
                                   fromY + 60 + (toY - fromY) * step / 5);
                    sleepMs(100);
                }
            },
            toX - 100, toY - 120, 200, 240);
        nktest::capture(screen, {"xdotool", "mouseup", "1"});
        sleepMs(300);
        return moved;
    }
    // Fields take one key a tick, and a game starved of the processor (a
    // sanitizer build, a loaded machine) can get several keys in one tick
    // and type one letter: each key waits until the field shows it.
    bool type(const std::string& text, int rx, int ry, int rw, int rh) {
        for (char c : text) {
            const std::string before = nktest::tempPath("typing.png");
            ALLEGRO_BITMAP* was = game.screenshot(before) ? nktest::loadImage(before) : nullptr;
            if (!was) return false;
            game.key(c == '.' ? "period" : std::string(1, c));
            const bool shown = nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
                return nktest::meanDifference(s, rx, ry + 60, was, rx, ry + 60, rw, rh, 1) > 0.2;
            });
            al_destroy_bitmap(was);
            if (!shown) return false;
        }
        return true;
    }

    nktest::VirtualScreen screen{1920, 1200};
    nktest::GameProcess game;
    unsigned long window = 0;
};

std::size_t camerasIn(const std::string& path) {
    const std::string text = nktest::contentsOf(path);
    std::size_t cameras = 0;
    for (std::size_t at = 0; (at = text.find("\nE ", at)) != std::string::npos; ++at) ++cameras;
    return cameras;
}

// The editor in the real window: two cameras added from the Enemies page,
// one taken back with Ctrl+Z, then "back" with the level unsaved. The real
// "Unsaved Map" box is answered Yes with the pointer, and the level lands in
// Editor/Levels under the date and a twelve-hour time, one camera in it.
TEST(EditorInTheRealWindow, UndoTakesBackOneAddAndYesToTheUnsavedBoxSavesTheLevel) {
    const std::string dir = makeGameFolder();
    EditorSession session(dir);
    ASSERT_NO_FATAL_FAILURE(session.openEditor());
    ASSERT_NO_FATAL_FAILURE(session.addTwoCameras());
    // Held as a hand holds it: Control down over several ticks around the Z.
    session.game.keyDown("ctrl");
    sleepMs(150);
    session.game.key("z");
    sleepMs(150);
    session.game.keyUp("ctrl");
    sleepMs(400);
    const std::string saved = session.leaveSaving(dir);
    ASSERT_FALSE(saved.empty()) << "nothing saved";
    EXPECT_TRUE(std::regex_match(
        saved, std::regex(R"(Map_\d\d-\d\d-\d{4}_(0[1-9]|1[0-2])-[0-5]\d-[0-5]\d\.txt)")))
        << saved;
    EXPECT_EQ(camerasIn(dir + "/Editor/Levels/" + saved), 1u);

    session.game.sendClose(session.window);
    EXPECT_EQ(session.game.waitExit(), 0) << session.game.output();
    ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}

// A game killed mid-edit: the copy made a moment before comes back with
// RECOVER in the next game, and saving it removes the copy.
TEST(EditorInTheRealWindow, KilledMidEditTheNextGameRecoversTheLevel) {
    const std::string dir = makeGameFolder();
    const std::string copy = dir + "/Editor/Levels/.recovery.txt";
    setenv("DOVRA_RECOVERY_SECONDS", "1", 1);
    {
        EditorSession session(dir);
        ASSERT_NO_FATAL_FAILURE(session.openEditor());
        ASSERT_NO_FATAL_FAILURE(session.addTwoCameras());
        for (int i = 0; i < 300 && camerasIn(copy) != 2; ++i) sleepMs(100);
        ASSERT_EQ(camerasIn(copy), 2u) << "no copy made while editing";
    }  // the session's end kills the game with SIGKILL
    EditorSession next(dir);
    ASSERT_NO_FATAL_FAILURE(next.openEditor());
    // The editor opens on Import/Export, where RECOVER now covers the backdrop.
    ASSERT_TRUE(waitForScreen(next.game, [](ALLEGRO_BITMAP* s) {
        return nktest::strays(s, rightPanel, 1550, 535, 30, 535, 300, 30) > 10;
    })) << "no RECOVER";
    next.click(1720, 550);
    const std::string saved = next.leaveSaving(dir);
    ASSERT_FALSE(saved.empty()) << "nothing saved";
    EXPECT_EQ(camerasIn(dir + "/Editor/Levels/" + saved), 2u);
    EXPECT_NE(access(copy.c_str(), F_OK), 0) << "the copy outlived the save";
    unsetenv("DOVRA_RECOVERY_SECONDS");
    next.game.sendClose(next.window);
    EXPECT_EQ(next.game.waitExit(), 0) << next.game.output();
    ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}

// A level made from nothing through the real window: ground drawn by two
// clicks, a crate added, the gate dragged to the end of the ground, saved by
// name; the saved level is then won by walking right (dovra-replay).
TEST(EditorInTheRealWindow, LevelBuiltByHandSavesByNameAndIsWonByAReplay) {
    const std::string dir = makeGameFolder();
    EditorSession session(dir);
    ASSERT_NO_FATAL_FAILURE(session.openEditor());
    const int panel[4] = {1530, 130, 380, 300};  // where each page shows its list and buttons
    const int bar[4] = {66, 10, 1450, 50};       // the row of tabs
    ASSERT_TRUE(session.clickAndWaitForChange(36, 40, bar[0], bar[1], bar[2], bar[3]));  // "change"
    ASSERT_TRUE(session.clickAndWaitForChange(502, 36, panel[0], panel[1], panel[2], panel[3]))
        << "no Surfaces page";
    // Steps wait until they show where they can: on a loaded machine two
    // clicks can reach the game within one tick, and the first then lands
    // where the pointer ended. A lone ground point shows nothing, so the
    // ground's two clicks are only spaced.
    session.click(100, 1000);  // the first point makes the ground from (50, 1000)
    sleepMs(700);
    session.click(1450, 1000);  // ... and the second carries it on
    sleepMs(700);
    ASSERT_TRUE(session.clickAndWaitForChange(793, 36, panel[0], panel[1], panel[2], panel[3]))
        << "no Boxes page";
    const int pathField[4] = {1506, 310, 222, 34};
    // "SET": the first precreated picture, a wide one; again: a 128 x 128
    // crate, clear of the walk.
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(session.clickAndWaitForChange(1845, 365, pathField[0], pathField[1],
                                                  pathField[2], pathField[3]));
    // "ADD Static", placed above the walk.
    ASSERT_TRUE(session.clickAndWaitForChange(1594, 209, 620, 460, 160, 160));
    ASSERT_TRUE(session.clickAndWaitForChange(36, 40, bar[0], bar[1], bar[2], bar[3]));
    ASSERT_TRUE(session.clickAndWaitForChange(429, 36, panel[0], panel[1], panel[2], panel[3]))
        << "no Gate page";
    ASSERT_TRUE(session.drag(1000, 800, 1250, 825));  // the gate, grabbed by its middle
    ASSERT_TRUE(session.clickAndWaitForChange(1815, 35, panel[0], panel[1], panel[2], panel[3]))
        << "no Import/Export page";
    const int saveField[4] = {1640, 690, 260, 50};
    ASSERT_TRUE(session.clickAndWaitForChange(1770, 715, saveField[0], saveField[1], saveField[2],
                                              saveField[3]));  // "save_path"
    ASSERT_TRUE(session.type("built.txt", saveField[0], saveField[1], saveField[2], saveField[3]));
    session.game.key("Return");
    sleepMs(300);
    session.click(1720, 785);  // "SAVE"

    const std::string map = dir + "/Editor/Levels/built.txt";
    // The file appears whole (it is renamed into place); a loaded machine may
    // take many seconds to work through the clicks and keys before it.
    for (int i = 0; i < 300 && access(map.c_str(), F_OK) != 0; ++i) sleepMs(100);
    std::string listing;
    for (const std::string& name : levelsIn(dir)) listing += " " + name;
    ASSERT_EQ(access(map.c_str(), F_OK), 0) << "Editor/Levels holds:" << listing << "\n"
                                            << session.game.output();
    const std::string text = nktest::contentsOf(map);
    EXPECT_NE(text.find("\nG 1250.000000 825.000000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nSF 50.000000 1000.000000 100.000000 1000.000000 1450.000000 "
                        "1000.000000\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nB Editor/Boxes/Dovra/block1.png 0 696.000000 536.000000 128.000000 "
                        "128.000000"),
              std::string::npos)
        << text;
    session.game.sendClose(session.window);
    EXPECT_EQ(session.game.waitExit(), 0) << session.game.output();

    // Walking right from the start reaches the moved gate on the drawn ground.
    nktest::writeFile(dir + "/built.replay",
                      "map Editor/Levels/built.txt\nexpect won 0\nhold D 0 600\n");
    // The replay runs as long as it takes (a sanitizer build takes its time).
    std::string result;
    const std::string command = "cd '" + dir + "' && DISPLAY=" + session.screen.name() + " '" +
                                NK_REPLAY_BINARY + "' built.replay 2>&1";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) result += buffer;
        pclose(pipe);
    }
    EXPECT_NE(result.find("built.replay: won at tick"), std::string::npos) << result << text;
    ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}
