#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

namespace {

// The game on a 1920x1200 desktop: a 1920x1080 window 60 pixels down, so a
// logical point (x, y) is the screen pixel (x, y + 60).
class Shell : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        ASSERT_EQ(nktest::waitForMenu(game, window), "");
    }

    // The menu and nothing else: right of the buttons the backdrop shows
    // untouched (0 for the menu, about 20 for a tutorial page, which has its
    // boxes of text there), and each of the four buttons (800 x 100, centred
    // at x 672, y 500 + 130 i) covers it (20 to 30, as the buttons fade).
    bool menuShown() {
        return nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
            const char* bg = "Resources/Images/Menu/menu_bg.png";
            bool shown = nktest::strays(s, bg, 1150, 420, 1150, 420, 700, 560) < 6;
            for (int i = 0; i < 4; ++i)
                shown = shown &&
                        nktest::strays(s, bg, 300, 470 + 130 * i, 300, 470 + 130 * i, 740, 60) > 10;
            return shown;
        });
    }
    bool pageShown(const std::string& page) {
        const std::string path = "Resources/Images/Tutorial/" + page + ".png";
        return nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) {
            return nktest::strays(s, path, 0, 260, 0, 260, 900, 800) < 6;
        });
    }

    nktest::VirtualScreen screen{1920, 1200};
    nktest::GameProcess game{screen};
    unsigned long window = 0;
};

}  // namespace

// One run of the game through the shell: the start line, the menu, the
// tutorial's pages there and back, and the Exit button.
TEST_F(Shell, StartLineMenuTutorialPagesAndExitButton) {
    ASSERT_TRUE(game.waitForOutput("\n"));
    std::string first = game.output().substr(0, game.output().find('\n'));
    EXPECT_TRUE(std::regex_match(first, std::regex(R"(dovra \d\d-\d\d-\d{4} \d\d-\d\d-\d\d)")))
        << first;
    ASSERT_TRUE(menuShown()) << "the menu never appeared";

    game.click(672, 60 + 760);  // "Tutorial"
    EXPECT_TRUE(pageShown("tutorial_game")) << "the first page did not show";
    game.click(1700, 60 + 115);  // "NEXT PAGE"
    EXPECT_TRUE(pageShown("tutorial_editor_main")) << "NEXT PAGE did not turn to the second page";
    game.key("Escape");
    ASSERT_TRUE(menuShown()) << "Escape did not return to the menu";
    game.click(672, 60 + 760);
    EXPECT_TRUE(pageShown("tutorial_editor_main")) << "coming back lost the page";
    game.click(1450, 60 + 115);  // "PREVIOUS PAGE"
    EXPECT_TRUE(pageShown("tutorial_game")) << "PREVIOUS PAGE did not turn back to the first page";
    game.key("Escape");
    ASSERT_TRUE(menuShown()) << "Escape did not return to the menu";

    game.click(672, 60 + 890);  // "Exit"
    EXPECT_EQ(game.waitExit(30000), 0) << game.output();
}
