#include "elements/DialogRules.h"
#include "elements/MapCodec.h"
#include "engine/DialogCard.h"
#include "engine/DialogCardStore.h"
#include "engine/TextFile.h"
#include "tests/elements/PanelTestKit.h"
#include "tests/support/Files.h"

// Every story card of the shipped levels, laid out as the game prints it:
// Clear Sans at the dialog's sizes, the look every dialog's card gets, and
// Allegro's own wrapping. Text that runs into the CLOSE button is covered by
// it and hard to read, and a word wider than the card is cut off.
namespace {

// The CLOSE button on the card's image, in its pixels.
NK::Rect closeOnImage() {
    const NK::Rect card = DialogRules::cardRect();
    const NK::Rect image = NK::DialogCardStore::backgroundRegion();
    const NK::Rect close = NK::DialogCard("design", card).closeRect;
    const float sx = image.width / card.width, sy = image.height / card.height;
    return {close.x * sx, close.y * sy, close.width * sx, close.height * sy};
}

class CardFitTest : public paneltest::PanelTest {
protected:
    NK::DialogCardStore::PrintedExtent measure(const DialogRecord& d) {
        NK::DialogDesign design;
        design.fontKey = "font";
        DialogRules::applyLook(design, d.titleSize, d.textSize);
        return store.measureCard(design, NK::DialogCardStore::backgroundRegion().width, d.title,
                                 d.text);
    }
    NK::DialogCardStore store{e.renderContext, &paneltest::bitmaps(), &paneltest::fonts(), e.input};
};

}  // namespace

TEST_F(CardFitTest, ShippedCardRunsIntoItsButtonPastItsEdgesOrStaysLongOrMeasureMissesOne) {
    const std::string folder = nktest::sourcePath("Editor/Levels");
    const NK::Rect close = closeOnImage();
    const float width = NK::DialogCardStore::backgroundRegion().width;
    int cards = 0;
    for (const std::string& name : nktest::namesIn(folder)) {
        const MapCodec::ReadResult map =
            MapCodec::read(NK::TextFile::parse(nktest::contentsOf(folder + "/" + name)));
        ASSERT_TRUE(map.ok) << name;
        for (const DialogRecord& d : map.data.dialogs) {
            const auto fit = measure(d);
            const std::string where = name + ", card " + std::to_string(cards++) + " \"" + d.title;
            EXPECT_FALSE(fit.title.touches(close)) << where << "\": the title";
            EXPECT_FALSE(fit.text.touches(close))
                << where << "\": the text ends at y " << fit.text.y + fit.text.height
                << ", the button starts at " << close.y;
            // A card goes when CLOSE is clicked, or on its own within 4 s, so
            // it never stays over a player who walks on.
            EXPECT_LE(d.delay, 4.0f) << where << "\": stays up too long";
            for (const NK::Rect& r : {fit.title, fit.text})
                EXPECT_TRUE(r.x >= 0.0f && r.x + r.width <= width) << where << "\": too wide";
        }
    }
    // Ten levels of three or four cards each: a folder read wrong finds none.
    EXPECT_GE(cards, 30);

    // The measure itself: the opening card Outer Ring 1 once had ran onto its
    // button when played; its first sentence alone fits, under its title.
    const std::string first = "Night shift at the Dovra loading dock.";
    DialogRecord old{0, 0, 0, 0, 20, 15, "Outer ring", first + " Slip into the facility", 0.0f};
    old.text += " through its outer ring. Walk with A and D.";
    EXPECT_TRUE(measure(old).text.touches(close));
    old.text = first;
    const auto fits = measure(old);
    EXPECT_FALSE(fits.text.touches(close));
    EXPECT_LE(fits.title.y + fits.title.height, fits.text.y);
}
