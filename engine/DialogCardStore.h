#pragma once
#include <map>
#include <string>

#include "engine/BitmapStore.h"
#include "engine/Color.h"
#include "engine/DialogCard.h"
#include "engine/DialogDesign.h"
#include "engine/FontStore.h"
#include "engine/Input.h"
#include "engine/KeyedStore.h"
#include "engine/Rect.h"
#include "engine/RenderContext.h"

namespace NK {

// Dialog designs and the message cards made from them. Their images live in
// the shared bitmap store. A card's title and text are printed once, in the
// design's look of the moment the card was made, the first time the card is
// drawn: a level makes a card per dialog at its start, and a texture each
// would hold that start up for cards the player may never see. After that,
// drawing a card is three scaled blits.
class DialogCardStore {
public:
    // Where the regions lie in a design image: the card background above, one
    // button picture below it used for both buttons.
    static Rect backgroundRegion() { return {0.0f, 0.0f, 500.0f, 500.0f}; }
    static Rect buttonRegion() { return {0.0f, 500.0f, 300.0f, 100.0f}; }
    static constexpr int buttonTextSize = 20;
    // The text block starts this far below its margin, under the title.
    static constexpr float textTop = 100.0f;

    // Where a card's title and text are anchored on its image, `width` wide,
    // and how wide the text may run before it wraps.
    struct PrintPlaces {
        Vec2 titleAt;
        Vec2 textAt;
        float wrapWidth = 0.0f;
    };
    static PrintPlaces printPlaces(const DialogDesign& design, float width);
    // The space the title and the wrapped text take on the card's image, in
    // its pixels, as they are printed when the card is made.
    struct PrintedExtent {
        Rect title;
        Rect text;
        int textLines = 0;
    };
    PrintedExtent measureCard(const DialogDesign& design, float width, const std::string& title,
                              const std::string& text);

    DialogCardStore(RenderContext* renderContext, BitmapStore* bitmaps, FontStore* fonts,
                    Input* input);
    ~DialogCardStore();
    DialogCardStore(const DialogCardStore&) = delete;
    DialogCardStore& operator=(const DialogCardStore&) = delete;

    DialogDesign& createDesign(const std::string& imagePath, const std::string& fontKey,
                               const std::string& key, const Color& closeTextColour,
                               const Color& nextTextColour);
    void destroyDesign(const std::string& key);
    DialogDesign& getDesign(const std::string& key) { return designs.get(key); }

    // Returns the card's callbacks for the owner to fill.
    DialogCard::Callbacks& createCard(const std::string& designKey, const Rect& rect,
                                      const std::string& title, const std::string& text,
                                      const std::string& key);
    void destroyCard(const std::string& key);
    DialogCard& getCard(const std::string& key) { return cards.get(key); }
    std::vector<std::string> cardKeys() const { return cards.keys(); }
    std::vector<std::string> designKeys() const { return designs.keys(); }

    // Hover, clicks and timers of every visible card; once per update tick.
    void updateCards();
    void drawCard(const std::string& key);
    // Every card and design with their images.
    void destroyAll();

private:
    // Replaces the entry's bitmap by a fresh one holding only its region, so
    // the picture can be printed on and its width is the region's width.
    void cutRegion(BitmapEntry& entry);
    void printButtonLabel(BitmapEntry& entry, const std::string& fontKey, const Color& colour,
                          const std::string& label);
    void printCard(BitmapEntry& entry, const DialogDesign& design, const std::string& title,
                   const std::string& text);
    void releaseDesignImages(const std::string& key);
    // Makes the card's image, under its key, if it has none yet.
    void printIfNew(const std::string& key, const DialogCard& card);
    Vec2 mouseFor(const DialogCard& card) const;
    void drawButton(const DialogCard& card, const std::string& imageKey, const Rect& button,
                    bool hovered);

    RenderContext* renderContext;
    BitmapStore* bitmaps;
    FontStore* fonts;
    Input* input;
    KeyedStore<DialogDesign> designs{"Design", "Dialog Design"};
    KeyedStore<DialogCard> cards{"Card", "Dialog Card"};
    // What each card not yet drawn will show.
    struct Print {
        DialogDesign look;
        std::string title;
        std::string text;
    };
    std::map<std::string, Print> unprinted;
};

}  // namespace NK
