#include <gtest/gtest.h>

#include <regex>

#include "tests/support/GameProcess.h"

// Each row: a desktop and the window the game must open on it, centred, with
// its start line written; closing it through the window manager ends the
// game normally. Full HD fits on 1920 x 1200; 1280 x 1024 needs a smaller one.
TEST(GameWindow, SizedAndCentredForTheDesktopAndClosesCleanly) {
    const struct {
        int dw, dh, x, y, w, h;
    } cases[] = {{1920, 1200, 0, 60, 1920, 1080}, {1280, 1024, 0, 152, 1280, 720}};
    for (const auto& c : cases) {
        nktest::GameProcess game(c.dw, c.dh);
        ASSERT_TRUE(game.screenOk());
        // The window is mapped first and moved to its place just after.
        nktest::WindowGeometry g;
        const unsigned long window = game.waitForWindow(
            g, [&](const nktest::WindowGeometry& w) { return w.y == c.y && w.width >= 100; });
        ASSERT_NE(window, 0u) << game.output();
        EXPECT_EQ(std::vector<int>({g.x, g.y, g.width, g.height}),
                  std::vector<int>({c.x, c.y, c.w, c.h}))
            << c.dw << "x" << c.dh;
        // A close sent before the game listens to its window would be lost;
        // the start line comes after that point.
        ASSERT_TRUE(game.waitForOutput("\n", 20000));
        const std::string first = game.output().substr(0, game.output().find('\n'));
        EXPECT_TRUE(std::regex_match(first, std::regex(R"(dovra \d\d-\d\d-\d{4} \d\d-\d\d-\d\d)")))
            << first;
        game.sendClose(window);
        EXPECT_EQ(game.waitExit(30000), 0) << game.output();
    }
}

// A command line the game cannot follow is told on standard error with
// status 2, before any window: with no DISPLAY at all the game must not even
// try. A map that cannot be opened is one line; a wrong option or operand
// is the reason first, then how the game is called.
TEST(PlayFromCommandLine, WrongCommandLineToldWithStatusTwoBeforeAnyWindow) {
    const std::pair<const char*, const char*> cases[] = {
        {"no/such/map.txt", "dovra: cannot open map \"no/such/map.txt\"\n"},
        {"--record-replay", "dovra: option '--record-replay' requires an argument\n"},
        {"--bogus", "dovra: unrecognized option '--bogus'\n"},
        {"a.txt b.txt", "dovra: extra operand 'b.txt'\n"}};
    for (const auto& [arguments, told] : cases) {
        const nktest::CommandRun r = nktest::runCommand(
            std::string("cd '" NK_SOURCE_DIR "' && env -u DISPLAY '" NK_GAME_BINARY "' ") +
            arguments + " 2>&1 >/dev/null");
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.output.substr(0, r.output.find('\n') + 1), told) << arguments;
    }
}
