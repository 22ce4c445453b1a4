#include <allegro5/allegro_ttf.h>

#include <set>

#include "engine/FontStore.h"
#include "tests/engine/stores/StoreFixtures.h"
#include "tests/support/Testing.h"

namespace {

// Loading a font makes 96 Allegro fonts, so the suite shares one load.
class FontStoreTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fonts = new NK::FontStore(nktest::engine().renderContext);
        fonts->load(nktest::clearSansPath(), "font");
    }
    static void TearDownTestSuite() { delete fonts; }
    static inline NK::FontStore* fonts = nullptr;
};

}  // namespace

TEST_F(FontStoreTest, SizesClampToFiveAndHundredWithALineEveryTime) {
    const std::string low = "INFO: Font with key \"font\" size lower than minimum font size - 5";
    const std::string high =
        "INFO: Font with key \"font\" size higher than maximum font size - 100";
    struct Case {
        int asked, served;
        nktest::Lines lines;
    };
    const Case cases[] = {{3, 5, {low, low}}, {5, 5, {}}, {100, 100, {}}, {250, 100, {high, high}}};
    for (const Case& c : cases) {
        ALLEGRO_FONT* expected = fonts->get("font", c.served);
        ASSERT_NE(expected, nullptr);
        nktest::LogCapture log;
        EXPECT_EQ(fonts->get("font", c.asked), expected) << c.asked;
        EXPECT_EQ(fonts->get("font", c.asked), expected) << c.asked;  // logs again
        EXPECT_EQ(log.lines(), c.lines) << c.asked;
    }
}

TEST_F(FontStoreTest, SizeNIsTrueTypeSizeThreeN) {
    // Same metrics as the font loaded straight from Allegro at 3 * 33.
    ALLEGRO_FONT* direct = al_load_ttf_font(nktest::clearSansPath().c_str(), 99, 0);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(al_get_font_line_height(fonts->get("font", 33)), al_get_font_line_height(direct));
    EXPECT_EQ(al_get_text_width(fonts->get("font", 33), "Dovra"),
              al_get_text_width(direct, "Dovra"));
    al_destroy_font(direct);
}

TEST_F(FontStoreTest, MissingKeyIsFatalAfterTheSizeLine) {
    nktest::LogCapture log;
    EXPECT_FATAL(fonts->drawText("nope", 3, NK::Color::white(), {0, 0}, 0, "x"),
                 "Font with key \"nope\" not found");
    EXPECT_EQ(log.lines(),
              nktest::Lines{"INFO: Font with key \"nope\" size lower than minimum font size - 5"});
}

TEST_F(FontStoreTest, RemakeLeavesAFontMissingOrTwiceOrWrongWordsOrDestroyKeepsIt) {
    const std::string missing = nktest::tempPath("missing.ttf");
    fonts->load(nktest::clearSansPath(), "k");
    nktest::LogCapture log;
    ALLEGRO_FONT* last = fonts->load(nktest::clearSansPath(), "k");
    EXPECT_EQ(last, fonts->get("k", 100));
    std::set<ALLEGRO_FONT*> distinct;
    for (int n = NK::FontStore::minSize; n <= NK::FontStore::maxSize; ++n)
        distinct.insert(fonts->get("k", n));
    EXPECT_EQ(distinct.size(), 96u);
    EXPECT_EQ(distinct.count(nullptr), 0u);
    fonts->destroy("k");
    fonts->destroy("k");
    EXPECT_EQ(log.lines(), (nktest::Lines{"INFO: Font with key \"k\" remade",
                                          "INFO: Font with key \"k\" not found to destroy"}));
    EXPECT_FATAL(fonts->get("k", 50), "Font with key \"k\" not found");
    EXPECT_FATAL(fonts->load(missing, "m"),
                 "Font path \"" + missing + "\" not found or initialization fails");
}
