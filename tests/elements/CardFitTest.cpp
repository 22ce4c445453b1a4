#include "elements/DialogRules.h"
#include "elements/MapCodec.h"
#include "engine/DialogCard.h"
#include "engine/DialogCardStore.h"
#include "engine/TextFile.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

// Every story card of the shipped levels, laid out as the game prints it:
// Clear Sans at the dialog's sizes, the look every dialog's card gets, and
// Allegro's own wrapping. Text that runs into the CLOSE button is covered by
// it and hard to read, and a word wider than the card is cut off.
namespace {

struct CardFit {
    std::string where;  // "outer_ring_1.txt, card 0"
    NK::Rect title;
    NK::Rect text;
};

// The CLOSE button on the card's image, in its pixels.
NK::Rect closeOnImage() {
    const NK::Rect card = DialogRules::cardRect();
    const NK::Rect image = NK::DialogCardStore::backgroundRegion();
    const NK::Rect close = NK::DialogCard("design", card).closeRect;
    const float sx = image.width / card.width;
    const float sy = image.height / card.height;
    return {close.x * sx, close.y * sy, close.width * sx, close.height * sy};
}

bool overlaps(const NK::Rect& a, const NK::Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

CardFit measure(NK::DialogCardStore& store, const std::string& where, const DialogRecord& d) {
    NK::DialogDesign design;
    design.fontKey = "font";
    DialogRules::applyLook(design, d.titleSize, d.textSize);
    const float width = NK::DialogCardStore::backgroundRegion().width;
    const auto printed = store.measureCard(design, width, d.title, d.text);
    return {where, printed.title, printed.text};
}

class CardFitTest : public paneltest::PanelTest {
protected:
    NK::DialogCardStore store{e.renderContext, bitmapStore, fontStore, e.input};
};

}  // namespace

TEST_F(CardFitTest, NoShippedCardRunsIntoItsCloseButtonPastItsEdgesOrStaysLong) {
    const std::string folder = nktest::sourcePath("Editor/Levels");
    const NK::Rect close = closeOnImage();
    const float width = NK::DialogCardStore::backgroundRegion().width;
    int cards = 0;
    for (const std::string& name : nktest::namesIn(folder)) {
        const MapCodec::ReadResult map =
            MapCodec::read(NK::TextFile::parse(nktest::contentsOf(folder + "/" + name)));
        ASSERT_TRUE(map.ok) << name;
        for (std::size_t i = 0; i < map.data.dialogs.size(); ++i) {
            const CardFit fit = measure(
                store,
                name + ", card " + std::to_string(i) + " \"" + map.data.dialogs[i].title + "\"",
                map.data.dialogs[i]);
            ++cards;
            EXPECT_FALSE(overlaps(fit.title, close)) << fit.where << ": the title";
            EXPECT_FALSE(overlaps(fit.text, close))
                << fit.where << ": the text ends at y " << fit.text.y + fit.text.height
                << ", the button starts at " << close.y;
            // A card goes when CLOSE is clicked, or on its own within 4 s, so
            // it never stays over a player who walks on.
            EXPECT_LE(map.data.dialogs[i].delay, 4.0f) << fit.where << ": stays up too long";
            for (const NK::Rect& r : {fit.title, fit.text}) {
                EXPECT_GE(r.x, 0.0f) << fit.where << ": wider than the card";
                EXPECT_LE(r.x + r.width, width) << fit.where << ": wider than the card";
            }
        }
    }
    // Ten levels of three or four cards each: a folder read wrong finds none.
    EXPECT_GE(cards, 30);
}

// The measure itself: the opening card Outer Ring 1 once had ran onto its
// button when played; its first sentence alone fits, under its title.
TEST_F(CardFitTest, MeasureMissesTheCardThatRanOntoItsButton) {
    const std::string first = "Night shift at the Dovra loading dock.";
    DialogRecord old{0, 0, 0, 0, 20, 15, "Outer ring", first + " Slip into the facility", 0.0f};
    old.text += " through its outer ring. Walk with A and D.";
    EXPECT_TRUE(overlaps(measure(store, "old", old).text, closeOnImage()));
    old.text = first;
    const CardFit fits = measure(store, "shorter", old);
    EXPECT_FALSE(overlaps(fits.text, closeOnImage()));
    EXPECT_LE(fits.title.y + fits.title.height, fits.text.y);
}
