#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <regex>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

using nktest::GameProcess;
using nktest::VirtualScreen;

namespace {

// The game on a 1920x1200 desktop: a 1920x1080 window 60 pixels down, so a
// logical point (x, y) is the screen pixel (x, y + 60).
class Shell : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        window = game.waitForWindow("Dovra");
        ASSERT_NE(window, 0u) << game.output();
        // Mapped first, moved to its centred place just after.
        nktest::WindowGeometry g = game.geometry(window);
        for (int i = 0; i < 100 && g.y != 60; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            g = game.geometry(window);
        }
        ASSERT_EQ(g.width, 1920);
        ASSERT_EQ(g.y, 60);
        top = g.y;
    }

    struct Shot {
        ALLEGRO_BITMAP* bitmap = nullptr;
        ~Shot() {
            if (bitmap) al_destroy_bitmap(bitmap);
        }
    };

    // Screenshots until `matches` holds or ten seconds pass; true if it held.
    bool waitForScreen(const std::function<bool(ALLEGRO_BITMAP*)>& matches) {
        const std::string path = "/tmp/dovra-shell-" + std::to_string(::getpid()) + ".png";
        for (int i = 0; i < 40; ++i) {
            if (game.screenshot(path)) {
                Shot shot;
                shot.bitmap = nktest::loadImage(path);
                if (shot.bitmap && matches(shot.bitmap)) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
    }

    // How far the window's region below the top bar strays from a full-screen
    // picture (the menu backdrop or a tutorial page).
    double differenceFrom(ALLEGRO_BITMAP* shot, const std::string& picture, int fromY = 260) {
        ALLEGRO_BITMAP* reference = nktest::loadImage(nktest::sourcePath(picture));
        if (!reference) return 255.0;
        double d = nktest::meanDifference(shot, 0, top + fromY, reference, 0, fromY, 900,
                                          1080 - fromY - 20, 16);
        al_destroy_bitmap(reference);
        return d;
    }

    VirtualScreen screen{1920, 1200};
    GameProcess game{screen};
    unsigned long window = 0;
    int top = 0;
};

const char* menuBackdrop = "Resources/Images/Menu/menu_bg.png";

}  // namespace

TEST_F(Shell, StartLineNamesTheGameWithDateAndTime) {
    ASSERT_TRUE(game.waitForOutput("\n"));
    std::string first = game.output().substr(0, game.output().find('\n'));
    EXPECT_TRUE(std::regex_match(first, std::regex(R"(dovra \d\d-\d\d-\d{4} \d\d-\d\d-\d\d)")))
        << first;
    game.sendClose(window);
    EXPECT_EQ(game.waitExit(30000), 0) << game.output();
}

TEST_F(Shell, MenuShowsItsButtonsOverTheBackdrop) {
    // Right of the buttons and below the logo the backdrop shows through
    // untouched; where a button sits, it does not.
    bool menu = waitForScreen([&](ALLEGRO_BITMAP* shot) {
        ALLEGRO_BITMAP* bg = nktest::loadImage(nktest::sourcePath(menuBackdrop));
        if (!bg) return false;
        double open = nktest::meanDifference(shot, 1200, top + 450, bg, 1200, 450, 600, 500, 16);
        double button = nktest::meanDifference(shot, 300, top + 470, bg, 300, 470, 740, 60, 8);
        al_destroy_bitmap(bg);
        return open < 6.0 && button > 20.0;
    });
    EXPECT_TRUE(menu) << "the menu never appeared";
    game.sendClose(window);
    EXPECT_EQ(game.waitExit(30000), 0) << game.output();
}

TEST_F(Shell, TutorialOpensTurnsAPageAndEscapeReturns) {
    ASSERT_TRUE(
        waitForScreen([&](ALLEGRO_BITMAP* s) { return differenceFrom(s, menuBackdrop) < 20; }));
    game.click(672, top + 760);  // "Tutorial"
    EXPECT_TRUE(waitForScreen([&](ALLEGRO_BITMAP* s) {
        return differenceFrom(s, "Resources/Images/Tutorial/tutorial_game.png") < 6;
    })) << "the first page did not show";

    game.click(1700, top + 115);  // "NEXT PAGE"
    EXPECT_TRUE(waitForScreen([&](ALLEGRO_BITMAP* s) {
        return differenceFrom(s, "Resources/Images/Tutorial/tutorial_editor_main.png") < 6;
    })) << "NEXT PAGE did not turn to the second page";

    game.key("Escape");
    EXPECT_TRUE(waitForScreen([&](ALLEGRO_BITMAP* s) {
        return differenceFrom(s, menuBackdrop) < 20;
    })) << "Escape did not return to the menu";
    game.sendClose(window);
    EXPECT_EQ(game.waitExit(30000), 0) << game.output();
}

TEST_F(Shell, ExitButtonEndsTheProgramWithStatusZero) {
    ASSERT_TRUE(
        waitForScreen([&](ALLEGRO_BITMAP* s) { return differenceFrom(s, menuBackdrop) < 20; }));
    game.click(672, top + 890);  // "Exit"
    EXPECT_EQ(game.waitExit(30000), 0) << game.output();
}
