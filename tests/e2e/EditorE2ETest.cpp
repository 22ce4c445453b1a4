#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"

namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A game folder of its own: the resources and images linked from the
// source tree, and an empty Editor/Levels that the game may write into.
std::string makeGameFolder() {
    char pattern[] = "/tmp/dovra-editor-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    mkdir((dir + "/Editor").c_str(), 0755);
    mkdir((dir + "/Editor/Levels").c_str(), 0755);
    for (const char* linked :
         {"Resources", "VAZEzadide", "Editor/Backgrounds", "Editor/Boxes", "Editor/Circles"})
        symlink(nktest::sourcePath(linked).c_str(), (dir + "/" + linked).c_str());
    return dir;
}

std::vector<std::string> levelsIn(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir((dir + "/Editor/Levels").c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    return names;
}

}  // namespace

// The editor in the real window: two cameras added from the Enemies page,
// one taken back with Ctrl+Z, then "back" with the level unsaved. The real
// "Unsaved Map" box is answered Yes with the pointer, and the level lands in
// Editor/Levels under the date and a twelve-hour time, one camera in it.
TEST(EditorInTheRealWindow, UndoTakesBackOneAddAndYesToTheUnsavedBoxSavesTheLevel) {
    const std::string dir = makeGameFolder();
    nktest::VirtualScreen screen(1920, 1200);
    ASSERT_TRUE(screen.ok());
    nktest::GameProcess game(screen, NK_GAME_BINARY, dir, {});
    unsigned long window = game.waitForWindow("Dovra");
    ASSERT_NE(window, 0u) << game.output();
    nktest::WindowGeometry g = game.waitForPlacement(
        window, [](const nktest::WindowGeometry& w) { return w.y == 60 && w.width == 1920; });
    ASSERT_EQ(g.width, 1920) << game.output();
    ASSERT_TRUE(game.waitForOutput("dovra ", 15000));
    sleepMs(1000);

    // Logical 1920x1080 points, drawn 1:1 with the window at y 60.
    auto click = [&](int x, int y) {
        game.click(x, y + 60);
        sleepMs(400);
    };
    click(672, 636);   // "Create level"
    click(671, 36);    // the Enemies tab
    click(1628, 230);  // "ADD"
    click(1628, 230);  // "ADD" again
    // Held as a hand holds it: Control down over several ticks around the Z.
    game.keyDown("ctrl");
    sleepMs(150);
    game.key("z");
    sleepMs(150);
    game.keyUp("ctrl");
    sleepMs(400);
    click(36, 95);  // "back"

    std::string box;
    for (int i = 0; i < 100 && box.empty(); ++i) {
        box = nktest::capture(screen, {"xdotool", "search", "--name", "^Unsaved Map$"});
        sleepMs(100);
    }
    ASSERT_FALSE(box.empty()) << "no \"Unsaved Map\" box";
    sleepMs(500);
    const nktest::WindowGeometry b = game.geometry(std::strtoul(box.c_str(), nullptr, 10));
    // Yes is the right-hand of the two buttons along the box's bottom edge.
    game.click(b.x + b.width * 3 / 4, b.y + b.height - 12);

    std::vector<std::string> saved;
    for (int i = 0; i < 100 && saved.empty(); ++i) {
        sleepMs(100);
        saved = levelsIn(dir);
    }
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        saved[0], std::regex(R"(Map_\d\d-\d\d-\d{4}_(0[1-9]|1[0-2])-[0-5]\d-[0-5]\d\.txt)")))
        << saved[0];
    sleepMs(300);  // the rename is done once the name is there; let the bytes settle
    std::ifstream in(dir + "/Editor/Levels/" + saved[0]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t cameras = 0;
    for (std::size_t at = 0; (at = text.find("\nE ", at)) != std::string::npos; ++at) ++cameras;
    EXPECT_EQ(cameras, 1u) << text;
    // Left normally: no recovery copy stays behind.
    EXPECT_NE(access((dir + "/Editor/.recovery-map.txt").c_str(), F_OK), 0);

    game.sendClose(window);
    EXPECT_EQ(game.waitExit(), 0) << game.output();
    ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}
