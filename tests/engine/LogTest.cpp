#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Platform.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"

using nktest::LogCapture;

TEST(Log, LinesCarryTheirPrefixAndNothingElse) {
    LogCapture log;
    NK::logInfo("");
    NK::logInfo("Bitmap with key \"a\"b\" rewrote");
    NK::logError("Allegro keyboard install.");
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "INFO: ");
    EXPECT_EQ(lines[1], "INFO: Bitmap with key \"a\"b\" rewrote");  // quotes inside keys unescaped
    EXPECT_EQ(lines[2], "ERROR: Allegro keyboard install.");
}

TEST(Log, FatalErrorsReachTheBoxWithHeadingAndWriteNoLine) {
    LogCapture log;
    auto plain = nktest::catchFatal([] { NK::fatalError("Core not initialized."); });
    auto headed = nktest::catchFatal(
        [] { NK::fatalErrorWithHeading("k", "Square with key \"k\" not found"); });
    EXPECT_EQ(plain.heading, "ERROR");
    EXPECT_EQ(plain.text, "Core not initialized.");
    EXPECT_EQ(headed.heading, "Square with key \"k\" not found");
    EXPECT_EQ(headed.text, "k");
    EXPECT_TRUE(log.lines().empty());
}

TEST(Log, FatalErrorEndsTheProcessWithMinusOne) {
    // With the default handler swapped for one that returns, the process
    // must still end: a fatal error never returns to its caller.
    EXPECT_EXIT(
        {
            NK::setFatalHandler([](const std::string&, const std::string&) {});
            NK::fatalError("x");
        },
        testing::ExitedWithCode(255), "");
}

TEST(Log, TimeAndDateUseTwelveHourClockAndDayFirst) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 4;
    when.tm_hour = 13;
    when.tm_min = 5;
    when.tm_sec = 9;
    EXPECT_EQ(NK::Platform::formatTime("%I-%M-%S", when), "01-05-09");
    EXPECT_EQ(NK::Platform::formatTime("%d-%m-%Y", when), "04-12-2026");
    EXPECT_EQ(NK::currentTimeString().size(), 8u);
    EXPECT_EQ(NK::currentDateString().size(), 10u);
}

TEST(Log, ApplicationNameDropsOnlyAnExeSuffix) {
    std::string before = al_get_app_name();
    al_set_app_name("Game.exe");
    EXPECT_EQ(NK::applicationName(), "Game");
    al_set_app_name("dovra");
    EXPECT_EQ(NK::applicationName(), "dovra") << "a Linux name has no suffix to drop";
    al_set_app_name(before.c_str());
}
