#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/GameProcess.h"
#include "tests/support/Pixels.h"

namespace {

std::string runAndCapture(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    status = pipe ? pclose(pipe) : -1;
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

}  // namespace

TEST(PlayFromCommandLine, MapThatCannotBeOpenedIsOneLineAndStatusTwoBeforeAnyWindow) {
    int status = 0;
    // No DISPLAY at all: the game must not even try to open a window.
    std::string err = runAndCapture("cd '" NK_SOURCE_DIR "' && env -u DISPLAY '" NK_GAME_BINARY
                                    "' no/such/map.txt 2>&1 >/dev/null",
                                    status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err, "dovra: cannot open map \"no/such/map.txt\"\n");
}

// The real game started on a map from its command line, D held through the
// X server until the win window shows, then Escape back to the menu.
TEST(PlayFromCommandLine, HoldingDWalksIntoTheGateAndTheWinWindowShows) {
    nktest::VirtualScreen screen(1920, 1200);
    ASSERT_TRUE(screen.ok());
    nktest::GameProcess game(screen, NK_GAME_BINARY, NK_SOURCE_DIR,
                             {"tests/data/replays/walk.txt"});
    unsigned long window = game.waitForWindow("Dovra");
    ASSERT_NE(window, 0u) << game.output();
    nktest::WindowGeometry g = game.waitForPlacement(
        window, [](const nktest::WindowGeometry& w) { return w.y == 60 && w.width == 1920; });
    ASSERT_EQ(g.width, 1920) << game.output();
    ASSERT_TRUE(game.waitForOutput("dovra ", 15000));
    // The window's heading, drawn 1:1 at (610, 225) on the logical screen.
    const auto won = [](ALLEGRO_BITMAP* s) {
        return nktest::strays(s, "Resources/Images/Ingame/win-window.png", 610, 225, 100, 60, 700,
                              160) <= 6.0;
    };
    EXPECT_TRUE(nktest::waitForScreen(game, [&](ALLEGRO_BITMAP* s) { return !won(s); }))
        << "the win window showed before the walk";
    game.keyDown("d");
    EXPECT_TRUE(nktest::waitForScreen(game, won)) << "no win window after holding D";
    game.keyUp("d");

    game.key("Escape");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    game.sendClose(window);
    EXPECT_EQ(game.waitExit(), 0) << game.output();
}
