#include "elements/Dialogs.h"

#include "engine/DialogCard.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/Pixels.h"

namespace {

const NK::Rect inside(10, 10, 20, 20);
const NK::Rect outside(500, 500, 20, 20);

// Dialogs ticked as a level ticks them: the play update, then the card store
// with the widgets, then the input edges cleared.
class DialogsTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        dialogs.designPath = nktest::sourcePath(Dialogs::designImage);
        dialogs.build();
    }
    void addArea(const NK::Rect& area, float delay) {
        dialogs.add(20, 15, "Title", "Text", delay, area);
    }
    void playTick(const NK::Rect& player) {
        dialogs.update(player);
        dialogs.updateWidgets();
        input().endUpdate();
    }
    NK::DialogCard& card(int i) { return dialogs.cards().getCard(dialogs.key(i)); }
    // A left click on the CLOSE button of a card at the screen's centre:
    // its button spans x 847.5..1072.5 and y 702.5..777.5 of the screen.
    void clickClose(const NK::Rect& player) {
        pointAtScreen(960, 740);
        input().mousePressed[1] = 1;
        playTick(player);
    }

    Dialogs dialogs{e.input, e.view, fontStore, bitmapStore, e.renderContext};
};

TEST_F(DialogsTest, ShownOncePerPlayEvenWhenWalkedIntoAgainButAgainAfterRestart) {
    addArea({0, 0, 100, 100}, -1.0f);
    dialogs.start();
    playTick({100, 100, 20, 20});  // touching the corner counts
    EXPECT_TRUE(card(0).visible);
    clickClose(inside);
    EXPECT_FALSE(card(0).visible);
    playTick(outside);
    playTick(inside);
    EXPECT_FALSE(card(0).visible);

    dialogs.stop();
    dialogs.start();
    playTick(inside);
    EXPECT_TRUE(card(0).visible);
}

// 2.5 s keeps a card up for 150 ticks; a negative delay keeps it until CLOSE.
TEST_F(DialogsTest, CardLeavesOnTheWrongTickOrANegativeDelayEverRunsOut) {
    addArea({0, 0, 100, 100}, -1.0f);
    addArea({0, 0, 100, 100}, 2.5f);
    dialogs.start();
    int ticksShown = 0;
    do {
        playTick(ticksShown ? outside : inside);  // both areas entered on one tick
        ticksShown += card(1).visible;
    } while (card(1).visible && ticksShown < 1000);
    EXPECT_EQ(ticksShown, 150);
    EXPECT_EQ(card(1).timer, -1);
    for (int i = 0; i < 300; ++i) playTick(outside);
    EXPECT_TRUE(card(0).visible);
    clickClose(outside);
    EXPECT_FALSE(card(0).visible);
    EXPECT_EQ(card(0).timer, -1);
}

// The cards as printed when first drawn: the title in the title size, the
// text in the text size, each card in its own dialog's sizes although the
// last card made set the design's to others. Ink is where a card differs
// from one printed with neither.
TEST_F(DialogsTest, CardPrintsTheTitleInTheTitleSizeAndTheTextInTheTextSize) {
    dialogs.add(60, 12, "H", "", -1.0f, {0, 0, 100, 100});
    dialogs.add(60, 12, "", "H", -1.0f, {0, 0, 100, 100});
    dialogs.add(10, 40, "", "", -1.0f, {0, 0, 100, 100});
    dialogs.start();
    playTick(inside);
    dialogs.drawCards();
    NK::BitmapStore& images = paneltest::bitmaps();
    ALLEGRO_BITMAP* blank = images.get(dialogs.key(2)).get();
    // How many rows of the card hold ink, and the first of them.
    auto ink = [&](int card) {
        ALLEGRO_BITMAP* printed = images.get(dialogs.key(card)).get();
        // Locked, each pixel read is a memory read rather than a download.
        al_lock_bitmap(printed, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
        int rows = 0, top = -1;
        for (int y = 0; y < 500; ++y) {
            bool any = false;
            for (int x = 150; x < 350 && !any; ++x) {
                const nktest::Rgba a = nktest::pixelAt(x, y, printed);
                any = !nktest::near(nktest::pixelAt(x, y, blank), a.r, a.g, a.b, 40);
            }
            rows += any;
            if (any && top < 0) top = y;
        }
        al_unlock_bitmap(printed);
        return std::make_pair(rows, top);
    };
    al_lock_bitmap(blank, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    const auto [title, titleTop] = ink(0);
    const auto [text, textTop] = ink(1);
    al_unlock_bitmap(blank);
    // A capital stands about two pixels a point in the card's font.
    EXPECT_NEAR(title, 125, 15);
    EXPECT_NEAR(text, 25, 5);
    EXPECT_LT(titleTop, textTop);
    dialogs.stop();
}

// The page, driven by clicks on its widgets.
class DialogsPanelTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        dialogs.show();
        usePage(dialogs, dialogs.editor().widgets.gui());
    }
};

TEST_F(DialogsPanelTest, TitleAndTextTypedInTheViewerAreStoredByTheNextClick) {
    clickButton("add");
    clickButton("set_title");
    EXPECT_EQ(shown("text_viewer"), "Title");
    EXPECT_TRUE(dialogs.typing());
    gui().setTextInputText("text_viewer", "Hello there");
    tick(dialogs, true, {ALLEGRO_KEY_ENTER});  // Enter stores it as a click does
    EXPECT_FALSE(dialogs.typing());
    clickButton("set_text");
    gui().setTextInputText("text_viewer", "");
    clickButton("set_text");  // nothing typed: the text stays
    const DialogRecord r = dialogs.records()[0];
    EXPECT_EQ(r.title + "/" + r.text, "Hello there/Text");
    clickButton("show_dialog");
    EXPECT_TRUE(dialogs.cards().getCard(Dialogs::previewKey).visible);
    clickButton("trigger_area_reset");
    EXPECT_EQ(shown("trigger_area_w") + " " + shown("trigger_area_h"), "1920.00 1080.00");
}

TEST_F(DialogsPanelTest, MouseMovesAndResizesTheSelectedAreaButNeverTurnsIt) {
    dialogs.add(20, 15, "T", "X", -1.0f, {100, 100, 200, 100});
    dialogs.editor().select(1);
    drag(dialogs, pointAtLevel(150, 150), pointAtLevel(250, 170));
    release(dialogs);
    EXPECT_EQ(shown("trigger_area_x") + " " + shown("trigger_area_y"), "200.00 120.00");
    drag(dialogs, pointAtLevel(400, 220), pointAtLevel(260, 300));
    release(dialogs);
    EXPECT_EQ(shown("trigger_area_w") + " " + shown("trigger_area_h"), "60.00 180.00");
    // Where a picture's rotate handle would be, a click finds no area.
    pointAtLevel(300, 210);
    clickLevel(dialogs);
    EXPECT_FALSE(dialogs.editor().hasSelection());
}

}  // namespace
