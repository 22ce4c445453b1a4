#include <allegro5/allegro.h>

#include <cstdlib>
#include <ctime>

#include "engine/Log.h"
#include "engine/Platform.h"
#include "tests/support/Testing.h"

TEST(Log, LinesCarryTheirPrefixAndNothingElse) {
    nktest::LogCapture log;
    NK::logInfo("");
    NK::logInfo("Bitmap with key \"a\"b\" rewrote");  // quotes inside keys stay unescaped
    NK::logError("Allegro keyboard install.");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"INFO: ", "INFO: Bitmap with key \"a\"b\" rewrote",
                                        "ERROR: Allegro keyboard install."}));
}

TEST(Log, FatalErrorsReachTheBoxWithHeadingAndWriteNoLine) {
    nktest::LogCapture log;
    auto plain = nktest::catchFatal([] { NK::fatalError("Core not initialized."); });
    auto headed = nktest::catchFatal(
        [] { NK::fatalErrorWithHeading("k", "Square with key \"k\" not found"); });
    EXPECT_EQ(plain.heading + "|" + plain.text, "ERROR|Core not initialized.");
    EXPECT_EQ(headed.heading + "|" + headed.text, "Square with key \"k\" not found|k");
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

// The start line's clock at fixed instants in UTC: a 24-hour clock would
// show 13 (or 00 at midnight), a month-first date 12-04.
TEST(Log, ClockStringsNotTwelveHourOrNotDayFirst) {
    const char* tz = std::getenv("TZ");
    const std::string savedTz = tz ? tz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    auto* const clock = NK::Platform::wallClock;
    NK::Platform::wallClock = [] { return std::time_t{1796389509}; };  // 2026-12-04 13:05:09
    EXPECT_EQ(NK::currentTimeString(), "01-05-09");
    EXPECT_EQ(NK::currentDateString(), "04-12-2026");
    NK::Platform::wallClock = [] { return std::time_t{1769818023}; };  // 2026-01-31 00:07:03
    EXPECT_EQ(NK::currentTimeString(), "12-07-03");
    EXPECT_EQ(NK::currentDateString(), "31-01-2026");
    NK::Platform::wallClock = clock;
    if (tz)
        setenv("TZ", savedTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Log, ApplicationNameDropsOnlyAnExeSuffix) {
    std::string before = al_get_app_name();
    al_set_app_name("Game.exe");
    EXPECT_EQ(NK::applicationName(), "Game");
    al_set_app_name("dovra");
    EXPECT_EQ(NK::applicationName(), "dovra") << "a Linux name has no suffix to drop";
    al_set_app_name(before.c_str());
}
