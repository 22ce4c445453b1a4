#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/GameProcess.h"

using nktest::GameProcess;
using nktest::VirtualScreen;

namespace {

// Starts the game on a desktop of the given size and returns its window's
// geometry after closing it through the window manager's close message.
nktest::WindowGeometry runAndClose(int desktopW, int desktopH, int expectedY, int& exitCode) {
    VirtualScreen screen(desktopW, desktopH);
    EXPECT_TRUE(screen.ok());
    GameProcess game(screen);
    unsigned long window = game.waitForWindow("Dovra");
    EXPECT_NE(window, 0u) << game.output();
    // The window is mapped first and moved to its place just after.
    nktest::WindowGeometry g = game.waitForPlacement(window, [&](const nktest::WindowGeometry& w) {
        return w.y == expectedY && w.width >= 100;
    });
    // A close sent before the game listens to its window would be lost, as
    // it would be for any program; the start line comes after that point.
    EXPECT_TRUE(game.waitForOutput("\n", 20000));
    game.sendClose(window);
    exitCode = game.waitExit(30000);
    EXPECT_EQ(exitCode, 0) << game.output();
    return g;
}

}  // namespace

// A desktop with room for full HD is the shell test's (1920 x 1200); these
// two need a smaller window, limited by the width or by the height.
TEST(GameWindow, SizedAndCentredForTheDesktopAndClosesCleanly) {
    struct Case {
        int dw, dh, w, h;
    } cases[] = {{1280, 1024, 1280, 720}, {1920, 1144, 1918, 1079}};
    for (const Case& c : cases) {
        int exitCode = -2;
        int expectedY = c.h < c.dh ? c.dh / 2 - c.h / 2 : 0;
        nktest::WindowGeometry g = runAndClose(c.dw, c.dh, expectedY, exitCode);
        EXPECT_EQ(g.width, c.w) << c.dw << "x" << c.dh;
        EXPECT_EQ(g.height, c.h) << c.dw << "x" << c.dh;
        EXPECT_EQ(g.x, c.dw / 2 - c.w / 2 < 0 ? 0 : (c.w < c.dw ? c.dw / 2 - c.w / 2 : 0));
        EXPECT_EQ(g.y, expectedY);
        EXPECT_EQ(exitCode, 0) << "closing the window must end the game normally";
    }
}
