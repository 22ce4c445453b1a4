#include "engine/FontStore.h"
#include "tests/support/Testing.h"

// Every size from 5 to 100 is its own font; one asked outside that range is
// the nearest end.
TEST(FontStore, SizesClampedWrongOrSharedBetweenSizes) {
    NK::FontStore fonts(nktest::engine().renderContext);
    fonts.load("Resources/Fonts/NK-ClearSans.ttf", "font");
    nktest::LogCapture quiet;
    for (auto [asked, served] : {std::pair{3, 5}, {250, 100}})
        EXPECT_EQ(fonts.get("font", asked), fonts.get("font", served)) << asked;
    EXPECT_NE(fonts.get("font", 6), fonts.get("font", 5));
    EXPECT_NE(fonts.get("font", 99), fonts.get("font", 100));
}
