#include "engine/FontStore.h"
#include "tests/support/Testing.h"

// Every size from 5 to 100 is its own font; one asked outside that range is
// the nearest end, and logged. A missing key is reported.
TEST(FontStore, SizesClampedWrongOrUnloggedOrSharedBetweenSizes) {
    NK::FontStore fonts(nktest::engine().renderContext);
    fonts.load("Resources/Fonts/NK-ClearSans.ttf", "font");
    nktest::LogCapture log;
    for (auto [asked, served] : {std::pair{3, 5}, {250, 100}, {5, 5}, {100, 100}})
        EXPECT_EQ(fonts.get("font", asked), fonts.get("font", served)) << asked;
    fonts.destroy("none");
    EXPECT_EQ(
        log.lines(),
        (nktest::Lines{"INFO: Font with key \"font\" size lower than minimum font size - 5",
                       "INFO: Font with key \"font\" size higher than maximum font size - 100",
                       "INFO: Font with key \"none\" not found to destroy"}));
    EXPECT_FATAL(fonts.get("none", 5), "Font with key \"none\" not found");
    EXPECT_NE(fonts.get("font", 6), fonts.get("font", 5));
    EXPECT_NE(fonts.get("font", 99), fonts.get("font", 100));
}
