#include <allegro5/allegro.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

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

// Screenshots until `matches` holds or fifteen seconds pass; true if it held.
bool waitForScreen(nktest::GameProcess& game, const std::function<bool(ALLEGRO_BITMAP*)>& matches) {
    const std::string path = nktest::tempPath("editor.png");
    for (int i = 0; i < 60; ++i) {
        ALLEGRO_BITMAP* shot = game.screenshot(path) ? nktest::loadImage(path) : nullptr;
        const bool matched = shot && matches(shot);
        if (shot) al_destroy_bitmap(shot);
        if (matched) return true;
        sleepMs(250);
    }
    return false;
}

// How far a logical region of the window (60 pixels down the screen) strays
// from a region of a picture of the game's (0..255).
double strays(ALLEGRO_BITMAP* shot, const char* picture, int x, int y, int px, int py, int w,
              int h) {
    ALLEGRO_BITMAP* reference = nktest::loadImage(nktest::sourcePath(picture));
    if (!reference) return 255.0;
    const double d = nktest::meanDifference(shot, x, 60 + y, reference, px, py, w, h, 8);
    al_destroy_bitmap(reference);
    return d;
}

const char* const menuBackdrop = "Resources/Images/Menu/menu_bg.png";
const char* const rightPanel = "Resources/Images/Editor/editor_bg_r.png";

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
    // Each step waits for what the last one shows: a loaded machine may take
    // seconds over any of them.
    ASSERT_TRUE(waitForScreen(game, [](ALLEGRO_BITMAP* s) {
        return strays(s, menuBackdrop, 1150, 420, 1150, 420, 700, 560) < 6;
    })) << "no menu";

    // Logical 1920x1080 points, drawn 1:1 with the window at y 60.
    auto click = [&](int x, int y) {
        game.click(x, y + 60);
        sleepMs(300);
    };
    click(672, 636);  // "Create level"
    ASSERT_TRUE(waitForScreen(game, [](ALLEGRO_BITMAP* s) {
        return strays(s, rightPanel, 1530, 960, 10, 960, 380, 100) < 6;
    })) << "no editor";
    click(671, 36);  // the Enemies tab: its "ADD" covers the panel's backdrop
    ASSERT_TRUE(waitForScreen(game, [](ALLEGRO_BITMAP* s) {
        return strays(s, rightPanel, 1550, 225, 30, 225, 120, 20) > 10;
    })) << "no Enemies page";
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
