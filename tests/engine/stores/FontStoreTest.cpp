#include "engine/FontStore.h"
#include "tests/support/Testing.h"

// Every size from 5 to 100 is its own font; one asked outside that range is
// the nearest end, with a line every time.
TEST(FontStore, SizesClampedWrongOrWithoutALineEveryTime) {
    NK::FontStore fonts(nktest::engine().renderContext);
    fonts.load("Resources/Fonts/NK-ClearSans.ttf", "font");
    const std::string low = "INFO: Font with key \"font\" size lower than minimum font size - 5";
    const std::string high =
        "INFO: Font with key \"font\" size higher than maximum font size - 100";
    const struct {
        int asked, served;
        nktest::Lines lines;
    } cases[] = {{3, 5, {low, low}}, {5, 5, {}}, {100, 100, {}}, {250, 100, {high, high}}};
    for (const auto& c : cases) {
        ALLEGRO_FONT* expected = fonts.get("font", c.served);
        nktest::LogCapture log;
        EXPECT_EQ(fonts.get("font", c.asked), expected) << c.asked;
        EXPECT_EQ(fonts.get("font", c.asked), expected) << c.asked;  // logs again
        EXPECT_EQ(log.lines(), c.lines) << c.asked;
    }
    EXPECT_NE(fonts.get("font", 6), fonts.get("font", 5));
}
