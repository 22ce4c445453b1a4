#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

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

struct Box {
    int minX = 100000, minY = 100000, maxX = -1, maxY = -1;
    bool empty() const { return maxX < 0; }
    float centreX() const { return (minX + maxX) * 0.5f; }
    float centreY() const { return (minY + maxY) * 0.5f; }
};

template <typename Match>
Box boxOf(ALLEGRO_BITMAP* bitmap, Match match) {
    Box b;
    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < al_get_bitmap_height(bitmap); ++y) {
        for (int x = 0; x < al_get_bitmap_width(bitmap); ++x) {
            if (!match(nktest::pixelAt(x, y, bitmap))) continue;
            b.minX = std::min(b.minX, x);
            b.maxX = std::max(b.maxX, x);
            b.minY = std::min(b.minY, y);
            b.maxY = std::max(b.maxY, y);
        }
    }
    al_unlock_bitmap(bitmap);
    return b;
}

bool yellowish(const nktest::Rgba& c) {
    return c.r > 150 && c.g > 150 && c.b < 100;
}
bool cyanish(const nktest::Rgba& c) {
    return c.r < 100 && c.g > 150 && c.b > 150;
}
bool reddish(const nktest::Rgba& c) {
    return c.r > 150 && c.g < 100 && c.b < 100;
}
bool whitish(const nktest::Rgba& c) {
    return c.r > 180 && c.g > 180 && c.b > 180;
}
bool same(const nktest::Rgba& c, const nktest::Rgba& e) {
    return nktest::near(c, e.r, e.g, e.b, 3);
}

}  // namespace

class DialogCards : public testing::Test {
protected:
    static void SetUpTestSuite() {
        nktest::Engine& e = nktest::engine();
        nktest::resetDrawing();
        bitmaps = new NK::BitmapStore(e.renderContext);
        fonts = new NK::FontStore(e.renderContext);
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
    void TearDown() override {
        delete store;
        nktest::resetInput();
        nktest::resetDrawing();
    }

    // A shown 500 x 500 card in the screen layout at (100, 100).
    NK::DialogCard& shownCard(const std::string& key = "card") {
        store->createCard("d", {100, 100, 500, 500}, "Title", "Text", key);
        NK::DialogCard& card = store->getCard(key);
        card.visible = true;
        return card;
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

    static NK::BitmapStore* bitmaps;
    static NK::FontStore* fonts;
    static std::string designPath;
    NK::DialogCardStore* store = nullptr;
};

NK::BitmapStore* DialogCards::bitmaps = nullptr;
NK::FontStore* DialogCards::fonts = nullptr;
std::string DialogCards::designPath;

TEST_F(DialogCards, DesignCutsBackgroundAndButtonRegions) {
    NK::BitmapEntry& bg = bitmaps->get("d_bg");
    EXPECT_EQ(al_get_bitmap_width(bg.get()), 500);
    EXPECT_EQ(al_get_bitmap_height(bg.get()), 500);
    EXPECT_TRUE(same(nktest::pixelAt(250, 250, bg.get()), background));
    EXPECT_TRUE(same(nktest::pixelAt(499, 499, bg.get()), background));
    for (const char* key : {"d_close", "d_next"}) {
        NK::BitmapEntry& b = bitmaps->get(key);
        EXPECT_EQ(al_get_bitmap_width(b.get()), 300) << key;
        EXPECT_EQ(al_get_bitmap_height(b.get()), 100) << key;
        EXPECT_TRUE(same(nktest::pixelAt(2, 2, b.get()), button)) << key;
        EXPECT_TRUE(same(nktest::pixelAt(297, 97, b.get()), button)) << key;
    }
}

TEST_F(DialogCards, ButtonWordsPrintedCentredInTheirOwnColours) {
    ALLEGRO_BITMAP* close = bitmaps->get("d_close").get();
    ALLEGRO_BITMAP* next = bitmaps->get("d_next").get();
    Box closeWord = boxOf(close, yellowish);
    Box nextWord = boxOf(next, cyanish);
    ASSERT_FALSE(closeWord.empty());
    ASSERT_FALSE(nextWord.empty());
    EXPECT_TRUE(boxOf(close, cyanish).empty());
    EXPECT_TRUE(boxOf(next, yellowish).empty());
    EXPECT_NEAR(closeWord.centreX(), 150, 6);
    EXPECT_NEAR(closeWord.centreY(), 50, 8);
    EXPECT_NEAR(nextWord.centreX(), 150, 6);
    // "CLOSE" is the longer word: the labels did not trade places.
    EXPECT_GT(closeWord.maxX - closeWord.minX, nextWord.maxX - nextWord.minX);
}

TEST_F(DialogCards, CardPrintsLeftTitleAboveWrappedText) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleColour = NK::Color(1, 0, 0);
    design.titleAlign = NK::DialogDesign::alignLeft;
    design.textAlign = NK::DialogDesign::alignLeft;
    design.textSize = 10;
    store->createCard("d", {0, 0, 500, 500}, "Hi",
                      "a long line of words that cannot fit across one card and so wraps", "c");
    ALLEGRO_BITMAP* card = bitmaps->get("c").get();
    Box title = boxOf(card, reddish);
    Box text = boxOf(card, whitish);
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
    EXPECT_TRUE(boxOf(bitmaps->get("d_bg").get(), reddish).empty());
}

TEST_F(DialogCards, RightAlignedTitleEndsAtTheMargin) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleColour = NK::Color(1, 0, 0);
    design.titleAlign = NK::DialogDesign::alignRight;
    design.titleMargin = NK::Vec2(30, 10);
    store->createCard("d", {0, 0, 500, 500}, "Hi", "", "c");
    Box title = boxOf(bitmaps->get("c").get(), reddish);
    ASSERT_FALSE(title.empty());
    EXPECT_LE(title.maxX, 470);
    EXPECT_GE(title.maxX, 460);
}

TEST_F(DialogCards, OldMinusOneAlignmentIsCentred) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleColour = NK::Color(1, 0, 0);
    design.titleAlign = -1;
    store->createCard("d", {0, 0, 500, 500}, "Hi", "", "c");
    Box title = boxOf(bitmaps->get("c").get(), reddish);
    ASSERT_FALSE(title.empty());
    EXPECT_NEAR(title.centreX(), 250, 6);
}

TEST_F(DialogCards, RemakingDesignOrCardLogsOneRemadeLine) {
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    nktest::LogCapture log;
    store->createDesign(designPath, "font", "d", NK::Color(1, 1, 0), NK::Color(0, 1, 1));
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"INFO: Design with key \"d\" remade",
                                                     "INFO: Card with key \"c\" remade"}));
}

TEST_F(DialogCards, DestroyReleasesImagesAndMissingKeysLog) {
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    store->destroyCard("c");
    store->destroyDesign("d");
    EXPECT_FALSE(bitmaps->contains("c"));
    EXPECT_FALSE(bitmaps->contains("d_bg"));
    EXPECT_FALSE(bitmaps->contains("d_close"));
    EXPECT_FALSE(bitmaps->contains("d_next"));
    nktest::LogCapture log;
    store->destroyCard("c");
    store->destroyDesign("d");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"INFO: Card with key \"c\" not found to destroy",
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

TEST_F(DialogCards, WorldCardMovesWithTheView) {
    NK::DialogCard& card = shownCard();
    card.screenSpace = false;
    card.rect = NK::Rect(2000, 100, 500, 500);
    NK::View& v = *nktest::engine().view;
    v.x = 1800;
    v.apply();
    store->drawCard("card");
    EXPECT_TRUE(same(nktest::pixelAt(450, 300), background));
    EXPECT_TRUE(same(nktest::pixelAt(150, 300), {0, 0, 0, 255}));
}

TEST_F(DialogCards, HiddenCardNeitherDrawsNorReacts) {
    NK::DialogCard& card = shownCard();
    card.visible = false;
    int calls = 0;
    card.callbacks.onClose = [&](std::string) { ++calls; };
    store->drawCard("card");
    EXPECT_TRUE(same(nktest::pixelAt(350, 200), {0, 0, 0, 255}));
    const NK::Rect close = card.placed(card.closeRect);
    tickWithMouse(int(close.x) + 20, int(close.y) + 20, true);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(card.closeHover);
}

TEST_F(DialogCards, ClickOnCloseCallsCloseWithTheCardKey) {
    NK::DialogCard& card = shownCard("greeting");
    std::vector<std::string> closed;
    card.callbacks.onClose = [&](std::string key) { closed.push_back(key); };
    const NK::Rect close = card.placed(card.closeRect);
    tickWithMouse(int(close.x) + 20, int(close.y) + 20, false);
    EXPECT_TRUE(store->getCard("greeting").closeHover);
    EXPECT_TRUE(closed.empty());
    tickWithMouse(int(close.x) + 20, int(close.y) + 20, true);
    EXPECT_EQ(closed, std::vector<std::string>{"greeting"});
}

TEST_F(DialogCards, OverlappingButtonsCallOnlyClose) {
    NK::DialogCard& card = shownCard();
    card.buttons = NK::DialogCard::closeAndNext;  // both keep the centred rectangle
    int closes = 0, nexts = 0;
    card.callbacks.onClose = [&](std::string) { ++closes; };
    card.callbacks.onNext = [&](std::string) { ++nexts; };
    const NK::Rect close = card.placed(card.closeRect);
    tickWithMouse(int(close.x) + 20, int(close.y) + 20, true);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(nexts, 0);
}

TEST_F(DialogCards, WorldCardHoverUsesTheMouseInTheWorld) {
    NK::DialogCard& card = shownCard();
    card.screenSpace = false;
    card.rect = NK::Rect(1100, 100, 500, 500);
    nktest::engine().view->x = 1000;
    const NK::Rect close = card.placed(card.closeRect);
    tickWithMouse(int(close.x) - 1000 + 20, int(close.y) + 20, false);
    EXPECT_TRUE(store->getCard("card").closeHover);
}

TEST_F(DialogCards, Timer120HidesOnThe121stUpdateWithOneTimeoutCall) {
    NK::DialogCard& card = shownCard();
    card.timer = 120;
    std::vector<std::string> timeouts;
    card.callbacks.onTimeout = [&](std::string key) { timeouts.push_back(key); };
    for (int update = 1; update <= 120; ++update) {
        tickWithMouse(0, 0, false);
        ASSERT_TRUE(store->getCard("card").visible) << update;
    }
    EXPECT_TRUE(timeouts.empty());
    tickWithMouse(0, 0, false);
    EXPECT_FALSE(store->getCard("card").visible);
    for (int update = 0; update < 60; ++update) tickWithMouse(0, 0, false);
    EXPECT_EQ(timeouts, std::vector<std::string>{"card"});
}

TEST_F(DialogCards, CloseCallbackMayDestroyItsOwnCard) {
    shownCard("a");
    NK::DialogCard& b = shownCard("b");
    auto destroySelf = [&](std::string key) { store->destroyCard(key); };
    store->getCard("a").callbacks.onClose = destroySelf;
    b.callbacks.onClose = destroySelf;
    const NK::Rect close = b.placed(b.closeRect);
    tickWithMouse(int(close.x) + 20, int(close.y) + 20, true);
    EXPECT_FALSE(bitmaps->contains("a"));
    EXPECT_FALSE(bitmaps->contains("b"));
}
