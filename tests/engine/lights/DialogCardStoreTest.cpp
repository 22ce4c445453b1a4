#include <allegro5/allegro_primitives.h>

#include <algorithm>

#include "engine/DialogCardStore.h"
#include "tests/support/Testing.h"

namespace {

// The design picture the tests cut: background in blue above, the button
// picture in red below it, and a green strip beside the button that must
// never turn up in a cut region.
const nktest::Rgba background{40, 60, 200, 255};
const nktest::Rgba button{200, 50, 50, 255};
const nktest::Rgba yellow{255, 255, 0, 255}, cyan{0, 255, 255, 255}, red{255, 0, 0, 255};

using Lines = std::vector<std::string>;

bool same(const nktest::Rgba& c, const nktest::Rgba& e, int tolerance = 3) {
    return nktest::near(c, e.r, e.g, e.b, tolerance);
}

// The bounding box (left, top, right, bottom) of the pixels of `bitmap` near
// `colour`; the default tolerance admits anti-aliased text of that colour.
// Empty when there are none.
std::vector<int> boxOf(ALLEGRO_BITMAP* bitmap, const nktest::Rgba& colour, int tolerance = 100) {
    std::vector<int> b;
    al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < al_get_bitmap_height(bitmap); ++y) {
        for (int x = 0; x < al_get_bitmap_width(bitmap); ++x) {
            if (!same(nktest::pixelAt(x, y, bitmap), colour, tolerance)) continue;
            if (b.empty()) b = {x, y, x, y};
            b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
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
        ASSERT_TRUE(al_save_bitmap(designPath().c_str(), picture));
        al_destroy_bitmap(picture);
        nktest::resetDrawing();
    }
    static void TearDownTestSuite() {
        delete fonts;
        delete bitmaps;
    }
    static std::string designPath() { return nktest::tempPath("design.png"); }
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
        nktest::Engine& e = nktest::engine();
        store = std::make_unique<NK::DialogCardStore>(e.renderContext, bitmaps, fonts, e.input);
        store->createDesign(designPath(), "font", "d", NK::Color(1, 1, 0), NK::Color(0, 1, 1));
    }

    // A shown 500 x 500 card in the screen layout at (100, 100).
    NK::DialogCard& shownCard(const std::string& key = "card") {
        store->createCard("d", {100, 100, 500, 500}, "Title", "Text", key);
        NK::DialogCard& card = store->getCard(key);
        card.visible = true;
        return card;
    }
    // A card printed with the design as it is now; its red title's box.
    std::vector<int> redTitle(const std::string& key, const std::string& text = "") {
        store->getDesign("d").titleColour = NK::Color(1, 0, 0);
        store->createCard("d", {0, 0, 500, 500}, "Hi", text, key);
        return boxOf(bitmaps->get(key).get(), red);
    }
    // One update tick with the pointer inside the card's CLOSE button (given
    // the view's x), the left button pressed this tick or not.
    void tickOnClose(const NK::DialogCard& card, bool press, int viewX = 0) {
        const NK::Rect close = card.placed(card.closeRect);
        NK::Input& in = *nktest::engine().input;
        in.mouse.x = int(close.x) - viewX + 20;
        in.mouse.y = int(close.y) + 20;
        in.mousePressed[1] = press ? 1 : 0;
        store->updateCards();
        in.endUpdate();
    }

    static inline NK::BitmapStore* bitmaps = nullptr;
    static inline NK::FontStore* fonts = nullptr;
    std::unique_ptr<NK::DialogCardStore> store;
};

// Opposite corners of each cut image, clear of the printed words, show no
// green; the words are centred, in their own colours, and not swapped
// ("CLOSE" is the longer).
TEST_F(DialogCards, DesignCutsWrongRegionsOrPrintsButtonWordsWrong) {
    const struct {
        const char* key;
        int width, height;
        nktest::Rgba colour;
    } images[] = {{"d_bg", 500, 500, background},
                  {"d_close", 300, 100, button},
                  {"d_next", 300, 100, button}};
    for (const auto& i : images) {
        ALLEGRO_BITMAP* b = bitmaps->get(i.key).get();
        EXPECT_EQ(std::vector<int>({al_get_bitmap_width(b), al_get_bitmap_height(b)}),
                  std::vector<int>({i.width, i.height}))
            << i.key;
        EXPECT_TRUE(same(nktest::pixelAt(2, 2, b), i.colour)) << i.key;
        EXPECT_TRUE(same(nktest::pixelAt(i.width - 3, i.height - 3, b), i.colour)) << i.key;
    }
    ALLEGRO_BITMAP* close = bitmaps->get("d_close").get();
    ALLEGRO_BITMAP* next = bitmaps->get("d_next").get();
    const std::vector<int> closeWord = boxOf(close, yellow), nextWord = boxOf(next, cyan);
    ASSERT_EQ(closeWord.size() + nextWord.size(), 8u);
    EXPECT_TRUE(boxOf(close, cyan).empty() && boxOf(next, yellow).empty());
    EXPECT_NEAR((closeWord[0] + closeWord[2]) * 0.5f, 150, 6);
    EXPECT_NEAR((closeWord[1] + closeWord[3]) * 0.5f, 50, 8);
    EXPECT_NEAR((nextWord[0] + nextWord[2]) * 0.5f, 150, 6);
    EXPECT_GT(closeWord[2] - closeWord[0], nextWord[2] - nextWord[0]);
}

// Left: the title starts at its margin, the text 100 below, wrapped within
// the margins. Right: the title ends at its margin. Any other alignment
// (old files use -1) is centred. Printing leaves the design's images alone.
TEST_F(DialogCards, CardPrintsTitleOrTextOnTheWrongSideOrUnwrapped) {
    NK::DialogDesign& design = store->getDesign("d");
    design.titleAlign = design.textAlign = NK::DialogDesign::alignLeft;
    design.textSize = 10;
    const auto left =
        redTitle("c", "a long line of words that cannot fit across one card and so wraps");
    const auto text = boxOf(bitmaps->get("c").get(), {255, 255, 255, 255}, 75);
    design.titleMargin = NK::Vec2(30, 10);
    design.titleAlign = NK::DialogDesign::alignRight;
    const auto right = redTitle("right");
    design.titleAlign = -1;
    const auto old = redTitle("old");
    ASSERT_EQ(left.size() + text.size() + right.size() + old.size(), 16u);
    EXPECT_TRUE(left[0] >= 10 && left[0] <= 20 && left[2] < 250 && left[1] >= 10);
    // Wrapped: more than one line of text at size 10 (30 px glyphs).
    EXPECT_TRUE(text[1] >= 110 && text[0] >= 10 && text[2] <= 490 && text[3] - text[1] > 60);
    EXPECT_TRUE(right[2] <= 470 && right[2] >= 460);
    EXPECT_NEAR((old[0] + old[2]) * 0.5f, 250, 6);
    EXPECT_TRUE(boxOf(bitmaps->get("d_bg").get(), red).empty());
}

TEST_F(DialogCards, WrongWordsOnRemakeMissingKeyOrDestroyOrImagesLeftBehind) {
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    nktest::LogCapture log;
    store->createDesign(designPath(), "font", "d", NK::Color(1, 1, 0), NK::Color(0, 1, 1));
    store->createCard("d", {0, 0, 500, 500}, "T", "t", "c");
    for (int i = 0; i < 2; ++i) {
        store->destroyCard("c");
        store->destroyDesign("d");
    }
    EXPECT_EQ(log.lines(),
              (Lines{"INFO: Design with key \"d\" remade", "INFO: Card with key \"c\" remade",
                     "INFO: Card with key \"c\" not found to destroy",
                     "INFO: Design with key \"d\" not found to destroy"}));
    for (const char* key : {"c", "d_bg", "d_close", "d_next"}) {
        EXPECT_FALSE(bitmaps->contains(key)) << key;
    }
    EXPECT_FATAL(store->getDesign("x"), "Dialog Design key \"x\" not found");
    EXPECT_FATAL(store->getCard("y"), "Dialog Card key \"y\" not found");
    EXPECT_FATAL(store->createCard("x", {0, 0, 10, 10}, "", "", "z"),
                 "Dialog Design key \"x\" not found");
}

// The hovered button drawn whole, the other half transparent over the
// background; a hidden card draws nothing.
TEST_F(DialogCards, ScreenCardDrawsBackgroundAndDimsUnhoveredButtonUnlessHidden) {
    NK::DialogCard& card = shownCard();
    card.setButtons(NK::DialogCard::closeAndNext);
    card.closeHover = true;
    NK::DialogCard& hidden = shownCard("hidden");
    hidden.rect = {1000, 100, 500, 500};
    hidden.visible = false;
    store->drawCard("card");
    store->drawCard("hidden");
    EXPECT_TRUE(same(nktest::pixelAt(350, 200), background));
    EXPECT_TRUE(same(nktest::pixelAt(1250, 200), {0, 0, 0, 255}));
    // Corners of the two buttons, clear of their centred words.
    const NK::Rect close = card.placed(card.closeRect);
    const NK::Rect next = card.placed(card.nextRect);
    nktest::Rgba lit = nktest::pixelAt(int(close.x) + 4, int(close.y) + 4);
    nktest::Rgba dim = nktest::pixelAt(int(next.x) + 4, int(next.y) + 4);
    EXPECT_TRUE(same(lit, button)) << lit;
    EXPECT_TRUE(same(dim,
                     {(button.r + background.r) / 2, (button.g + background.g) / 2,
                      (button.b + background.b) / 2, 255},
                     6))
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
    EXPECT_TRUE(same(nktest::pixelAt(150, 300), {0, 0, 0, 255}));
    tickOnClose(card, false, 1800);
    EXPECT_TRUE(store->getCard("card").closeHover);
}

// Callbacks get the card's key; a hidden card calls none; hovering is not
// clicking; a callback may destroy its own card and others.
TEST_F(DialogCards, CallbacksMissingRepeatedWithoutTheKeyOrFromAHiddenCard) {
    Lines called;
    auto note = [&](const char* what) {
        return [&called, what](std::string key) { called.push_back(std::string(what) + key); };
    };
    NK::DialogCard& timed = shownCard("timed");
    timed.timer = 120;
    timed.callbacks.onTimeout = note("timeout ");
    NK::DialogCard& hidden = shownCard("hidden");
    hidden.visible = false;
    hidden.callbacks.onClose = note("hidden ");
    for (int update = 1; update <= 121; ++update) tickOnClose(hidden, false);
    EXPECT_FALSE(timed.visible);
    EXPECT_EQ(called, Lines{"timeout timed"});
    NK::DialogCard& card = shownCard("a");
    card.callbacks.onClose = [&](std::string key) {
        called.push_back("close " + key);
        store->destroyCard(key);
        store->destroyCard("timed");
    };
    tickOnClose(card, true);
    tickOnClose(hidden, true);
    EXPECT_EQ(called, (Lines{"timeout timed", "close a"}));
    EXPECT_FALSE(bitmaps->contains("a") || bitmaps->contains("timed"));
}
