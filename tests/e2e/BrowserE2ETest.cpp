#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A game folder whose first pack starts with a level won by holding D, the
// rest of that pack locked; every level of the second pack is open, so its
// page tells itself apart by its last button.
std::string makePackFolder() {
    const std::string dir = nktest::makeGameFolder(
        {"Resources/Designes", "Resources/Fonts", "Resources/Images", "Resources/Sounds",
         "VAZEzadide", "Editor/Backgrounds", "Editor/Boxes", "Editor/Circles"});
    mkdir((dir + "/Resources/LevelPacks").c_str(), 0755);
    nktest::writeFile(dir + "/Editor/Levels/walk.txt",
                      nktest::contentsOf(nktest::sourcePath("tests/data/replays/walk.txt")));
    nktest::writeFile(dir + "/Resources/LevelPacks/packs_info.txt",
                      "Resources/LevelPacks/first.txt First_Steps\n"
                      "Resources/LevelPacks/second.txt Second\n");
    nktest::writeFile(dir + "/Resources/LevelPacks/first.txt",
                      "Editor/Levels/walk.txt Walk 1\nEditor/Levels/walk.txt Again 0\n"
                      "Editor/Levels/walk.txt Three 0\nEditor/Levels/walk.txt Four 0\n"
                      "Editor/Levels/walk.txt Five 0\n");
    std::string open;
    for (int i = 0; i < 5; ++i) open += "Editor/Levels/walk.txt Open 1\n";
    nktest::writeFile(dir + "/Resources/LevelPacks/second.txt", open);
    return dir;
}

// Pixels of a level button's label in the unlocked green or the locked red.
int labelPixels(ALLEGRO_BITMAP* shot, int button, bool green) {
    int count = 0;
    const int cy = 60 + 500 + 100 * button;
    for (int y = cy - 25; y <= cy + 25; y += 2)
        for (int x = 330; x <= 630; x += 2) {
            const nktest::Rgba c = nktest::pixelAt(x, y, shot);
            const bool isGreen = c.g > 120 && c.r < 80 && c.b < 80;
            const bool isRed = c.r > 120 && c.g < 60 && c.b < 60;
            if (green ? isGreen : isRed) ++count;
        }
    return count;
}

bool showsUnlocked(ALLEGRO_BITMAP* shot, int button) {
    return labelPixels(shot, button, true) > 30 && labelPixels(shot, button, false) < 5;
}

bool showsLocked(ALLEGRO_BITMAP* shot, int button) {
    return labelPixels(shot, button, false) > 30 && labelPixels(shot, button, true) < 5;
}

// The game on a 1920x1200 desktop: logical points are drawn 1:1 with the
// window at y 60.
struct BrowserSession {
    BrowserSession(nktest::VirtualScreen& screen, const std::string& dir)
        : game(screen, NK_GAME_BINARY, dir, {}) {}

    void openLevels() {
        ASSERT_EQ(nktest::waitForMenu(game, window), "");
        click(672, 500);  // "Levels"
    }
    void click(int x, int y) {
        game.click(x, y + 60);
        sleepMs(300);
    }
    bool waitFor(const std::function<bool(ALLEGRO_BITMAP*)>& shows) {
        return nktest::waitForScreen(game, shows);
    }

    nktest::GameProcess game;
    unsigned long window = 0;
};

}  // namespace

// Levels, the arrows, the first level won by holding D, Menu, Levels again:
// the second level has turned green, in the pack file too, and a new start
// of the game still shows it green.
TEST(LevelBrowserInTheRealWindow, AWinUnlocksTheNextLevelAndARestartKeepsIt) {
    const std::string dir = makePackFolder();
    nktest::VirtualScreen screen(1920, 1200);
    ASSERT_TRUE(screen.ok());
    {
        BrowserSession s(screen, dir);
        ASSERT_NO_FATAL_FAILURE(s.openLevels());
        ASSERT_TRUE(s.waitFor([](ALLEGRO_BITMAP* shot) {
            return showsUnlocked(shot, 0) && showsLocked(shot, 1) && showsLocked(shot, 4);
        })) << "no first pack page";
        s.click(840, 700);  // right: the second pack, all open
        ASSERT_TRUE(s.waitFor([](ALLEGRO_BITMAP* shot) { return showsUnlocked(shot, 4); }))
            << "the right arrow did not turn the page";
        s.click(120, 700);  // left: back to the first
        ASSERT_TRUE(s.waitFor([](ALLEGRO_BITMAP* shot) { return showsLocked(shot, 4); }))
            << "the left arrow did not turn the page back";

        s.click(480, 500);  // level 1
        ALLEGRO_BITMAP* winWindow =
            nktest::loadImage(nktest::sourcePath("Resources/Images/Ingame/win-window.png"));
        ASSERT_NE(winWindow, nullptr);
        s.game.keyDown("d");
        const bool won = s.waitFor([winWindow](ALLEGRO_BITMAP* shot) {
            return nktest::meanDifference(shot, 610, 60 + 225, winWindow, 100, 60, 700, 160, 4) <=
                   6.0;
        });
        s.game.keyUp("d");
        al_destroy_bitmap(winWindow);
        ASSERT_TRUE(won) << "no win window after holding D";

        s.click(960, 690);  // "Menu"
        sleepMs(500);
        s.click(672, 500);  // "Levels"
        EXPECT_TRUE(s.waitFor([](ALLEGRO_BITMAP* shot) {
            return showsUnlocked(shot, 1) && showsLocked(shot, 2);
        })) << "level 2 is not green after the win";
        EXPECT_EQ(nktest::contentsOf(dir + "/Resources/LevelPacks/first.txt"),
                  "Editor/Levels/walk.txt Walk 1\nEditor/Levels/walk.txt Again 1\n"
                  "Editor/Levels/walk.txt Three 0\nEditor/Levels/walk.txt Four 0\n"
                  "Editor/Levels/walk.txt Five 0\n");
        s.game.sendClose(s.window);
        EXPECT_EQ(s.game.waitExit(), 0) << s.game.output();
    }
    BrowserSession again(screen, dir);
    ASSERT_NO_FATAL_FAILURE(again.openLevels());
    EXPECT_TRUE(again.waitFor([](ALLEGRO_BITMAP* shot) {
        return showsUnlocked(shot, 1) && showsLocked(shot, 2);
    })) << "the unlock did not survive a restart";
    again.game.sendClose(again.window);
    EXPECT_EQ(again.game.waitExit(), 0) << again.game.output();
}
