#include <gtest/gtest.h>

#include "engine/DialogCard.h"

namespace {

// A 600 x 400 card; its lone button lies at (165, 330, 270, 60) from its corner.
NK::DialogCard shownCard(float x = 0, float y = 0) {
    NK::DialogCard card("design", {x, y, 600, 400});
    card.visible = true;
    return card;
}

const NK::Vec2 onClose(300, 350);
const NK::Vec2 farAway(-1000.0f, -1000.0f);

// The layout factors are fractions in float, so 0.15 x 400 lands a hair off 60.
void expectRect(const NK::Rect& got, const NK::Rect& want) {
    EXPECT_NEAR(got.x, want.x, 1e-3);
    EXPECT_NEAR(got.y, want.y, 1e-3);
    EXPECT_NEAR(got.width, want.width, 1e-3);
    EXPECT_NEAR(got.height, want.height, 1e-3);
}

}  // namespace

TEST(DialogCardLayout, CloseButtonOf600x400CardSitsAt165_330Sized270x60) {
    NK::DialogCard card("d", {50, 70, 600, 400});
    EXPECT_EQ(card.buttons, NK::DialogCard::closeOnly);
    expectRect(card.closeRect, NK::Rect(165, 330, 270, 60));
    expectRect(card.nextRect, NK::Rect(165, 330, 270, 60));
}

TEST(DialogCardLayout, TwoButtonsSplitTheBottom) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    card.setButtons(NK::DialogCard::closeAndNext);
    expectRect(card.closeRect, NK::Rect(15, 330, 270, 60));
    expectRect(card.nextRect, NK::Rect(315, 330, 270, 60));
}

TEST(DialogCardLayout, EachLayoutShowsOnlyItsButtons) {
    const struct {
        int layout;
        bool close, next;
    } cases[] = {{0, false, false}, {1, false, true}, {2, true, true}, {3, true, false}};
    NK::DialogCard card("d", {0, 0, 600, 400});
    for (const auto& c : cases) {
        card.setButtons(c.layout);
        EXPECT_EQ(card.showsClose(), c.close) << c.layout;
        EXPECT_EQ(card.showsNext(), c.next) << c.layout;
    }
}

TEST(DialogCardHover, ButtonRectIsOffsetByTheCardCorner) {
    NK::DialogCard card = shownCard(100, 200);
    card.tick({100 + 175, 200 + 340}, false);
    EXPECT_TRUE(card.closeHover);
    // The same point relative to the screen corner, not the card's, misses.
    card.tick({175, 340}, false);
    EXPECT_FALSE(card.closeHover);
}

// Hover is set before each point, so a point outside must also clear it.
TEST(DialogCardHover, HalfPixelToleranceOnEverySideAndNoFurther) {
    NK::DialogCard card = shownCard();
    const float left = 165, right = 435, top = 330, bottom = 390;
    for (float past : {0.5f, 0.75f}) {
        const bool in = past == 0.5f;
        for (NK::Vec2 p : {NK::Vec2(left - past, 350), NK::Vec2(right + past, 350),
                           NK::Vec2(300, top - past), NK::Vec2(300, bottom + past)}) {
            card.tick(onClose, false);
            card.tick(p, false);
            EXPECT_EQ(card.closeHover, in) << p.x << "," << p.y;
        }
    }
}

TEST(DialogCardHover, NextOnlyCardNeverHoversClose) {
    NK::DialogCard card = shownCard();
    card.setButtons(NK::DialogCard::nextOnly);
    card.tick(onClose, false);
    EXPECT_TRUE(card.nextHover);
    EXPECT_FALSE(card.closeHover);
}

TEST(DialogCardClick, NextClickedWhenOnlyNextIsUnderThePointer) {
    NK::DialogCard card = shownCard();
    card.setButtons(NK::DialogCard::closeAndNext);
    NK::DialogCard::TickResult r = card.tick({450, 350}, true);
    EXPECT_TRUE(r.nextClicked);
    EXPECT_FALSE(r.closeClicked);
}

TEST(DialogCardClick, PressAwayFromTheButtonsClicksNothing) {
    NK::DialogCard card = shownCard();
    card.setButtons(NK::DialogCard::closeAndNext);
    NK::DialogCard::TickResult r = card.tick({300, 100}, true);
    EXPECT_FALSE(r.closeClicked);
    EXPECT_FALSE(r.nextClicked);
}

TEST(DialogCardTimer, NoTimerKeepsTheCardUp) {
    NK::DialogCard card = shownCard();
    for (int tick = 0; tick < 1000; ++tick) EXPECT_FALSE(card.tick(farAway, false).timedOut);
    EXPECT_TRUE(card.visible);
}

TEST(DialogCardTimer, HiddenCardTimerDoesNotRun) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    card.timer = 5;
    for (int tick = 0; tick < 10; ++tick) card.tick(farAway, false);
    EXPECT_EQ(card.timer, 5);
}
