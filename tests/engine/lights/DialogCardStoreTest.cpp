#include "engine/DialogCardStore.h"
#include "tests/support/Testing.h"

// Callbacks get the card's key; a hidden card calls none, its timer held;
// a callback may destroy its own card and others, their images going with
// them. (The shown card's timer is counted through Dialogs' own test.)
TEST(DialogCards, CallbacksMissingRepeatedWithoutTheKeyOrFromAHiddenCard) {
    nktest::resetInput();
    nktest::Engine& e = nktest::engine();
    NK::FontStore fonts(e.renderContext);
    fonts.load("Resources/Fonts/NK-ClearSans.ttf", "font");
    NK::BitmapStore bitmaps(e.renderContext);
    NK::DialogCardStore store(e.renderContext, &bitmaps, &fonts, e.input);
    store.createDesign("Resources/Designes/NK-design_g.png", "font", "d", {}, {});
    nktest::Lines called;
    // A card at (100, 100), 500 x 500, on the screen, whose callbacks note
    // their key.
    auto card = [&](const std::string& key, bool visible) -> NK::DialogCard& {
        store.createCard("d", {100, 100, 500, 500}, "Title", "Text", key);
        NK::DialogCard& c = store.getCard(key);
        c.visible = visible;
        c.callbacks.onTimeout = c.callbacks.onClose = [&](std::string k) { called.push_back(k); };
        return c;
    };
    // One update with the pointer on the cards' CLOSE button, pressed or not.
    auto tick = [&](bool press) {
        e.input->mouse.x = 260 * e.display->windowWidth / 1920;
        e.input->mouse.y = 530 * e.display->windowHeight / 1080;
        e.input->mousePressed[1] = press;
        store.updateCards();
        e.input->endUpdate();
    };
    card("timed", true).timer = 0;    // times out at the next tick
    card("hidden", false).timer = 0;  // would time out too if it ran
    tick(false);
    card("a", true).callbacks.onClose = [&](std::string key) {
        called.push_back("close " + key);
        store.destroyCard(key);
        store.destroyCard("timed");
    };
    tick(true);
    EXPECT_EQ(called, (nktest::Lines{"timed", "close a"}));
    EXPECT_FALSE(bitmaps.contains("a") || bitmaps.contains("timed"));
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
