
#include "engine/DialogCard.h"
#include "tests/support/Testing.h"

namespace {

// The layout factors are fractions in float, so 0.15 x 400 lands a hair off 60.
void expectRect(const NK::Rect& got, const NK::Rect& want, int layout) {
    EXPECT_NEAR(got.x, want.x, 1e-3) << layout;
    EXPECT_NEAR(got.y, want.y, 1e-3) << layout;
    EXPECT_NEAR(got.width, want.width, 1e-3) << layout;
    EXPECT_NEAR(got.height, want.height, 1e-3) << layout;
}

}  // namespace

// A 600 x 400 card: one button centred along the bottom (a new card shows
// CLOSE alone), or two side by side; each layout shows only its buttons.
TEST(DialogCardLayout, ButtonsMisplacedOrShownInTheWrongLayout) {
    const NK::Rect one(165, 330, 270, 60);
    const struct {
        int layout;
        NK::Rect close, next;
        bool showsClose, showsNext;
    } cases[] = {
        {0, one, one, false, false},
        {NK::DialogCard::nextOnly, one, one, false, true},
        {NK::DialogCard::closeAndNext, {15, 330, 270, 60}, {315, 330, 270, 60}, true, true},
        {NK::DialogCard::closeOnly, one, one, true, false}};
    EXPECT_EQ(NK::DialogCard("d", {50, 70, 600, 400}).buttons, NK::DialogCard::closeOnly);
    for (const auto& c : cases) {
        NK::DialogCard card("d", {50, 70, 600, 400});
        card.setButtons(c.layout);
        expectRect(card.closeRect, c.close, c.layout);
        expectRect(card.nextRect, c.next, c.layout);
        EXPECT_EQ(card.showsClose(), c.showsClose) << c.layout;
        EXPECT_EQ(card.showsNext(), c.showsNext) << c.layout;
    }
}

// A shown card at (100, 200): the lone button spans 265..535 x 530..590, hover
// reaching half a pixel past each edge and no further. Each point comes
// after one on the button, so a point outside must also clear the hover.
// CLOSE is tested first and wins where both lie; a press clicks what is hovered.
TEST(DialogCardHover, HoverOrClickOnTheWrongButtonOrPastTheTolerance) {
    const int closeOnly = NK::DialogCard::closeOnly, both = NK::DialogCard::closeAndNext;
    const struct {
        int layout;
        NK::Vec2 point;
        bool press;
        const char* seen;  // hovered c / n / -, then clicked C / N / -
    } cases[] = {
        {closeOnly, {275, 540}, false, "c-"},    {closeOnly, {175, 340}, false, "--"},
        {closeOnly, {264.5f, 560}, false, "c-"}, {closeOnly, {264.25f, 560}, false, "--"},
        {closeOnly, {535.5f, 560}, false, "c-"}, {closeOnly, {535.75f, 560}, false, "--"},
        {closeOnly, {400, 529.5f}, false, "c-"}, {closeOnly, {400, 529.25f}, false, "--"},
        {closeOnly, {400, 590.5f}, false, "c-"}, {closeOnly, {400, 590.75f}, false, "--"},
        {closeOnly, {400, 560}, true, "cC"},     {NK::DialogCard::nextOnly, {400, 560}, true, "nN"},
        {both, {550, 560}, true, "nN"},          {both, {200, 560}, true, "cC"},
        {both, {400, 300}, true, "--"},          {0, {400, 560}, true, "--"}};
    for (const auto& c : cases) {
        NK::DialogCard card("d", {100, 200, 600, 400});
        card.visible = true;
        card.setButtons(c.layout);
        card.tick(c.layout == both ? NK::Vec2(200, 560) : NK::Vec2(400, 560), false);
        const NK::DialogCard::TickResult r = card.tick(c.point, c.press);
        std::string seen = card.closeHover ? "c" : card.nextHover ? "n" : "-";
        seen += r.closeClicked ? "C" : r.nextClicked ? "N" : "-";
        EXPECT_EQ(seen, c.seen) << c.layout << " at " << c.point.x << "," << c.point.y;
    }
}

// A timer of n keeps the card up for n full ticks and times out once; no
// timer keeps it up for good; a hidden card's timer does not run.
TEST(DialogCardTimer, CardTimedOutEarlyTwiceOrWithoutATimerOrWhileHidden) {
    NK::DialogCard timed("d", {0, 0, 600, 400}), untimed = timed, hidden = timed;
    timed.visible = untimed.visible = true;
    timed.timer = hidden.timer = 3;
    std::string timeouts;
    for (int tick = 0; tick < 1000; ++tick) {
        timeouts += timed.tick({-1000, -1000}, false).timedOut ? "T" : ".";
        EXPECT_FALSE(untimed.tick({-1000, -1000}, false).timedOut);
        hidden.tick({-1000, -1000}, false);
    }
    EXPECT_EQ(timeouts.find('T'), 3u);
    EXPECT_EQ(timeouts.rfind('T'), 3u);
    EXPECT_FALSE(timed.visible);
    EXPECT_TRUE(untimed.visible);
    EXPECT_EQ(hidden.timer, 3);
}
