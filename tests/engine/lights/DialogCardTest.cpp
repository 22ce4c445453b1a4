#include <gtest/gtest.h>

#include "engine/DialogCard.h"

namespace {

NK::DialogCard shownCard(float x, float y, float w, float h) {
    NK::DialogCard card("design", {x, y, w, h});
    card.visible = true;
    return card;
}

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

TEST(DialogCardLayout, TwoButtonsSplitTheBottomWithoutOverlap) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    card.setButtons(NK::DialogCard::closeAndNext);
    expectRect(card.closeRect, NK::Rect(15, 330, 270, 60));
    expectRect(card.nextRect, NK::Rect(315, 330, 270, 60));
    EXPECT_LT(card.closeRect.x + card.closeRect.width, card.nextRect.x);
}

TEST(DialogCardLayout, EachLayoutShowsOnlyItsButtons) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    card.setButtons(1);
    EXPECT_TRUE(card.showsNext());
    EXPECT_FALSE(card.showsClose());
    card.setButtons(3);
    EXPECT_TRUE(card.showsClose());
    EXPECT_FALSE(card.showsNext());
    card.setButtons(0);
    EXPECT_FALSE(card.showsClose());
    EXPECT_FALSE(card.showsNext());
}

TEST(DialogCardHover, ButtonRectIsOffsetByTheCardCorner) {
    NK::DialogCard card = shownCard(100, 200, 600, 400);
    card.tick({100 + 165 + 10, 200 + 330 + 10}, false);
    EXPECT_TRUE(card.closeHover);
    // The same point relative to the screen corner, not the card's, misses.
    card.tick({165 + 10, 330 + 10}, false);
    EXPECT_FALSE(card.closeHover);
}

TEST(DialogCardHover, HalfPixelToleranceOnEverySideAndNoFurther) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    const NK::Rect b(165, 330, 270, 60);
    const NK::Vec2 inside[] = {{b.x - 0.5f, 350},
                               {b.x + b.width + 0.5f, 350},
                               {300, b.y - 0.5f},
                               {300, b.y + b.height + 0.5f}};
    for (NK::Vec2 p : inside) {
        card.tick(p, false);
        EXPECT_TRUE(card.closeHover) << p.x << "," << p.y;
    }
    const NK::Vec2 outside[] = {{b.x - 0.75f, 350},
                                {b.x + b.width + 0.75f, 350},
                                {300, b.y - 0.75f},
                                {300, b.y + b.height + 0.75f}};
    for (NK::Vec2 p : outside) {
        card.tick(p, false);
        EXPECT_FALSE(card.closeHover) << p.x << "," << p.y;
    }
}

TEST(DialogCardHover, NextOnlyCardNeverHoversClose) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    card.setButtons(NK::DialogCard::nextOnly);
    card.tick({300, 350}, false);
    EXPECT_TRUE(card.nextHover);
    EXPECT_FALSE(card.closeHover);
}

TEST(DialogCardHover, LeavingTheButtonClearsHover) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    card.tick({300, 350}, false);
    ASSERT_TRUE(card.closeHover);
    card.tick(farAway, false);
    EXPECT_FALSE(card.closeHover);
}

TEST(DialogCardClick, OverlappingButtonsClickOnlyClose) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    card.buttons = NK::DialogCard::closeAndNext;  // both rects still the centred one
    NK::DialogCard::TickResult r = card.tick({300, 350}, true);
    EXPECT_TRUE(r.closeClicked);
    EXPECT_FALSE(r.nextClicked);
    EXPECT_TRUE(card.closeHover);
    EXPECT_FALSE(card.nextHover);
}

TEST(DialogCardClick, NextClickedWhenOnlyNextIsUnderThePointer) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    card.setButtons(NK::DialogCard::closeAndNext);
    NK::DialogCard::TickResult r = card.tick({450, 350}, true);
    EXPECT_TRUE(r.nextClicked);
    EXPECT_FALSE(r.closeClicked);
}

TEST(DialogCardClick, HoverWithoutPressOrPressWithoutHoverClicksNothing) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    NK::DialogCard::TickResult hoverOnly = card.tick({300, 350}, false);
    EXPECT_FALSE(hoverOnly.closeClicked);
    NK::DialogCard::TickResult pressOnly = card.tick({300, 100}, true);
    EXPECT_FALSE(pressOnly.closeClicked);
    EXPECT_FALSE(pressOnly.nextClicked);
}

TEST(DialogCardClick, HiddenCardNeitherHoversNorClicks) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    NK::DialogCard::TickResult r = card.tick({300, 350}, true);
    EXPECT_FALSE(card.closeHover);
    EXPECT_FALSE(r.closeClicked);
    EXPECT_FALSE(r.nextClicked);
}

TEST(DialogCardTimer, Timer120HidesOnThe121stTickWithOneTimeout) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    card.timer = 120;
    int timeouts = 0;
    int hiddenOnTick = 0;
    for (int tick = 1; tick <= 200; ++tick) {
        if (card.tick(farAway, false).timedOut) ++timeouts;
        if (!card.visible && hiddenOnTick == 0) hiddenOnTick = tick;
    }
    EXPECT_EQ(hiddenOnTick, 121);
    EXPECT_EQ(timeouts, 1);
    EXPECT_EQ(card.timer, -1);
}

TEST(DialogCardTimer, NoTimerKeepsTheCardUp) {
    NK::DialogCard card = shownCard(0, 0, 600, 400);
    for (int tick = 0; tick < 1000; ++tick) EXPECT_FALSE(card.tick(farAway, false).timedOut);
    EXPECT_TRUE(card.visible);
}

TEST(DialogCardTimer, HiddenCardTimerDoesNotRun) {
    NK::DialogCard card("d", {0, 0, 600, 400});
    card.timer = 5;
    for (int tick = 0; tick < 10; ++tick) card.tick(farAway, false);
    EXPECT_EQ(card.timer, 5);
}
