#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <set>

#include "engine/FontStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Pixels.h"

namespace {

// Loading a font makes 96 Allegro fonts, so the suite shares one load.
class FontStoreTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fonts = new NK::FontStore(nktest::engine().renderContext);
        fonts->load(nktest::clearSansPath(), "font");
    }
    static void TearDownTestSuite() {
        fonts->destroyAll();
        delete fonts;
        fonts = nullptr;
    }
    static NK::FontStore* fonts;
};
NK::FontStore* FontStoreTest::fonts = nullptr;

}  // namespace

TEST_F(FontStoreTest, SizeBelowMinimumLogsAndGivesSizeFive) {
    ALLEGRO_FONT* five = fonts->get("font", 5);
    nktest::LogCapture log;
    EXPECT_EQ(fonts->get("font", 3), five);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{
                  "INFO: Font with key \"font\" size lower than minimum font size - 5"});
}

TEST_F(FontStoreTest, SizeAboveMaximumLogsAndGivesSizeHundred) {
    ALLEGRO_FONT* hundred = fonts->get("font", 100);
    nktest::LogCapture log;
    EXPECT_EQ(fonts->get("font", 250), hundred);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{
                  "INFO: Font with key \"font\" size higher than maximum font size - 100"});
}

TEST_F(FontStoreTest, SizesAtTheLimitsLogNothing) {
    nktest::LogCapture log;
    EXPECT_NE(fonts->get("font", 5), nullptr);
    EXPECT_NE(fonts->get("font", 100), nullptr);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(FontStoreTest, EachOutOfRangeRequestLogsAgain) {
    nktest::LogCapture log;
    fonts->get("font", 0);
    fonts->get("font", -7);
    EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(FontStoreTest, SizeNIsTrueTypeSizeThreeN) {
    // Against fonts loaded straight from Allegro at 3n: same metrics.
    for (int n : {5, 10, 33, 100}) {
        ALLEGRO_FONT* direct = al_load_ttf_font(nktest::clearSansPath().c_str(), 3 * n, 0);
        ASSERT_NE(direct, nullptr);
        ALLEGRO_FONT* stored = fonts->get("font", n);
        EXPECT_EQ(al_get_font_line_height(stored), al_get_font_line_height(direct)) << n;
        EXPECT_EQ(al_get_text_width(stored, "Dovra"), al_get_text_width(direct, "Dovra")) << n;
        al_destroy_font(direct);
    }
}

TEST_F(FontStoreTest, MissingKeyIsFatalAfterTheSizeLine) {
    nktest::LogCapture log;
    EXPECT_FATAL(fonts->drawText("nope", 3, NK::Color::white(), {0, 0}, 0, "x"),
                 "Font with key \"nope\" not found");
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{
                  "INFO: Font with key \"nope\" size lower than minimum font size - 5"});
    EXPECT_FATAL(fonts->get("nope", 20), "Font with key \"nope\" not found");
}

TEST_F(FontStoreTest, DrawTextPutsPixelsAtThePosition) {
    nktest::resetDrawing();
    fonts->drawText("font", 30, NK::Color::white(), {100, 100}, 0, "MMMM");
    NK::Display& d = *nktest::engine().display;
    bool lit = false;
    for (int y = 100; y < 180 && !lit; y += 2)
        for (int x = 100; x < 300 && !lit; x += 2)
            lit = nktest::near(nktest::pixelAt(x * d.windowWidth / 1920, y * d.windowHeight / 1080),
                               255, 255, 255, 60);
    EXPECT_TRUE(lit);
    nktest::resetDrawing();
}

TEST(FontStoreLoad, RemakeLogsOnceAndLeavesOneFontPerSize) {
    NK::FontStore fonts(nktest::engine().renderContext);
    fonts.load(nktest::clearSansPath(), "k");
    nktest::LogCapture log;
    ALLEGRO_FONT* last = fonts.load(nktest::clearSansPath(), "k");
    EXPECT_EQ(log.lines(), std::vector<std::string>{"INFO: Font with key \"k\" remade"});
    EXPECT_EQ(last, fonts.get("k", 100));
    std::set<ALLEGRO_FONT*> distinct;
    for (int n = NK::FontStore::minSize; n <= NK::FontStore::maxSize; ++n)
        distinct.insert(fonts.get("k", n));
    EXPECT_EQ(distinct.size(), 96u);
    EXPECT_EQ(distinct.count(nullptr), 0u);
}

TEST(FontStoreLoad, MissingFileIsFatalAndDestroyOfMissingKeyLogs) {
    NK::FontStore fonts(nktest::engine().renderContext);
    EXPECT_FATAL(fonts.load("/tmp/nk_no_such_font.ttf", "k"),
                 "Font path \"/tmp/nk_no_such_font.ttf\" not found or initialization fails");
    nktest::LogCapture log;
    fonts.destroy("k");
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"INFO: Font with key \"k\" not found to destroy"});
}

TEST(FontStoreLoad, DestroyedKeyIsGone) {
    NK::FontStore fonts(nktest::engine().renderContext);
    fonts.load(nktest::clearSansPath(), "k");
    fonts.destroy("k");
    EXPECT_FALSE(fonts.contains("k"));
    EXPECT_FATAL(fonts.get("k", 50), "Font with key \"k\" not found");
}
