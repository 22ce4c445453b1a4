#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/DialogCardStore.h"
#include "tests/support/AllegroEnvironment.h"
#include "tests/support/FatalTrap.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Pixels.h"

namespace {

// The design picture the tests cut: background in blue above, the button
// picture in red below it, and a green strip beside the button that must
// never turn up in a cut region.
const nktest::Rgba background{40, 60, 200, 255};
const nktest::Rgba button{200, 50, 50, 255};
const nktest::Rgba black{0, 0, 0, 255};
const nktest::Rgba yellow{255, 255, 0, 255}, cyan{0, 255, 255, 255}, red{255, 0, 0, 255};

using Lines = std::vector<std::string>;

bool same(const nktest::Rgba& c, const nktest::Rgba& e) {
    return nktest::near(c, e.r, e.g, e.b, 3);
}

struct Box {
    int minX = 100000, minY = 100000, maxX = -1, maxY = -1;
    bool empty() const { return maxX < 0; }
    float centreX() const { return (minX + maxX) * 0.5f; }
    float centreY() const { return (minY + maxY) * 0.5f; }
};

// The bounding box of the pixels of `bitmap` within `tolerance` of `colour`
// in every channel; the default admits anti-aliased text of that colour.
Box boxOf(ALLEGRO_BITMAP* bitmap, const nktest::Rgba& colour, int tolerance = 100) {
    Box b;
    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < al_get_bitmap_height(bitmap); ++y) {
        for (int x = 0; x < al_get_bitmap_width(bitmap); ++x) {
            const nktest::Rgba c = nktest::pixelAt(x, y, bitmap);
            if (!nktest::near(c, colour.r, colour.g, colour.b, tolerance)) continue;
            b = {std::min(b.minX, x), std::min(b.minY, y), std::max(b.maxX, x),
                 std::max(b.maxY, y)};
        }
    }
    al_unlock_bitmap(bitmap);
    return b;
}

}  // namespace

class DialogCards : public testing::Test {
protected:
    static void SetUpTestSuite() {
        nktest::resetDrawing();
        bitmaps = new NK::BitmapStore(nktest::engine().renderContext);
        fonts = new NK::FontStore(nktest::engine().renderContext);
        fonts->load("/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf", "font");
        ALLEGRO_BITMAP* picture = al_create_bitmap(500, 600);
        al_set_target_bitmap(picture);
        al_clear_to_color(al_map_rgb(0, 255, 0));
        al_draw_filled_rectangle(0, 0, 500, 500,
                                 al_map_rgb(background.r, background.g, background.b));
        al_draw_filled_rectangle(0, 500, 300, 600, al_map_rgb(button.r, button.g, button.b));
        designPath = "/tmp/nk_lights_design_" + std::to_string(getpid()) + ".png";
        ASSERT_TRUE(al_save_bitmap(designPath.c_str(), picture));
        al_destroy_bitmap(picture);
        nktest::resetDrawing();
    }
    static void TearDownTestSuite() {
        delete fonts;
        delete bitmaps;
        std::remove(designPath.c_str());
    }
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
        nktest::Engine& e = nktest::engine();
        store = new NK::DialogCardStore(e.renderContext, bitmaps, fonts, e.input);
        store->createDesign(designPath, "font", "d", NK::Color(1, 1, 0), NK::Color(0, 1, 1));
    }
    void TearDown() override { delete store; }

    // A shown 500 x 500 card in the screen layout at (100, 100).
    NK::DialogCard& shownCard(const std::string& key = "card") {
        store->createCard("d", {100, 100, 500, 500}, "Title", "Text", key);
        NK::DialogCard& card = store->getCard(key);
        card.visible = true;
        return card;
    }
    // A card printed with the design as it is now; its red title's box.
    Box redTitle(const std::string& key, const std::string& text = "") {
        store->getDesign("d").titleColour = NK::Color(1, 0, 0);
        store->createCard("d", {0, 0, 500, 500}, "Hi", text, key);
        return boxOf(bitmaps->get(key).get(), red);
    }
    // One update tick with the pointer at a window pixel, the left button
    // pressed this tick or not.
    void tickWithMouse(int x, int y, bool press) {
        NK::Input& in = *nktest::engine().input;
        in.mouse.x = x;
        in.mouse.y = y;
        in.mousePressed[1] = press ? 1 : 0;
        store->updateCards();
        in.endUpdate();
    }
    // The same, with the pointer inside the card's CLOSE button.
    void tickOnClose(const NK::DialogCard& card, bool press, int viewX = 0) {
        const NK::Rect close = card.placed(card.closeRect);
        tickWithMouse(int(close.x) - viewX + 20, int(close.y) + 20, press);
    }

    static inline NK::BitmapStore* bitmaps = nullptr;
    static inline NK::FontStore* fonts = nullptr;
    static inline std::string designPath;
    NK::DialogCardStore* store = nullptr;
};

TEST_F(DialogCards, DesignCutsBackgroundAndButtonRegions) {
    const struct {
        const char* key;
        int width, height;
        nktest::Rgba colour;
    } images[] = {{"d_bg", 500, 500, background},
                  {"d_close", 300, 100, button},
                  {"d_next", 300, 100, button}};
    for (const auto& i : images) {
        ALLEGRO_BITMAP* b = bitmaps->get(i.key).get();
        EXPECT_EQ(al_get_bitmap_width(b), i.width) << i.key;
        EXPECT_EQ(al_get_bitmap_height(b), i.height) << i.key;
        // Opposite corners, clear of the printed words: no green crept in.
        EXPECT_TRUE(same(nktest::pixelAt(2, 2, b), i.colour)) << i.key;
        EXPECT_TRUE(same(nktest::pixelAt(i.width - 3, i.height - 3, b), i.colour)) << i.key;
    }
}

TEST_F(DialogCards, ButtonWordsPrintedCentredInTheirOwnColours) {
    ALLEGRO_BITMAP* close = bitmaps->get("d_close").get();
    ALLEGRO_BITMAP* next = bitmaps->get("d_next").get();
    Box closeWord = boxOf(close, yellow);
    Box nextWord = boxOf(next, cyan);
    ASSERT_FALSE(closeWord.empty());
    ASSERT_FALSE(nextWord.empty());
    EXPECT_TRUE(boxOf(close, cyan).empty());
    EXPECT_TRUE(boxOf(next, yellow).empty());
    EXPECT_NEAR(closeWord.centreX(), 150, 6);
    EXPECT_NEAR(closeWord.centreY(), 50, 8);
    EXPECT_NEAR(nextWord.centreX(), 150, 6);
    // "CLOSE" is the longer word: the labels did not trade places.
    EXPECT_GT(closeWord.maxX - closeWord.minX, nextWord.maxX - nextWord.minX);
}

TEST_F(DialogCards, CardPrintsLeftTitleAboveWrappedText) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleAlign = NK::DialogDesign::alignLeft;
    design.textAlign = NK::DialogDesign::alignLeft;
    design.textSize = 10;
    Box title = redTitle("c", "a long line of words that cannot fit across one card and so wraps");
    Box text = boxOf(bitmaps->get("c").get(), {255, 255, 255, 255}, 75);
    ASSERT_FALSE(title.empty());
    ASSERT_FALSE(text.empty());
    EXPECT_GE(title.minX, 10);
    EXPECT_LE(title.minX, 20);
    EXPECT_LT(title.maxX, 250);
    EXPECT_GE(title.minY, 10);
    EXPECT_GE(text.minY, 110);
    EXPECT_GE(text.minX, 10);
    EXPECT_LE(text.maxX, 490);
    // Wrapped: more than one line of text at size 10 (30 px glyphs).
    EXPECT_GT(text.maxY - text.minY, 60);
    // The design's own images are untouched by printing on the card.
    EXPECT_TRUE(boxOf(bitmaps->get("d_bg").get(), red).empty());
}

TEST_F(DialogCards, RightTitleEndsAtItsMarginAndOldMinusOneIsCentred) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleMargin = NK::Vec2(30, 10);
    design.titleAlign = NK::DialogDesign::alignRight;
    Box right = redTitle("right");
    design.titleAlign = -1;
    Box old = redTitle("old");
    ASSERT_FALSE(right.empty());
    ASSERT_FALSE(old.empty());
    EXPECT_LE(right.maxX, 470);
    EXPECT_GE(right.maxX, 460);
    EXPECT_NEAR(old.centreX(), 250, 6);
}

TEST_F(DialogCards, RemakingDesignOrCardLogsOneRemadeLine) {
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    nktest::LogCapture log;
    store->createDesign(designPath, "font", "d", NK::Color(1, 1, 0), NK::Color(0, 1, 1));
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    EXPECT_EQ(log.lines(),
              (Lines{"INFO: Design with key \"d\" remade", "INFO: Card with key \"c\" remade"}));
}

TEST_F(DialogCards, DestroyReleasesImagesAndMissingKeysLog) {
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    store->destroyCard("c");
    store->destroyDesign("d");
    for (const char* key : {"c", "d_bg", "d_close", "d_next"}) {
        EXPECT_FALSE(bitmaps->contains(key)) << key;
    }
    nktest::LogCapture log;
    store->destroyCard("c");
    store->destroyDesign("d");
    EXPECT_EQ(log.lines(), (Lines{"INFO: Card with key \"c\" not found to destroy",
                                  "INFO: Design with key \"d\" not found to destroy"}));
}

TEST_F(DialogCards, MissingDesignOrCardIsFatal) {
    EXPECT_FATAL(store->getDesign("x"), "Dialog Design key \"x\" not found");
    EXPECT_FATAL(store->getCard("y"), "Dialog Card key \"y\" not found");
    EXPECT_FATAL(store->createCard("x", {0, 0, 10, 10}, "", "", "z"),
                 "Dialog Design key \"x\" not found");
}

TEST_F(DialogCards, ScreenCardDrawsBackgroundAndDimsUnhoveredButton) {
    NK::DialogCard& card = shownCard();
    card.setButtons(NK::DialogCard::closeAndNext);
    card.closeHover = true;  // NEXT stays unhovered
    store->drawCard("card");
    EXPECT_TRUE(same(nktest::pixelAt(350, 200), background));
    // Corners of the two buttons, clear of their centred words.
    const NK::Rect close = card.placed(card.closeRect);
    const NK::Rect next = card.placed(card.nextRect);
    nktest::Rgba lit = nktest::pixelAt(int(close.x) + 4, int(close.y) + 4);
    nktest::Rgba dim = nktest::pixelAt(int(next.x) + 4, int(next.y) + 4);
    EXPECT_TRUE(same(lit, button)) << lit;
    // Half-transparent over the blue background.
    EXPECT_TRUE(nktest::near(dim, (button.r + background.r) / 2, (button.g + background.g) / 2,
                             (button.b + background.b) / 2, 6))
        << dim;
}

TEST_F(DialogCards, WorldCardDrawsAndHoversWhereTheViewPutsIt) {
    NK::DialogCard& card = shownCard();
    card.screenSpace = false;
    card.rect = NK::Rect(2000, 100, 500, 500);
    NK::View& v = *nktest::engine().view;
    v.x = 1800;
    v.apply();
    store->drawCard("card");
    EXPECT_TRUE(same(nktest::pixelAt(450, 300), background));
    EXPECT_TRUE(same(nktest::pixelAt(150, 300), black));
    tickOnClose(card, false, 1800);
    EXPECT_TRUE(store->getCard("card").closeHover);
}

TEST_F(DialogCards, HiddenCardNeitherDrawsNorReacts) {
    NK::DialogCard& card = shownCard();
    card.visible = false;
    int calls = 0;
    card.callbacks.onClose = [&](std::string) { ++calls; };
    store->drawCard("card");
    EXPECT_TRUE(same(nktest::pixelAt(350, 200), black));
    tickOnClose(card, true);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(card.closeHover);
}

// Both buttons shown but still sharing the centred rectangle: CLOSE wins.
TEST_F(DialogCards, OverlappingButtonsCallOnlyCloseWithTheCardKey) {
    NK::DialogCard& card = shownCard("greeting");
    card.buttons = NK::DialogCard::closeAndNext;
    Lines called;
    card.callbacks.onClose = [&](std::string key) { called.push_back("close " + key); };
    card.callbacks.onNext = [&](std::string key) { called.push_back("next " + key); };
    tickOnClose(card, false);
    EXPECT_TRUE(card.closeHover);
    EXPECT_FALSE(card.nextHover);
    EXPECT_TRUE(called.empty());  // hovering is not clicking
    tickOnClose(card, true);
    EXPECT_EQ(called, Lines{"close greeting"});
}

TEST_F(DialogCards, Timer120HidesOnThe121stUpdateWithOneTimeoutCall) {
    shownCard().timer = 120;
    Lines timeouts;
    store->getCard("card").callbacks.onTimeout = [&](std::string key) { timeouts.push_back(key); };
    for (int update = 1; update <= 180; ++update) {
        tickWithMouse(0, 0, false);
        ASSERT_EQ(store->getCard("card").visible, update <= 120) << update;
        ASSERT_EQ(timeouts, update <= 120 ? Lines{} : Lines{"card"}) << update;
    }
}

TEST_F(DialogCards, CloseCallbackMayDestroyItsOwnCard) {
    shownCard("a");
    NK::DialogCard& b = shownCard("b");
    auto destroySelf = [&](std::string key) { store->destroyCard(key); };
    store->getCard("a").callbacks.onClose = destroySelf;
    b.callbacks.onClose = destroySelf;
    tickOnClose(b, true);
    EXPECT_FALSE(bitmaps->contains("a"));
    EXPECT_FALSE(bitmaps->contains("b"));
}
