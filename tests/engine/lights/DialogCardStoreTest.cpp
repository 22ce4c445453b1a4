#include "engine/DialogCardStore.h"
#include "tests/support/Testing.h"

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
    } cases[] = {{closeOnly, {264.5f, 560}, false, "c-"},
                 {closeOnly, {264.25f, 560}, false, "--"},
                 {closeOnly, {400, 590.5f}, false, "c-"},
                 {closeOnly, {400, 590.75f}, false, "--"},
                 {closeOnly, {400, 560}, true, "cC"},
                 {NK::DialogCard::nextOnly, {400, 560}, true, "nN"},
                 {both, {550, 560}, true, "nN"},
                 {both, {200, 560}, true, "cC"},
                 {0, {400, 560}, true, "--"}};
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
