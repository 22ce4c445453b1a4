#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "engine/Log.h"
#include "engine/Platform.h"
#include "tests/support/Testing.h"

// A fatal error reaches the box with its heading and writes no line; a box
// that returns must still not return to the caller. The child process runs
// afresh: a child forked from one whose Allegro threads run can hang in exit.
// (The INFO and ERROR prefixes: the exact log lines the store tests compare.)
TEST(Log, FatalErrorLoggedOrWithoutItsHeadingOrReturning) {
    nktest::LogCapture log;
    auto plain = nktest::catchFatal([] { NK::fatalError("Core not initialized."); });
    auto headed = nktest::catchFatal([] { NK::fatalErrorWithHeading("k", "Square not found"); });
    EXPECT_EQ(log.lines(), nktest::Lines{});
    EXPECT_EQ(plain.heading + "|" + plain.text, "ERROR|Core not initialized.");
    EXPECT_EQ(headed.heading + "|" + headed.text, "Square not found|k");
    const auto returningBox = [] {
        NK::setFatalHandler([](const std::string&, const std::string&) {});
        NK::fatalError("x");
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(returningBox(), testing::ExitedWithCode(255), "");
}

// Closing can never hang: the audio driver's clean-up at exit has been seen
// to wait for ever, and the watchdog armed at the end must cut it short
// with the exit's own status (the stand-in hang gives up after 20 s with 9).
TEST(Log, ExitHungInItsCleanUp) {
    const auto hangingExit = [] {
        std::atexit([] {
            for (int i = 0; i < 200; ++i) usleep(100000);
            _exit(9);
        });
        NK::Platform::endWithin(1, 7);
        std::exit(0);
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(hangingExit(), testing::ExitedWithCode(7), "clean-up hung");
}

// The start line's clock at fixed instants in UTC: a 24-hour clock would
// show 13 (or 00 at midnight), a month-first date 12-04. The rest of this
// binary reads no local time, so it may go on in UTC.
TEST(Log, ClockStringsNotTwelveHourOrNotDayFirst) {
    setenv("TZ", "UTC", 1);
    tzset();
    auto* const clock = NK::Platform::wallClock;
    NK::Platform::wallClock = [] { return std::time_t{1796389509}; };  // 2026-12-04 13:05:09
    EXPECT_EQ(NK::currentTimeString() + " " + NK::currentDateString(), "01-05-09 04-12-2026");
    NK::Platform::wallClock = [] { return std::time_t{1769818023}; };  // 2026-01-31 00:07:03
    EXPECT_EQ(NK::currentTimeString() + " " + NK::currentDateString(), "12-07-03 31-01-2026");
    NK::Platform::wallClock = clock;
}
